#include "common/text.h"

#include <cstring>

void CopyText(char* dst, const char* src, std::size_t size) {
    if (size == 0)
        return;
    std::size_t n = strnlen(src, size - 1);
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

void AppendText(char* dst, const char* src, std::size_t size) {
    std::size_t used = strnlen(dst, size);
    if (used >= size) {
        // No terminator within the field: cut it at its last byte rather than leave it open.
        if (size > 0)
            dst[size - 1] = '\0';
        return;
    }
    CopyText(dst + used, src, size - used);
}

void PrefixText(char* text, const char* prefix, std::size_t size) {
    if (size == 0)
        return;
    std::size_t p = strnlen(prefix, size - 1);
    std::size_t t = strnlen(text, size - 1);
    if (p + t > size - 1)
        t = size - 1 - p;
    std::memmove(text + p, text, t);
    std::memmove(text, prefix, p);
    text[p + t] = '\0';
}

void FolderOfPath(const char* path, char* out, std::size_t size) {
    if (size == 0)
        return;
    const char* cut = std::strrchr(path, '\\');
    if (cut == nullptr) {
        CopyText(out, "", size);
        return;
    }
    std::size_t n = static_cast<std::size_t>(cut - path);
    if (n >= size)
        n = size - 1;
    std::memmove(out, path, n);
    out[n] = '\0';
}
