// The start screen and the camera screen, and what they share.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

extern char StartFileName[PathSize];
extern char LastFolder[PathSize];
extern char PictureFromFile;

LRESULT CALLBACK StartScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK CameraScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

// Turns the click and shutter sounds on or off and remembers it; the caller reloads its skin.
void ToggleSpeaker(HWND screen);
