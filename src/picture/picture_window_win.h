// The borderless window that shows the picture being edited.
#pragma once
#include <windows.h>

extern HWND PictureWindow;
extern HBITMAP DisplayBitmap;

LRESULT CALLBACK PictureWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Deletes the picture surfaces that live until the main window goes.
void DeletePictureSurfaces();
