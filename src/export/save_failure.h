// What a failed save tells the user: the file's name and the reason, in the program's words.
#pragma once
#include <cstddef>

// The reason for a system error number met while saving, or null for one without words of its
// own; 0 stands for a picture that the imaging library could not write.
const char* SaveFailureReason(unsigned long error);
// "Flimmer could not save NAME: REASON." where NAME is the file name part of path; an error
// without words of its own is given by its number.
void SaveFailureText(const char* path, unsigned long error, char* out, std::size_t size);
// True when two paths name the same file as Windows compares names (without regard to case).
bool SameFileName(const char* a, const char* b);
