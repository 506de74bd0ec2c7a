// "Child42".."Child45": stickers dragged and stamped (keyed and weighted), picture-sized
// foregrounds blended through their weights pictures, and covers.
#include "decorations/decoration_kit_win.h"
#include "decorations/decoration_screens.h"
#include "decorations/decoration_screens_win.h"
#include "decorations/thumbnail_pages.h"
#include "decorations/thumbnails_win.h"
#include "navigation/navigation_win.h"
#include "picture/compositing.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_file.h"
#include "picture/picture_file_win.h"
#include "picture/picture_window.h"
#include "picture/picture_window_win.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/skin_win.h"

#include <cstring>

namespace {

int CodeOf(int screenId) {
    return ScreenTable[screenId].screenCode;
}

bool KeepsDecorationNames(int code) {
    return code == 44 || code == 45;
}

void Open(HWND w, int screenId) {
    const int code = CodeOf(screenId);
    OpenDecorationScreen(w, screenId);
    ListDecorationFolders(code);
    ThumbnailPage = 0;
    CreateThumbnailSurfaces(w);
    ShowThumbnailPage(w, code);
    CopyPicture(BasePicture, EntryPicture);
    DecorationMoved = 0;
    DecorationScreenOf(code).lastChosenSlot = -1;
    // The gallery borrows the decoration planes: until a thumbnail is chosen, a click in the
    // picture must composite nothing.
    DecorationWidth = DecorationHeight = 0;
    DecorationX = DecorationY = 0;
    Dragging = 0;
}

void Clears() {
    ClearsHistory();
    RestoreEntryPicture();
}

// A sticker at its natural size in the top-left corner, with its own colours as weights.
void ChooseOrnament(int code, const char* path) {
    if (DecorationMoved != 0) {
        // The picture with the last sticker where it was dropped becomes an undo step.
        DecorationMoved = 0;
        Snapshot();
    }
    LoadPictureFile(path, DecorationPicture.blue, DecorationPicture.green, DecorationPicture.red,
                    &DecorationWidth, &DecorationHeight, NaturalSize);
    DecorationX = DecorationY = 0;
    Dragging = 0;
    BlendMode = code == 42 ? KeyedBlend : WeightedBlend;
    const long long pixels = static_cast<long long>(DecorationWidth) * DecorationHeight;
    const std::size_t n =
        pixels > 0 ? static_cast<std::size_t>(pixels < PlaneCapacity ? pixels : PlaneCapacity) : 0;
    std::memcpy(DecorationWeights.blue, DecorationPicture.blue, n);
    std::memcpy(DecorationWeights.green, DecorationPicture.green, n);
    std::memcpy(DecorationWeights.red, DecorationPicture.red, n);
    const KernelSpan kernel;
    CompositePlacedDecoration();
    ShowPlanes(CurrentPicture);
}

// A picture-sized overlay through its weights picture. A foreground whose weights picture
// is missing (the weights folder holds fewer files) is weighted by its own colours rather
// than by whatever the weights planes held.
void ApplyForeground(const char* picture, const char* weights) {
    const bool paired = weights[0] != '\0';
    int weightsWidth = 0, weightsHeight = 0;
    if (paired)
        LoadPictureFile(weights, DecorationWeights.blue, DecorationWeights.green,
                        DecorationWeights.red, &weightsWidth, &weightsHeight, StretchToPicture);
    LoadPictureFile(picture, DecorationPicture.blue, DecorationPicture.green, DecorationPicture.red,
                    &DecorationWidth, &DecorationHeight, StretchToPicture);
    if (!paired)
        CopyPicture(DecorationPicture, DecorationWeights);
    DecorationX = DecorationY = 0;
    Dragging = 0;
    BlendMode = WeightedBlend;
    const KernelSpan kernel;
    CompositeFullPicture(DecorationPicture.blue, DecorationPicture.green, DecorationPicture.red,
                         BasePicture.blue, BasePicture.green, BasePicture.red, CurrentPicture.blue,
                         CurrentPicture.green, CurrentPicture.red, DecorationWeights.blue,
                         DecorationWeights.green, DecorationWeights.red, WeightedBlend);
    ShowPlanes(CurrentPicture);
}

void ApplyCover(const char* path) {
    LoadPictureFile(path, DecorationPicture.blue, DecorationPicture.green, DecorationPicture.red,
                    &DecorationWidth, &DecorationHeight, StretchToPicture);
    DecorationX = DecorationY = 0;
    Dragging = 0;
    BlendMode = WeightedBlend;
    CopyPicture(DecorationPicture, DecorationWeights);
    const KernelSpan kernel;
    CompositePlacedDecoration();
    ShowPlanes(CurrentPicture);
}

void ChooseThumbnail(int code, int slot) {
    const char* picture = SkinChild4x.norm[slot];
    const char* weights = SkinChild4x.hi[slot];
    if (picture[0] == '\0')
        return; // an empty slot of the last page
    if (code == 42 || code == 43) {
        ChooseOrnament(code, picture);
        return;
    }
    DecorationScreenState& s = DecorationScreenOf(code);
    if (slot == s.lastChosenSlot)
        return;
    // These entries name decoration files, which must stay.
    DiscardRedo(nullptr);
    PushHistory(&HistoryTop, picture, code == 44 ? weights : nullptr);
    HistoryCursor = HistoryTop;
    if (code == 44)
        ApplyForeground(picture, weights);
    else
        ApplyCover(picture);
    s.lastChosenSlot = slot;
}

void Step(int code, bool back) {
    if (!KeepsDecorationNames(code)) {
        if (back ? StepBackInHistory() : StepForwardInHistory())
            CommitShownPicture();
        return;
    }
    const HistoryStep step = back ? StepBack() : StepForward();
    if (!step.moved)
        return;
    if (step.node == nullptr) {
        CopyPicture(EntryPicture, CurrentPicture);
        ShowPlanes(CurrentPicture);
    } else if (code == 44) {
        ApplyForeground(step.node->path, step.node->secondPath);
    } else {
        ApplyCover(step.node->path);
    }
}

void Press(HWND w, int screenId, LPARAM lp) {
    const int code = CodeOf(screenId);
    const int slot = PressDecorationButton(w, screenId, lp);
    if (KeepsDecorationNames(code) && slot < FirstThumbnailOf4x)
        DecorationScreenOf(code).lastChosenSlot = -1;
    if (slot < 0)
        return;
    if (CommitsBeforeAction(code, slot))
        CommitShownPicture();
    if (NavigateFromDecorationScreen(w, screenId, slot))
        return;
    switch (slot) {
    case DecorationSlot::Clears:
        Clears();
        break;
    case DecorationSlot::Back:
    case DecorationSlot::Forward:
        Step(code, slot == DecorationSlot::Back);
        break;
    case DecorationSlot::PgUp:
    case DecorationSlot::PgDn:
        TurnPage(w, code, slot == DecorationSlot::PgDn);
        break;
    case OrnamentSlot::Done:
        break; // the commit is all it does
    default:
        if (slot >= FirstThumbnailOf4x)
            ChooseThumbnail(code, slot);
    }
}

LRESULT ScreenMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp, int screenId) {
    const int code = CodeOf(screenId);
    switch (msg) {
    case WM_CREATE:
        Open(w, screenId);
        return 0;
    case WM_DESTROY:
        // The next screen already set ScreenCode: name our own.
        EmptyHistoryOfScreen(code);
        FreeDecorationLists(code);
        ReleaseThumbnailsOnClose(code);
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
        TrackDecorationHover(w, screenId, lp, false);
        return 0;
    case WM_LBUTTONUP:
        if (code != 42)
            TrackDecorationHover(w, screenId, lp, false);
        return 0;
    case WM_LBUTTONDOWN:
        Press(w, screenId, lp);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

LRESULT CALLBACK OrnamentScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return ScreenMessage(w, msg, wp, lp, OrnamentScreenId);
}
LRESULT CALLBACK SecondOrnamentScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return ScreenMessage(w, msg, wp, lp, SecondOrnamentScreenId);
}
LRESULT CALLBACK ForegroundScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return ScreenMessage(w, msg, wp, lp, ForegroundScreenId);
}
LRESULT CALLBACK CoverScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return ScreenMessage(w, msg, wp, lp, CoverScreenId);
}
