// The two registry settings and the program's folders.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

extern char ProgramFolder[PathSize];
extern char PicturesFolder[PathSize];

int EnsureSettingsKey();
DWORD ReadSettingNumber(const char* name, DWORD fallback);
int ReadSettingString(const char* name, const char* fallback, char* out, DWORD size);
int WriteSettingString(const char* name, const char* text);
int WriteSettingNumber(const char* name, DWORD number);
void SetUpFolders();
// Plays a sound file of the program folder, asynchronously: by its full path, so that a
// change of the current folder (the Save dialog's) never silences it.
void PlayProgramSound(const char* name);
