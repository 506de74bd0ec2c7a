// The borderless window that shows the picture being edited.
#pragma once
#include <windows.h>

#include "skin/color_planes.h"

// What the picture window shows, made for each picture that enters editing.
extern HBITMAP DisplayBitmap;
// Off-screen surface of the Background and pen screens, made by those screens.
extern HBITMAP PaintBitmap;
extern HDC PaintDC;

LRESULT CALLBACK PictureWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// Paints a bitmap of the picture's size into the picture window.
void ShowBitmapInPictureWindow(HBITMAP bitmap);
// Converts a picture into DisplayBitmap and paints it into the picture window.
void ShowPlanes(const ColorPlanes& picture);
// DisplayBitmap for a picture of this size (the old one goes); false when it cannot be made.
bool CreateDisplaySurface(int width, int height);
void DeleteDisplaySurface();
// Clears on every editing screen: the picture of arrival becomes committed and shown again.
void RestoreEntryPicture();
// Copies the shown picture into the committed one.
void CommitShownPicture();
// The committed picture onto the clipboard as a bitmap (the right click, Ctrl+C).
void CopyPictureToClipboard();
void DeletePaintSurface();
// The camera screen's live picture of width x height, centred in the picture window (which
// covers the area) as its snapshot will arrive, the screen's own picture around it.
void ShowLivePicture(const ColorPlanes& picture, int width, int height);
// Drawn over the camera screen's live picture (its countdown and flash); null for nothing.
extern void (*LiveOverlayHook)(HDC dc, int width, int height);
// The live picture goes; the picture window shows the screen behind it until the next one.
void DeleteLiveSurface();
// Deletes the picture surfaces that live until the main window goes.
void DeletePictureSurfaces();
