// Names of the program's temporary files: recognisably ours, and telling which run made them.
#pragma once
#include <cstddef>

// "<folder>\<prefix>flimmer-<pid>-<counter>.tmp"; false when it does not fit in size.
bool TemporaryFileName(const char* folder, const char* prefix, unsigned long pid,
                       unsigned long counter, char* out, std::size_t size);
// True for a bare file name made by TemporaryFileName with an empty prefix (or the prefix "~");
// *pid is then the run that made it.
bool IsTemporaryFileName(const char* name, unsigned long* pid);
