// Names the program proposes and writes for its output files.
#pragma once
#include <cstddef>

struct LocalTime {
    int year, month, day, hour, minute, second;
};

// Gives the file name of path the extension ext (without dot): the part after the last dot of
// the file name is replaced, or ".ext" appended when it has none. Bounded and terminated.
void ReplaceExtension(char* path, const char* ext, std::size_t size);
// "%04i-%02i-%02i_%02iH%02iM%02iS" + suffix, e.g. ".PNG".
void TimeStampName(const LocalTime& t, const char* suffix, char* out, std::size_t size);
// The folder of a chosen file as the Open dialog leaves it: the path up to its last
// backslash at index 1 or later; empty when there is none.
void LastFolderOf(const char* path, char* out, std::size_t size);
