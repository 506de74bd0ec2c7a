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
// A switch the user flipped, kept as 1 or 0; when the registry refuses, the user hears that it
// holds for this run only. what: the setting as the user knows it ("sound").
void RememberSwitch(const char* name, bool on, const char* what);
void SetUpFolders();
// Plays a sound file of the program folder, asynchronously: by its full path, so that a
// change of the current folder (the Save dialog's) never silences it.
void PlayProgramSound(const char* name);
// Ends the sound thread and the sound still playing, so that the program never exits with a
// thread halfway into the sound device.
void StopProgramSounds();
