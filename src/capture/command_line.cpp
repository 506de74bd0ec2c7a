#include "capture/command_line.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

bool PictureArgument(const char* commandLine, char* out, std::size_t size) {
    if (size == 0)
        return false;
    out[0] = '\0';
    if (commandLine == nullptr)
        return false;
    const char* begin = commandLine;
    while (IsBlank(*begin))
        ++begin;
    const char* end = nullptr;
    if (*begin == '"') {
        ++begin;
        end = std::strchr(begin, '"');
        if (end == nullptr)
            end = begin + std::strlen(begin);
    } else {
        end = begin + std::strlen(begin);
        while (end > begin && IsBlank(end[-1]))
            --end;
    }
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (length == 0 || length >= size)
        return false;
    std::memcpy(out, begin, length);
    out[length] = '\0';
    return true;
}
