// The decoration pictures on disk: a folder and its subfolders walked breadth first into a
// first-in first-out list of paths.
#pragma once
#include "skin/skin_tables.h"

struct FileList {
    char path[PathSize];
    FileList* next;
};

// False when the node cannot be allocated (nothing appended).
bool AppendPathNode(const char* path, FileList** tail, FileList** head);
// Removes and frees the head node, if there is one.
void RemoveFirstPath(FileList** head);
// Frees every node; both pointers end null.
void RemoveAllPaths(FileList** head, FileList** tail);
// The index-th path, or nullptr past the end.
const FileList* PathAt(const FileList* head, int index);

enum FolderLookup { LookupFailed, LookupFile, LookupFolder };

// How the listing sees the file system; the platform supplies its own.
struct FolderSource {
    // What the path names; on LookupFailed *error holds the system's error code.
    int (*lookUp)(const char* path, unsigned long* error);
    // Reports every entry of the folder to add(sink, name, isFolder), in any order; false when
    // the folder cannot be searched.
    bool (*search)(const char* folder, void (*add)(void* sink, const char* name, bool isFolder),
                   void* sink);
    // A path was left out for want of memory.
    void (*memoryFull)();
};

struct ListingResult {
    int lookup;          // what the folder path itself named
    unsigned long error; // the system's error code when it named nothing
};

// Appends the picture files of folder and of all its subfolders: a folder's files (sorted by
// name) before those of its subfolders, breadth first; names beginning with a dot are
// skipped. *count becomes the number of picture files found, 1 when folder is a file (the
// list then unchanged), and stays as it was when folder cannot be found.
ListingResult ListPictureFilesFrom(const FolderSource& source, const char* folder, int* count,
                                   FileList** head, FileList** tail);
