// What the six decoration and pen screens share: opening, hover marks, presses, the
// navigation buttons, and the surfaces that outlive one screen.
#pragma once
#include <windows.h>

#include "skin/color_planes.h"
#include "skin/screen_slots.h"

// Marks the screen as shown, loads its skin and draws it with the remembered button pressed.
void OpenDecorationScreen(HWND w, int screenId);
// Redraws the buttons with the screen's pressed button and HoveredButton.
void RedrawDecorationScreen(HWND w, int screenId);
// Hover marks: a redraw when the button under the point changes, or on every call if `always`.
void TrackDecorationHover(HWND w, int screenId, LPARAM lp, bool always);
// A left-button press: the button under the point (the last hit), drawn as selected thumbnail
// or pressed button, with the click sound; -1 when none was hit (the main window is then
// dragged on displays that are not the layout's size).
int PressDecorationButton(HWND w, int screenId, LPARAM lp);
// Close, H, Min, Pre, OK and fun0..fun5; true when the slot was one of them.
bool NavigateFromDecorationScreen(HWND w, int screenId, int slot);

// Lists the screen's folder (and the Foreground's weights folder) beside the program.
void ListDecorationFolders(int code);
// Page ThumbnailPage of the screen's list into the slots and onto the back buffer.
void ShowThumbnailPage(HWND w, int code);
// "PgUp" and "PgDn": the selection mark goes and the (possibly unchanged) page is shown again.
void TurnPage(HWND w, int code, bool down);

// The Background and pen screens' paint surface, made afresh from BasePicture.
// The paint surface of the Background and pen screens, holding the committed picture.
void CreatePaintSurface();
void RefreshPaintSurface(const ColorPlanes& picture);
// A closing screen's surfaces go unless the screen that replaced it (ScreenCode, already
// set when a screen is switched) uses them; a screen closing without a successor releases
// them too.
void ReleasePaintSurfaceOnClose(int ownCode);
void ReleaseThumbnailsOnClose(int ownCode);
// The closing screen's lists.
void FreeDecorationLists(int ownCode);
