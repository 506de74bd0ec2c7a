// Bounded copies into the program's fixed 260-character path fields.
#pragma once
#include <cstddef>

// Copies at most size - 1 characters and always terminates.
void CopyText(char* dst, const char* src, std::size_t size);
// Appends as much of src as fits and always terminates.
void AppendText(char* dst, const char* src, std::size_t size);
// Puts prefix in front of text in place (bounded by size, terminated).
void PrefixText(char* text, const char* prefix, std::size_t size);
// The path up to, not including, its last backslash; empty when there is none. A field of
// size 0 gets nothing.
void FolderOfPath(const char* path, char* out, std::size_t size);
