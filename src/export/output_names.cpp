#include "export/output_names.h"

#include "common/text.h"

#include <cstdio>
#include <cstring>

void ReplaceExtension(char* path, const char* ext, std::size_t size) {
    const std::size_t n = strnlen(path, size);
    if (n >= size)
        path[size - 1] = '\0';
    char* name = std::strrchr(path, '\\');
    name = name != nullptr ? name + 1 : path;
    char* dot = std::strrchr(name, '.');
    if (dot != nullptr)
        *dot = '\0';
    AppendText(path, ".", size);
    AppendText(path, ext, size);
}

void TimeStampName(const LocalTime& t, const char* suffix, char* out, std::size_t size) {
    std::snprintf(out, size, "%04i-%02i-%02i_%02iH%02iM%02iS%s", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, suffix);
}

void LastFolderOf(const char* path, char* out, std::size_t size) {
    std::size_t n = strnlen(path, size - 1);
    while (n > 1) {
        --n;
        if (path[n] == '\\') {
            if (n >= size)
                n = size - 1;
            std::memmove(out, path, n);
            out[n] = '\0';
            return;
        }
    }
    CopyText(out, "", size);
}
