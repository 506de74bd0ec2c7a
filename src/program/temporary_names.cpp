#include "program/temporary_names.h"

#include <cstdio>
#include <cstring>

namespace {

const char Stem[] = "flimmer-";
const char Ending[] = ".tmp";

// Windows compares names without regard to case.
bool StartsWith(const char* text, const char* start) {
    for (; *start != '\0'; ++text, ++start)
        if (*text == '\0' || (*text | 0x20) != *start)
            return false;
    return true;
}

// Reads decimal digits up to the stop character; false on none or on overflow.
bool ReadNumber(const char*& p, char stop, unsigned long* value) {
    unsigned long n = 0;
    const char* start = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const unsigned long digit = static_cast<unsigned long>(*p - '0');
        if (n > (0xFFFFFFFFUL - digit) / 10)
            return false;
        n = n * 10 + digit;
    }
    if (p == start || *p != stop)
        return false;
    *value = n;
    return true;
}

} // namespace

bool TemporaryFileName(const char* folder, const char* prefix, unsigned long pid,
                       unsigned long counter, char* out, std::size_t size) {
    if (size == 0)
        return false;
    const std::size_t n = std::strlen(folder);
    const char* separator = n > 0 && folder[n - 1] != '\\' ? "\\" : "";
    const int written = std::snprintf(out, size, "%s%s%s%s%lu-%lu%s", folder, separator, prefix,
                                      Stem, pid, counter, Ending);
    if (written < 0 || static_cast<std::size_t>(written) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool IsTemporaryFileName(const char* name, unsigned long* pid) {
    const char* p = name;
    if (*p == '~')
        ++p;
    if (!StartsWith(p, Stem))
        return false;
    p += sizeof Stem - 1;
    unsigned long run = 0, counter = 0;
    if (!ReadNumber(p, '-', &run))
        return false;
    ++p;
    if (!ReadNumber(p, '.', &counter))
        return false;
    if (!StartsWith(p, Ending) || p[sizeof Ending - 1] != '\0')
        return false;
    *pid = run;
    return true;
}
