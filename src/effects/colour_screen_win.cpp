// "Child02": brightness, colourfulness and hue, with undo and redo of the presses.
#include "capture/capture_screens_win.h"
#include "effects/colour_adjust.h"
#include "effects/effect_screens_win.h"
#include "effects/press_history.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_window_win.h"
#include "shell/main_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"
#include "skin/color_planes.h"
#include "skin/skin_win.h"

namespace {

constexpr int ClearsSlot = 5, UndoSlot = 6, RedoSlot = 7, FirstPressSlot = 8;

void Press(int code) {
    DropRedoPresses();
    ApplyColourPress(code, false);
    PushEffect(&EffectTop, code);
    EffectCursor = EffectTop;
}

void Undo() {
    if (const int code = UndoPress())
        ApplyColourPress(code, true);
}

void Clears() {
    while (const int code = UndoPress())
        ApplyColourPress(code, true);
    RestoreEntryPicture();
}

void PressColourScreen(HWND w, LPARAM lp) {
    const int slot = PressedSlot(w, lp, ColourScreenId, ColourScreenId);
    if (HandleTitleBarSlot(w, ColourScreenId, slot))
        return;
    switch (slot) {
    case PreSlot:
        PictureFromFile = 0;
        SwitchScreen(w, ColourScreenId, CameraScreenId);
        break;
    case OkSlot:
        CommitShownPicture();
        SwitchScreen(w, ColourScreenId, PerspectiveScreenId);
        break;
    case ClearsSlot:
        Clears();
        break;
    case UndoSlot:
        Undo();
        break;
    case RedoSlot:
        if (const int code = RedoPress())
            ApplyColourPress(code, false);
        break;
    default:
        if (slot >= FirstPressSlot)
            Press(BrightnessPlus + slot - FirstPressSlot);
    }
}

} // namespace

LRESULT CALLBACK ColourScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        StandardScreenMessage(w, msg, wp, lp, ColourScreenId);
        CopyPicture(BasePicture, EntryPicture);
        // Centres the picture window in the picture area (the mouse is up: no move loop).
        DragMainWindow(w, 2);
        return 0;
    case WM_DESTROY:
        EmptyEffectStack();
        return 0;
    case WM_LBUTTONDOWN:
        PressColourScreen(w, lp);
        return 0;
    }
    return StandardScreenMessage(w, msg, wp, lp, ColourScreenId);
}
