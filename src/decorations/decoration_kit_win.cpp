#include "decorations/decoration_kit_win.h"

#include "common/text.h"
#include "decorations/catalogue_win.h"
#include "decorations/thumbnails_win.h"
#include "program/settings_win.h"

#include "decorations/decoration_screens.h"
#include "decorations/thumbnail_pages.h"
#include "navigation/navigation_win.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

namespace {

constexpr int RememberedBelow = 10;

int CodeOf(int screenId) {
    return ScreenTable[screenId].screenCode;
}

const SkinDescriptor& SkinOf(int screenId) {
    return *ScreenTable[screenId].skin;
}

bool ShowsThumbnails(int code) {
    return FirstThumbnailButton(code) >= 0;
}

} // namespace

void OpenDecorationScreen(HWND w, int screenId) {
    ScreenWindow = w;
    ScreenCode = CodeOf(screenId);
    HoveredButton = -1;
    SelectedThumbnail = -1;
    DecorationScreenOf(ScreenCode).pressedButton = RememberedDecorationButton;
    LoadScreenSkin(w, *ScreenTable[screenId].skin);
    RedrawDecorationScreen(w, screenId);
}

void RedrawDecorationScreen(HWND w, int screenId) {
    DrawScreenButtons(w, SkinOf(screenId), DecorationScreenOf(CodeOf(screenId)).pressedButton,
                      HoveredButton);
    if (ScreenHasThumbnails(screenId))
        DrawThumbnails(w);
}

void TrackDecorationHover(HWND w, int screenId, LPARAM lp, bool always) {
    const POINT p = MessagePoint(lp);
    const int under = SlotAtPoint(SkinOf(screenId), p.x, p.y);
    if (under == HoveredButton && !always)
        return;
    HoveredButton = under;
    RedrawDecorationScreen(w, screenId);
}

int PressDecorationButton(HWND w, int screenId, LPARAM lp) {
    const int code = CodeOf(screenId);
    const POINT p = MessagePoint(lp);
    const int slot = SlotAtPoint(SkinOf(screenId), p.x, p.y);
    if (slot < 0) {
        if (ExactDisplay == 1)
            DragMainWindow(w, code);
        return -1;
    }
    const int first = FirstThumbnailButton(code);
    if (first >= 0 && slot >= first)
        SelectedThumbnail = slot;
    else
        DecorationScreenOf(code).pressedButton = slot;
    RedrawDecorationScreen(w, screenId);
    PlayClick();
    if (slot < RememberedBelow)
        RememberedDecorationButton = slot;
    return slot;
}

bool NavigateFromDecorationScreen(HWND w, int screenId, int slot) {
    if (HandleTitleBarSlot(w, screenId, slot))
        return true;
    if (slot == TitleSlot::Pre) {
        SwitchScreen(w, screenId, PerspectiveScreenId);
        return true;
    }
    if (slot == TitleSlot::Ok) {
        SwitchScreen(w, screenId, GalleryScreenId);
        return true;
    }
    if (slot >= DecorationSlot::FirstSelector && slot <= DecorationSlot::LastSelector) {
        const int target = DecorationScreenOfSelector(slot - DecorationSlot::FirstSelector);
        if (target != screenId)
            SwitchScreen(w, screenId, target);
        return true;
    }
    return false;
}

void ListDecorationFolders(int code) {
    DecorationScreenState& s = DecorationScreenOf(code);
    RemoveAllPaths(&s.head, &s.tail);
    RemoveAllPaths(&s.weightsHead, &s.weightsTail);
    s.fileCount = 0;
    const char* name = DecorationFolderOf(code);
    if (name == nullptr)
        return;
    // The program's current folder is left alone: the click sound is found there.
    char folder[PathSize];
    CopyText(folder, ProgramFolder, PathSize);
    AppendText(folder, name, PathSize);
    ListPictureFiles(folder, &s.fileCount, &s.head, &s.tail);
    if (code == 44) {
        // Both listings count into one number, which ends as the weights folder's.
        CopyText(folder, ProgramFolder, PathSize);
        AppendText(folder, ForegroundWeightsFolder, PathSize);
        ListPictureFiles(folder, &s.fileCount, &s.weightsHead, &s.weightsTail);
    }
}

void ShowThumbnailPage(HWND w, int code) {
    const DecorationScreenState& s = DecorationScreenOf(code);
    const int first = ThumbnailCount * ThumbnailPage;
    if (code == 44)
        LoadForegroundPage(w, s.head, s.weightsHead, first);
    else
        LoadThumbnailPage(w, s.head, first, NormTable, code == 40 ? RowsOf40 : RowsOf4x);
    DrawThumbnails(w);
    InvalidateRect(w, nullptr, FALSE);
}

void TurnPage(HWND w, int code, bool down) {
    ThumbnailPage = down ? PageAfterPgDn(ThumbnailPage, DecorationScreenOf(code).fileCount)
                         : PageAfterPgUp(ThumbnailPage);
    SelectedThumbnail = -1;
    ShowThumbnailPage(w, code);
}

void CreatePaintSurface() {
    DeletePaintSurface();
    HDC windowDC = GetDC(PictureWindow);
    PaintBitmap = CreateCompatibleBitmap(windowDC, PictureWidth, PictureHeight);
    PaintDC = CreateCompatibleDC(windowDC);
    ReleaseDC(PictureWindow, windowDC);
    if (PaintDC != nullptr && PaintBitmap != nullptr)
        SelectObject(PaintDC, PaintBitmap);
    RefreshPaintSurface(BasePicture);
}

void RefreshPaintSurface(const ColorPlanes& picture) {
    if (PaintBitmap != nullptr)
        PlanesToBitmap(picture, PaintBitmap);
}

void ReleasePaintSurfaceOnClose(int ownCode) {
    if (ScreenCode != ownCode && (ScreenCode == 40 || ScreenCode == 41))
        return;
    DeletePaintSurface();
}

void ReleaseThumbnailsOnClose(int ownCode) {
    if (ScreenCode != ownCode && ShowsThumbnails(ScreenCode))
        return;
    ReleaseThumbnailDCs();
}

void FreeDecorationLists(int ownCode) {
    DecorationScreenState& s = DecorationScreenOf(ownCode);
    RemoveAllPaths(&s.head, &s.tail);
    RemoveAllPaths(&s.weightsHead, &s.weightsTail);
}
