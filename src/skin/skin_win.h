// Skin surfaces, button drawing, hit handling and window dragging.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

extern HDC BackBufferDC;
extern HDC ButtonNormDC[MaxSlots];
extern HDC ButtonHiDC[MaxSlots];
extern HDC ButtonPushDC[MaxSlots];
extern int HoveredButton;

constexpr COLORREF NoSecondKey = RGB(0, 0, 0);
constexpr COLORREF PureRedKey = RGB(255, 0, 0);

int LoadSkin(HWND window, const char* background, int width, int height, int n, char (*norm)[PathSize],
             char (*hi)[PathSize], char (*push)[PathSize], const int* widths, const int* heights,
             int shaped, const char* preview);
// Loads a full-size screen's skin from its descriptor (no shape, no preview).
int LoadScreenSkin(HWND window, SkinDescriptor& skin);
HRGN RegionFromBitmap(HBITMAP bitmap, const BYTE key[3], const BYTE tolerance[3]);

void DrawButtons(HWND window, int pressed, int hovered, int m, const int* x, const int* y,
                 const int* width, const int* height, int k, int mode, COLORREF key2);
// DrawButtons with a screen's own tables, key colours and thumbnail mode.
void DrawScreenButtons(HWND window, const SkinDescriptor& skin, int pressed, int hovered);
// Lets the user move the main window by its background, with the hand cursors.
void MoveMainWindowWithMouse(HWND screen);
void DragMainWindow(HWND screen, int placement);
void ShowBitmapInPictureWindow(HBITMAP bitmap);
// Deletes a memory surface with the bitmap selected into it and marks it empty.
void DeleteSurface(HDC& dc);
// "Star.wav", asynchronously, when the sound is on.
void PlayClick();

// Paints the invalid part of a screen from the back buffer.
void PaintFromBackBuffer(HWND window);
// Position of a mouse message: both halves of the position word, unsigned.
POINT MessagePoint(LPARAM lp);
