#include "program/temporary_files_win.h"

#include "common/text.h"
#include "program/temporary_names.h"
#include "skin/skin_tables.h"

namespace {

LONG TemporaryCounter = 0;

bool TemporaryFolder(char* out) {
    const DWORD n = GetTempPathA(PathSize, out);
    return n != 0 && n < PathSize;
}

bool MakeFileIn(const char* folder, const char* prefix, char* out, DWORD* error) {
    // A name still in use (an earlier run's file with our process number) is passed over.
    for (int tries = 0; tries < 100; ++tries) {
        const unsigned long counter =
            static_cast<unsigned long>(InterlockedIncrement(&TemporaryCounter));
        if (!TemporaryFileName(folder, prefix, GetCurrentProcessId(), counter, out, PathSize)) {
            *error = ERROR_FILENAME_EXCED_RANGE;
            return false;
        }
        HANDLE file = CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        *error = GetLastError();
        if (*error != ERROR_FILE_EXISTS && *error != ERROR_ALREADY_EXISTS)
            break;
    }
    out[0] = '\0';
    return false;
}

bool RunHasEnded(unsigned long pid) {
    if (pid == GetCurrentProcessId())
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(process, &code) != 0 && code != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}

// Deletes our files in the temporary folder whose run the test accepts.
template <typename Test> void RemoveTemporaryFiles(Test removable) {
    char folder[PathSize], pattern[PathSize], path[PathSize];
    if (!TemporaryFolder(folder))
        return;
    CopyText(pattern, folder, PathSize);
    AppendText(pattern, "flimmer-*.tmp", PathSize);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        unsigned long pid = 0;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            IsTemporaryFileName(found.cFileName, &pid) && removable(pid)) {
            CopyText(path, folder, PathSize);
            AppendText(path, found.cFileName, PathSize);
            DeleteFileA(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

bool MakeTemporaryFileName(char* out, DWORD* error) {
    char folder[PathSize];
    if (!TemporaryFolder(folder)) {
        *error = GetLastError();
        out[0] = '\0';
        return false;
    }
    return MakeFileIn(folder, "", out, error);
}

bool MakeTemporaryFileBeside(const char* path, char* out, DWORD* error) {
    char folder[PathSize];
    FolderOfPath(path, folder, PathSize);
    // Hidden behind a tilde, as editors mark their half-written files.
    return MakeFileIn(folder, "~", out, error);
}

void RemoveOwnTemporaryFiles() {
    const unsigned long own = GetCurrentProcessId();
    RemoveTemporaryFiles([own](unsigned long pid) { return pid == own; });
}

void RemoveTemporaryFilesOfEndedRuns() { RemoveTemporaryFiles(RunHasEnded); }
