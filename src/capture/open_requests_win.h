// Pictures that arrive from outside the program's own Open buttons: the command line, a second
// start of the program with a file, and files dropped on its windows.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

// Posted to the main window when a picture waits to be opened.
constexpr UINT OpenRequestMessage = WM_APP + 2;
// The main window's timer that tries the waiting picture again once a dialog has closed.
constexpr UINT_PTR OpenRetryTimer = 7;

// The picture named on the program's command line, made absolute; empty when none.
extern char StartupPicture[PathSize];
void ReadStartupPicture(const char* commandLine);

// False, after saying why in a message, when the path is missing, a folder or no picture.
bool PicturePathUsable(const char* path);

// A second start: hands its picture (or nothing) to the running copy, which comes to the front.
void HandOverToRunningCopy(HWND running, const char* path);
// The running copy's side of it: the picture waits for OpenRequestedPicture.
LRESULT ReceiveHandedOverPicture(const COPYDATASTRUCT* data);
// Files dropped on any window of the program: the first picture among them waits to be opened.
void ReceiveDroppedFiles(HDROP drop);
// True when the picture being edited may go: nothing unsaved, or the user said yes to the
// question, which is asked with a note that the changes would be lost.
bool MayReplacePicture(const char* question);
// Opens the waiting picture on the colour screen, from whichever screen is shown, after asking
// when that would lose unsaved edits; waits while a dialog or a mouse capture is in the way.
void OpenRequestedPicture();
