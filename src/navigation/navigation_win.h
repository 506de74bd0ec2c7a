// Creating screens and handing over from one to the next: what every screen calls.
#pragma once
#include <windows.h>

// The window procedure of each screen, indexed by screen id; the shell hands its table over
// once, before the first screen is created.
void UseScreenProcedures(const WNDPROC* procedures);

HWND CreateScreen(HINSTANCE instance, HWND parent, int screenId);
// Releases the old screen's surfaces, creates the target, then destroys the old screen.
void SwitchScreen(HWND oldWindow, int oldId, int targetId);
// "Close": the program ends when the message loop next runs.
void CloseProgramFromScreen(HWND window, int screenId);
void MinimiseMainWindow();
// "H": hides the picture and returns to the camera screen.
void ReturnToCamera(HWND window, int screenId);
// Close, H and Min of the full-size screens' title bar; true when the slot was one of them.
bool HandleTitleBarSlot(HWND w, int screenId, int slot);

// Message handling shared by the full-size screens: creation (sets ScreenCode and
// ScreenWindow, loads the skin), paint, mouse move and button up.
LRESULT StandardScreenMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp, int screenId);
// Left button down: shows the press, clicks, and returns the slot to act on; with no
// slot under the mouse the main window is dragged on non-native displays.
int PressedSlot(HWND w, LPARAM lp, int screenId, int dragPlacement);

// Lets the user move the main window by its background, with the hand cursors.
void MoveMainWindowWithMouse(HWND screen);
// Moves the main window with the mouse, then puts the picture window back over the picture
// area (placement 1) or centred in it (any other placement).
void DragMainWindow(HWND screen, int placement);
