// "Child40": a background that the user paints into the picture, or that replaces one colour.
#include "decorations/decoration_kit_win.h"
#include "decorations/decoration_screens.h"
#include "decorations/decoration_screens_win.h"
#include "decorations/thumbnail_pages.h"
#include "decorations/thumbnails_win.h"
#include "picture/compositing.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_file.h"
#include "picture/picture_file_win.h"
#include "picture/picture_window.h"
#include "picture/picture_window_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

#include <cstring>

namespace {

constexpr int Code = 40;

void Open(HWND w) {
    OpenDecorationScreen(w, BackgroundScreenId);
    ListDecorationFolders(Code);
    ThumbnailPage = 0;
    CreateThumbnailSurfaces(w);
    ShowThumbnailPage(w, Code);
    CopyPicture(BasePicture, EntryPicture);
    DecorationMoved = 0;
    CreatePaintSurface();
}

void Clears() {
    ClearsHistory();
    RestoreEntryPicture();
    RefreshPaintSurface(BasePicture);
}

void Step(bool back) {
    if (!(back ? StepBackInHistory() : StepForwardInHistory()))
        return;
    // A click without a stroke commits the paint surface: it must hold the state now shown.
    RefreshPaintSurface(CurrentPicture);
}

// Nothing changes on screen: the background shows where the user paints or double-clicks.
void ChooseBackground(int slot) {
    const char* path = SkinChild40.norm[slot];
    if (path[0] == '\0')
        return; // an empty slot of the last page
    std::memset(DecorationWeights.blue, 0, PlaneCapacity);
    std::memset(DecorationWeights.green, 0, PlaneCapacity);
    std::memset(DecorationWeights.red, 0, PlaneCapacity);
    LoadPictureFile(path, DecorationPicture.blue, DecorationPicture.green, DecorationPicture.red,
                    &DecorationWidth, &DecorationHeight, StretchToPicture);
}

void Press(HWND w, LPARAM lp) {
    const int slot = PressDecorationButton(w, BackgroundScreenId, lp);
    if (slot < 0)
        return;
    if (CommitsBeforeAction(Code, slot))
        CommitShownPicture();
    if (NavigateFromDecorationScreen(w, BackgroundScreenId, slot))
        return;
    switch (slot) {
    case DecorationSlot::Clears:
        Clears();
        break;
    case DecorationSlot::Back:
    case DecorationSlot::Forward:
        Step(slot == DecorationSlot::Back);
        break;
    case DecorationSlot::PgUp:
    case DecorationSlot::PgDn:
        TurnPage(w, Code, slot == DecorationSlot::PgDn);
        break;
    case BackgroundSlot::Enlarge:
        KeyWidth = EnlargedWidth(KeyWidth);
        break;
    case BackgroundSlot::Reduce:
        KeyWidth = ReducedWidth(KeyWidth);
        break;
    default:
        if (slot >= FirstThumbnailOf40)
            ChooseBackground(slot);
    }
}

} // namespace

LRESULT CALLBACK BackgroundScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        Open(w);
        return 0;
    case WM_DESTROY:
        // The next screen already set ScreenCode: name our own.
        EmptyHistoryOfScreen(Code);
        FreeDecorationLists(Code);
        ReleaseThumbnailsOnClose(Code);
        ReleasePaintSurfaceOnClose(Code);
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        TrackDecorationHover(w, BackgroundScreenId, lp, false);
        return 0;
    case WM_LBUTTONDOWN:
        Press(w, lp);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
