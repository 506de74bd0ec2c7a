// "Child40".."Child45": the decoration screens and the pen screen, with the
// selector buttons fun0..fun5 that switch among them.
#include "decorations/decoration_screens_win.h"

#include "shell/main_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"

namespace {

constexpr int FirstSelectorSlot = 8, SelectorCount = 6;

LRESULT DecorationScreenMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp, int screenId) {
    if (msg != WM_LBUTTONDOWN)
        return StandardScreenMessage(w, msg, wp, lp, screenId);
    const int slot = PressedSlot(w, lp, screenId, ScreenTable[screenId].screenCode);
    if (HandleTitleBarSlot(w, screenId, slot))
        return 0;
    // The pen works on the shown picture, which is committed only by OK.
    const bool commitsOnSelect = screenId != PenScreenId;
    if (slot == PreSlot) {
        SwitchScreen(w, screenId, PerspectiveScreenId);
    } else if (slot == OkSlot) {
        CommitShownPicture();
        SwitchScreen(w, screenId, GalleryScreenId);
    } else if (slot >= FirstSelectorSlot && slot < FirstSelectorSlot + SelectorCount) {
        const int target = DecorationScreenOfSelector(slot - FirstSelectorSlot);
        if (target == screenId)
            return 0;
        if (commitsOnSelect)
            CommitShownPicture();
        SwitchScreen(w, screenId, target);
    }
    return 0;
}

} // namespace

LRESULT CALLBACK BackgroundScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DecorationScreenMessage(w, msg, wp, lp, BackgroundScreenId);
}
LRESULT CALLBACK PenScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DecorationScreenMessage(w, msg, wp, lp, PenScreenId);
}
LRESULT CALLBACK OrnamentScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DecorationScreenMessage(w, msg, wp, lp, OrnamentScreenId);
}
LRESULT CALLBACK SecondOrnamentScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DecorationScreenMessage(w, msg, wp, lp, SecondOrnamentScreenId);
}
LRESULT CALLBACK ForegroundScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DecorationScreenMessage(w, msg, wp, lp, ForegroundScreenId);
}
LRESULT CALLBACK CoverScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DecorationScreenMessage(w, msg, wp, lp, CoverScreenId);
}
