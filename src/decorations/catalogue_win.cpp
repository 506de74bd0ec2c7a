#include "decorations/catalogue_win.h"

#include "common/text.h"
#include "program/program_win.h"

#include <windows.h>

namespace {

int LookUp(const char* path, unsigned long* error) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return LookupFailed;
    }
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? LookupFolder : LookupFile;
}

bool Search(const char* folder, void (*add)(void* sink, const char* name, bool isFolder),
            void* sink) {
    char pattern[PathSize];
    CopyText(pattern, folder, PathSize);
    AppendText(pattern, "\\*.*", PathSize);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        found.cFileName[MAX_PATH - 1] = '\0';
        add(sink, found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

const FolderSource PlatformFolders = {LookUp, Search, ReportMemoryFull};

} // namespace

void AppendPath(const char* path, FileList** tail, FileList** head) {
    if (!AppendPathNode(path, tail, head))
        ReportMemoryFull();
}

void ListPictureFiles(const char* folder, int* count, FileList** head, FileList** tail) {
    const ListingResult r = ListPictureFilesFrom(PlatformFolders, folder, count, head, tail);
    if (r.lookup == LookupFailed)
        ShowReport("Debug",
                   "Flimmer could not read the folder of this screen's pictures, so there is "
                   "nothing to choose here. Installing Flimmer again puts the folder back.",
                   "Invalid File Handle. Get Last Error reports %d\n%s", static_cast<int>(r.error),
                   folder);
}
