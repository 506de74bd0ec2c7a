// The program's one top-level window and its process-wide handles.
#pragma once
#include <windows.h>

extern HWND MainWindow;
extern HINSTANCE AppInstance;
extern int ColorDepth;
extern int SpeakerOn;

// The one error and debug report: an ownerless box with an OK button.
int ShowMessage(const char* caption, const char* format, ...);
// Copies the shown picture into the committed one.
void CommitShownPicture();
