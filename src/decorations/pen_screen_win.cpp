// "Child41": free-hand drawing in a chosen colour; the strokes themselves are made in the
// picture window.
#include "decorations/decoration_kit_win.h"
#include "decorations/decoration_screens.h"
#include "decorations/decoration_screens_win.h"
#include "decorations/pen_colour_win.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_window.h"
#include "picture/picture_window_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

namespace {

constexpr int Code = 41;

void Open(HWND w) {
    OpenDecorationScreen(w, PenScreenId);
    CreatePaintSurface();
    CopyPicture(BasePicture, EntryPicture);
}

void Clears() {
    ClearsHistory();
    RestoreEntryPicture();
    RefreshPaintSurface(BasePicture);
}

void Press(HWND w, LPARAM lp) {
    const int slot = PressDecorationButton(w, PenScreenId, lp);
    if (slot < 0)
        return;
    if (CommitsBeforeAction(Code, slot))
        CommitShownPicture();
    if (NavigateFromDecorationScreen(w, PenScreenId, slot))
        return;
    switch (slot) {
    case DecorationSlot::Clears:
        Clears();
        break;
    case DecorationSlot::Back:
    case DecorationSlot::Forward:
        if (slot == DecorationSlot::Back ? StepBackInHistory() : StepForwardInHistory())
            CommitShownPicture();
        break;
    case PenSlot::Enlarge:
        PenWidth = EnlargedWidth(PenWidth);
        break;
    case PenSlot::Reduce:
        PenWidth = ReducedWidth(PenWidth);
        break;
    case PenSlot::Color:
        PenColor = PickColor(PenColor);
        break;
    }
}

} // namespace

LRESULT CALLBACK PenScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        Open(w);
        return 0;
    case WM_DESTROY:
        // The next screen already set ScreenCode: name our own.
        ReleasePaintSurfaceOnClose(Code);
        EmptyHistoryOfScreen(Code);
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        TrackDecorationHover(w, PenScreenId, lp, true);
        return 0;
    case WM_LBUTTONDOWN:
        Press(w, lp);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
