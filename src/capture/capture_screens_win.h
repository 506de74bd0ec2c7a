// The start screen and the camera screen, and what they share.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

extern char StartFileName[PathSize];
extern char LastFolder[PathSize];
extern char PictureFromFile;
extern char CameraFileName[PathSize];

LRESULT CALLBACK StartScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK CameraScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

// Asks for a picture file, loads it fitted to the picture area and opens the colour screen.
void OpenPictureFile(HWND screen, int ownScreenId, char* file, char* title);
// Loads the picture fitted to the picture area and opens the colour screen with it, from any
// screen; with ownScreenId -1 (the program's start) there is no screen to replace yet. False,
// the loader having said why, when the picture could not be loaded.
bool OpenPictureFromPath(HWND screen, int ownScreenId, const char* file);
// The main window at full size and the loaded picture centred in the picture area, then
// EnterEditing.
void EnterEditingCentred(HWND screen, int ownScreenId);
// Hands the loaded BasePicture over to the colour screen, which replaces this screen.
void EnterEditing(HWND screen, int ownScreenId);
// The camera screen's skin loaded anew (after a display change, a switch, another camera), with
// what the program draws on it.
void ReloadCameraSkin(HWND w);
// Turns the click and shutter sounds on or off and remembers it; the caller reloads its skin.
void ToggleSpeaker();
