// The picture named on the command line: "Open with" and a double-click on a photo start the
// program with its path.
#pragma once
#include <cstddef>

// Copies the first argument into out without its quotes. An unquoted rest of the line is taken
// whole, so a path with spaces that came without quotes still arrives. False when the line names
// nothing or the path does not fit into size - 1 characters (out is then empty).
bool PictureArgument(const char* commandLine, char* out, std::size_t size);
