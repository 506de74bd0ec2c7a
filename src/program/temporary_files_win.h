// The program's temporary files: made under names that say they are ours and which run made
// them, removed on every way out, and those of ended runs removed at start-up.
#pragma once
#include <windows.h>

// A new, empty file of ours in the temporary folder; its full name in out (PathSize).
bool MakeTemporaryFileName(char* out, DWORD* error);
// A new, empty file of ours in the folder of path, to be renamed onto path when whole.
bool MakeTemporaryFileBeside(const char* path, char* out, DWORD* error);
// Removes this run's files from the temporary folder (program exit).
void RemoveOwnTemporaryFiles();
// Removes the files in the temporary folder left by runs that no longer run.
void RemoveTemporaryFilesOfEndedRuns();
