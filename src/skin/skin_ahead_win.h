// A skin's pictures made ahead, on a thread of their own, while the user is busy with something
// else (choosing a photo): loading the skin then only takes them.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

// Starts making the background and every state picture of the skin as device bitmaps (what an
// earlier call made and nobody took goes).
void PrepareSkinPictures(const SkinDescriptor& skin);
// The prepared device bitmap of a picture of exactly w x h, now the caller's; null when it was
// not prepared (pictures with transparency are not) or has another size, and the caller loads
// it itself. Waits for the thread first.
HBITMAP TakePreparedPicture(const char* path, int w, int h);
// Deletes what was prepared and not taken.
void DropPreparedPictures();
