// The one Open/Save dialog record the program uses.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include "capture/file_dialog.h"

extern OPENFILENAMEA OpenFileSpec;

void PrepareFileDialog(HWND owner, FilterChoice choice);
// Non-zero when the user chose a file; the buffers hold 260 characters.
BOOL AskOpenFile(HWND owner, char* file, char* title);
BOOL AskSaveFile(HWND owner, char* file, char* title);
