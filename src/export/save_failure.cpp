#include "export/save_failure.h"

#include <cstdio>

namespace {

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    return name;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

SaveFailureWords SaveFailureWordsFor(unsigned long error) {
    switch (error) {
    case 0:
        return {"the picture could not be written in that format", "Try another format."};
    case 2:   // ERROR_FILE_NOT_FOUND
    case 3:   // ERROR_PATH_NOT_FOUND
    case 161: // ERROR_BAD_PATHNAME
        return {"its folder does not exist", "Choose another folder."};
    case 5: // ERROR_ACCESS_DENIED
        return {"access was denied (the file or its folder may be read-only)",
                "Choose another folder or name."};
    case 8:  // ERROR_NOT_ENOUGH_MEMORY
    case 14: // ERROR_OUTOFMEMORY
        return {"there is not enough memory", "Close some other programs, then save again."};
    case 19: // ERROR_WRITE_PROTECT
        return {"the disk is write-protected", "Choose another disk."};
    case 32: // ERROR_SHARING_VIOLATION
    case 33: // ERROR_LOCK_VIOLATION
        return {"the file is open in another program",
                "Close it there and save again, or choose another name."};
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return {"the disk is full", "Make some room on the disk, or choose another disk."};
    case 123: // ERROR_INVALID_NAME
        return {"the name is not valid", "Choose another name."};
    case 206: // ERROR_FILENAME_EXCED_RANGE
        return {"the name is too long", "Choose a shorter name or folder."};
    case 267: // ERROR_DIRECTORY
        return {"a folder has that name", "Choose another name."};
    }
    return {"Windows reported an error", "Try another name or folder."};
}

void SaveFailureText(const char* path, unsigned long error, char* out, std::size_t size) {
    if (size == 0)
        return;
    const SaveFailureWords words = SaveFailureWordsFor(error);
    const int n = std::snprintf(out, size, "Flimmer could not save %s: %s. %s",
                                FileNamePart(path), words.reason, words.advice);
    if (n < 0)
        out[0] = '\0';
    else if (error != 0 && static_cast<std::size_t>(n) < size)
        std::snprintf(out + n, size - n, "\n\nWindows error %lu.", error);
}

bool SameFileName(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (Lower(*a) != Lower(*b))
            return false;
        if (*a == '\0')
            return true;
    }
}
