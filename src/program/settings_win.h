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
