#include "shell/screens_win.h"

#include "capture/capture_screens_win.h"
#include "decorations/decoration_screens_win.h"
#include "decorations/thumbnails_win.h"
#include "effects/effect_screens_win.h"
#include "export/export_screen_win.h"
#include "picture/picture_window_win.h"
#include "shell/layout.h"
#include "shell/layout_win.h"
#include "shell/main_win.h"
#include "shell/screen_table.h"
#include "skin/skin_win.h"

HWND ScreenWindow = nullptr;

namespace {

WNDPROC ScreenProcedure(int screenId) {
    static const WNDPROC procedures[ScreenCountValue] = {
        StartScreenProc,      CameraScreenProc,     ColourScreenProc,  PerspectiveScreenProc,
        BackgroundScreenProc, PenScreenProc,        OrnamentScreenProc, SecondOrnamentScreenProc,
        ForegroundScreenProc, CoverScreenProc,      GalleryScreenProc, ExportScreenProc,
        PictureWindowProc};
    return procedures[screenId];
}

} // namespace

HWND CreateScreen(HINSTANCE instance, HWND parent, int screenId) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ScreenProcedure(screenId);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    wc.lpszClassName = ScreenTable[screenId].className;
    RegisterClassExA(&wc); // a class still registered keeps its old registration

    const char* name = ScreenTable[screenId].className;
    if (screenId == StartScreenId)
        return CreateWindowExA(0, name, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, StartWindowSize,
                               StartWindowSize, parent, reinterpret_cast<HMENU>(1), instance,
                               nullptr);
    if (screenId == PictureScreenId)
        return CreateWindowExA(0, name, nullptr, WS_POPUP, AreaX, AreaY, AreaWidth, AreaHeight,
                               parent, nullptr, AppInstance, nullptr);
    return CreateWindowExA(0, name, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, LayoutWidth,
                           LayoutHeight, parent, reinterpret_cast<HMENU>(1), instance, nullptr);
}

void ReleaseButtonDCs(int count) {
    for (int i = 0; i < count; ++i) {
        DeleteSurface(ButtonNormDC[i]);
        DeleteSurface(ButtonHiDC[i]);
        DeleteSurface(ButtonPushDC[i]);
    }
    DeleteSurface(BackBufferDC);
}

void ReleaseThumbnailDCs() {
    for (HDC& dc : ThumbnailDC)
        DeleteSurface(dc);
    DeleteSurface(HoverMaskDC);
    DeleteSurface(SelectionMaskDC);
}

void SwitchScreen(HWND oldWindow, int oldId, int targetId) {
    if (ScreenHasThumbnails(oldId) && ScreenHasThumbnails(targetId))
        ReleaseThumbnailDCs();
    ReleaseButtonDCs(ScreenSlotCount(oldId));
    CreateScreen(AppInstance, MainWindow, targetId);
    DestroyWindow(oldWindow);
    UnregisterClassA(ScreenTable[oldId].className, AppInstance);
}

void CloseProgramFromScreen(HWND window, int screenId) {
    ReleaseButtonDCs(ScreenSlotCount(screenId));
    DestroyWindow(window);
    PostQuitMessage(0);
}

void MinimiseMainWindow() { ShowWindow(MainWindow, SW_MINIMIZE); }

void ReturnToCamera(HWND window, int screenId) {
    ShowWindow(PictureWindow, SW_HIDE);
    SwitchScreen(window, screenId, CameraScreenId);
}

void OnDisplayChange() {
    ApplyDisplayLayout();
    if (ScreenCode == 0 || ScreenCode == 1)
        return;
    const int shown = ScreenIdOfCode(ScreenCode);
    if (shown < 0)
        return;
    ReleaseButtonDCs(ScreenLoadedCount(shown));
    DestroyWindow(ScreenWindow);
    UnregisterClassA(ScreenTable[shown].className, AppInstance);
    CreateScreen(AppInstance, MainWindow, CameraScreenId);
}

LRESULT StandardScreenMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp, int screenId) {
    SkinDescriptor& skin = *ScreenTable[screenId].skin;
    switch (msg) {
    case WM_CREATE:
        ScreenWindow = w;
        ScreenCode = ScreenTable[screenId].screenCode;
        LoadScreenSkin(w, skin);
        DrawScreenButtons(w, skin, -1, -1);
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        const POINT p = MessagePoint(lp);
        bool any = false;
        for (int i = 0; i < skin.M; ++i)
            if (HitSlot(skin, i, p.x, p.y)) {
                DrawScreenButtons(w, skin, -1, i);
                any = true;
            }
        if (!any)
            DrawScreenButtons(w, skin, -1, -1);
        return 0;
    }
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int PressedSlot(HWND w, LPARAM lp, int screenId, int dragPlacement) {
    SkinDescriptor& skin = *ScreenTable[screenId].skin;
    const POINT p = MessagePoint(lp);
    int slot = -1;
    for (int i = 0; i < skin.M; ++i)
        if (HitSlot(skin, i, p.x, p.y)) {
            DrawScreenButtons(w, skin, i, -1);
            PlayClick();
            slot = i;
        }
    if (slot < 0 && ExactDisplay == 1)
        DragMainWindow(w, dragPlacement);
    return slot;
}
