// "Child03": the picture turned as a card in space, with undo and redo of the presses.
#include "effects/effect_screens_win.h"
#include "effects/warp.h"
#include "effects/press_history.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_window_win.h"
#include "shell/main_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"
#include "skin/color_planes.h"

namespace {

constexpr int ClearsSlot = 5, UndoSlot = 6, RedoSlot = 7;

void Change(int code, bool undo) {
    if (ChangeWarpSetting(code, undo))
        ApplyPerspective();
}

void Press(int code) {
    if (!WarpPressAllowed(code))
        return;
    DropRedoPresses();
    PushEffect(&EffectTop, code);
    EffectCursor = EffectTop;
    Change(code, false);
}

void Clears() {
    while (const int code = UndoPress())
        Change(code, true);
    RestoreEntryPicture();
}

void PressPerspectiveScreen(HWND w, LPARAM lp) {
    const int slot = PressedSlot(w, lp, PerspectiveScreenId, PerspectiveScreenId);
    if (HandleTitleBarSlot(w, PerspectiveScreenId, slot))
        return;
    switch (slot) {
    case PreSlot:
    case OkSlot:
        CommitShownPicture();
        SwitchScreen(w, PerspectiveScreenId, slot == PreSlot ? ColourScreenId : BackgroundScreenId);
        break;
    case ClearsSlot:
        Clears();
        break;
    case UndoSlot:
        if (const int code = UndoPress())
            Change(code, true);
        break;
    case RedoSlot:
        if (const int code = RedoPress())
            Change(code, false);
        break;
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
