// Skin surfaces, button drawing, hit handling and window dragging.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

extern HDC BackBufferDC;
extern HDC ButtonNormDC[MaxSlots];
extern HDC ButtonHiDC[MaxSlots];
extern HDC ButtonPushDC[MaxSlots];
extern int HoveredButton;
// The sixteen thumbnail surfaces of the decoration screens and their two marks, filled by the
// decoration screens and released with the other skin surfaces.
extern HDC ThumbnailDC[ThumbnailCount];
extern HDC HoverMaskDC;
extern HDC SelectionMaskDC;

constexpr COLORREF PureRedKey = RGB(255, 0, 0);

// A shaped skin shows the preview picture centred on it; one that is missing or cannot be read
// is replaced by fallbackPreview without a word.
int LoadSkin(HWND window, const char* background, int width, int height, int n, char (*norm)[PathSize],
             char (*hi)[PathSize], char (*push)[PathSize], const int* widths, const int* heights,
             int shaped, const char* preview, const char* fallbackPreview = nullptr);
// Loads a full-size screen's skin from its descriptor (no shape, no preview).
int LoadScreenSkin(HWND window, SkinDescriptor& skin);
HRGN RegionFromBitmap(HBITMAP bitmap, const BYTE key[3], const BYTE tolerance[3]);

// Slots below k are keyed on black, the others on key2. Only the buttons whose state surface
// changed are drawn and invalidated (the whole window after the skin was loaded): what a caller
// adds to the back buffer it invalidates itself.
void DrawButtons(HWND window, int pressed, int hovered, int m, const int* x, const int* y,
                 const int* width, const int* height, int k, COLORREF key2);
// DrawButtons with a screen's own tables and key colours.
void DrawScreenButtons(HWND window, const SkinDescriptor& skin, int pressed, int hovered);
// The next DrawButtons draws every button and shows the whole back buffer, as after loading.
void ForgetDrawnButtons();
// Deletes a memory surface with the bitmap selected into it and marks it empty.
void DeleteSurface(HDC& dc);
// The surfaces of a screen's first count buttons and its back buffer.
void ReleaseButtonDCs(int count);
void ReleaseThumbnailDCs();
// "Star.wav", asynchronously, when the sound is on.
void PlayClick();

// The letter the program writes with at run time (captions, notices, badges); the caller
// deletes it.
HFONT CreateProgramFont(int height, int weight);
// Paints the invalid part of a screen from the back buffer.
void PaintFromBackBuffer(HWND window);
// Position of a mouse message: both halves of the position word, unsigned.
POINT MessagePoint(LPARAM lp);
