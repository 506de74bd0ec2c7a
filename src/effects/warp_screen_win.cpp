// "Child03": the picture turned as a card in space, with undo and redo of the presses.
#include "effects/effect_screens_win.h"
#include "effects/warp.h"
#include "navigation/navigation_win.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_window_win.h"
#include "picture/press_history.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"

namespace {

void Press(int code) {
    const KernelSpan kernel;
    const PressOutcome outcome = PressWarp(code);
    if (outcome.memoryFull)
        ReportMemoryFull();
    if (outcome.changed)
        ApplyPerspective();
}

// The settings go back press by press; only the entry picture needs showing.
void Clears() {
    while (const int code = UndoPress())
        ChangeWarpSetting(code, true);
    RestoreEntryPicture();
}

void PressPerspectiveScreen(HWND w, LPARAM lp) {
    const int slot = PressedSlot(w, lp, PerspectiveScreenId, PerspectiveScreenId);
    if (HandleTitleBarSlot(w, PerspectiveScreenId, slot))
        return;
    switch (slot) {
    case TitleSlot::Pre:
    case TitleSlot::Ok:
        CommitShownPicture();
        SwitchScreen(w, PerspectiveScreenId, slot == TitleSlot::Pre ? ColourScreenId : BackgroundScreenId);
        break;
    case PerspectiveSlot::Clears:
        Clears();
        break;
    case PerspectiveSlot::Undo: {
        const KernelSpan kernel;
        if (UndoWarpPress())
            ApplyPerspective();
        break;
    }
    case PerspectiveSlot::Redo: {
        const KernelSpan kernel;
        if (RedoWarpPress())
            ApplyPerspective();
        break;
    }
    default:
        if (slot >= FirstWarpCode && slot <= LastWarpCode)
            Press(slot); // the turn and scale buttons' slots are their codes
    }
}

} // namespace

LRESULT CALLBACK PerspectiveScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        StandardScreenMessage(w, msg, wp, lp, PerspectiveScreenId);
        CopyPicture(BasePicture, EntryPicture);
        return 0;
    case WM_DESTROY:
        EmptyEffectStack();
        return 0;
    case WM_LBUTTONDOWN:
        PressPerspectiveScreen(w, lp);
        return 0;
    }
    return StandardScreenMessage(w, msg, wp, lp, PerspectiveScreenId);
}
