// Creating screens and handing over from one screen to the next.
#pragma once
#include <windows.h>

extern HWND ScreenWindow;

HWND CreateScreen(HINSTANCE instance, HWND parent, int screenId);
void ReleaseButtonDCs(int count);
void ReleaseThumbnailDCs();
// Releases the old screen's surfaces, creates the target, then destroys the old screen.
void SwitchScreen(HWND oldWindow, int oldId, int targetId);
// "Close": the program ends when the message loop next runs.
void CloseProgramFromScreen(HWND window, int screenId);
void MinimiseMainWindow();
// "H": hides the picture and returns to the camera screen.
void ReturnToCamera(HWND window, int screenId);
// Main window's reaction to a new display size.
void OnDisplayChange();

// Message handling shared by the full-size screens: creation (sets ScreenCode and
// ScreenWindow, loads the skin), paint, mouse move and button up.
LRESULT StandardScreenMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp, int screenId);
// Left button down: shows the press, clicks, and returns the slot to act on; with no
// slot under the mouse the main window is dragged on non-native displays.
int PressedSlot(HWND w, LPARAM lp, int screenId, int dragPlacement);
