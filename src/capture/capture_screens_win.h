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
// Hands the loaded BasePicture over to the colour screen, which replaces this screen.
void EnterEditing(HWND screen, int ownScreenId);
// Turns the click and shutter sounds on or off and remembers it; the caller reloads its skin.
void ToggleSpeaker();
