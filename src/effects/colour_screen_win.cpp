// "Child02": brightness, colourfulness and hue, with undo and redo of the presses.
#include "capture/capture_screens_win.h"
#include "effects/colour_adjust.h"
#include "effects/effect_screens_win.h"
#include "navigation/navigation_win.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_window_win.h"
#include "picture/press_history.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/skin_win.h"

namespace {

void Press(int code) {
    const KernelSpan kernel;
    if (PressColour(code).memoryFull)
        ReportMemoryFull();
}

void Clears() {
    UndoAllColourPresses();
    RestoreEntryPicture();
}

void PressColourScreen(HWND w, LPARAM lp) {
    const int slot = PressedSlot(w, lp, ColourScreenId, ColourScreenId);
    if (HandleTitleBarSlot(w, ColourScreenId, slot))
        return;
    switch (slot) {
    case TitleSlot::Pre:
        PictureFromFile = 0;
        SwitchScreen(w, ColourScreenId, CameraScreenId);
        break;
    case TitleSlot::Ok:
        CommitShownPicture();
        SwitchScreen(w, ColourScreenId, PerspectiveScreenId);
        break;
    case ColourSlot::Clears:
        Clears();
        break;
    case ColourSlot::Undo: {
        const KernelSpan kernel;
        UndoColourPress();
        break;
    }
    case ColourSlot::Redo: {
        const KernelSpan kernel;
        RedoColourPress();
        break;
    }
    default:
        if (slot >= ColourSlot::FirstPress)
            Press(BrightnessPlus + slot - ColourSlot::FirstPress);
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
