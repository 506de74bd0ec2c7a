// What a failed save tells the user: the file's name and the reason, in the program's words.
#pragma once
#include <cstddef>

// Why a save failed and what the user can do about it.
struct SaveFailureWords {
    const char* reason;
    const char* advice;
};
// The words for a system error number met while saving; 0 stands for a picture that the imaging
// library could not write.
SaveFailureWords SaveFailureWordsFor(unsigned long error);
// "Flimmer could not save NAME: REASON. ADVICE", NAME being the file name part of path, then a
// blank line and the system's error number (none for 0, which is not the system's).
void SaveFailureText(const char* path, unsigned long error, char* out, std::size_t size);
// True when two paths name the same file as Windows compares names (without regard to case).
bool SameFileName(const char* a, const char* b);
