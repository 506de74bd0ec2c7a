// The decoration catalogue on the platform: folder enumeration and its messages.
#pragma once
#include "decorations/catalogue.h"

// AppendPathNode with "The memory is full!" (caption "Error", error icon) on failure.
void AppendPath(const char* path, FileList** tail, FileList** head);
// The picture files of a folder and its subfolders; a missing folder is reported as
// "Invalid File Handle. Get Last Error reports %d\n%s" (caption "Debug").
void ListPictureFiles(const char* folder, int* count, FileList** head, FileList** tail);
