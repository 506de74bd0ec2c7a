#include "shell/layout_win.h"

#include "capture/booth_win.h"
#include "capture/capture_screens_win.h"
#include "capture/capture_win.h"
#include "navigation/navigation_win.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/skin_tables.h"
#include "skin/skin_win.h"

void ApplyDisplayLayout() {
    if (MainWindow != nullptr && IsIconic(MainWindow))
        ShowWindow(MainWindow, SW_RESTORE);
    const int dw = GetSystemMetrics(SM_CXSCREEN);
    const int dh = GetSystemMetrics(SM_CYSCREEN);
    ExactDisplay = IsExactDisplayValue(dw, dh);
    if (DisplayTooSmall(dw, dh)) {
        ReportDisplayTooSmall();
        SendMessageA(MainWindow, WM_DESTROY, 0, 0);
    } else {
        SetLayoutValues(ChooseLayout(dw, dh));
    }
    SetTitleBarCells(LayoutWidth);
    SetBottomRowCells(LayoutHeight);
    SetSkinDigit(SkinSet);

    ShowWindow(PictureWindow, SW_HIDE);
    SetWindowPos(MainWindow, nullptr, 0, 0, LayoutWidth, LayoutHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SetWindowPos(ScreenWindow, nullptr, 0, 0, LayoutWidth, LayoutHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (ScreenCode == 1) {
        StopBooth(false); // a countdown never outlives its preview
        StopCapture();
        MoveWindow(PictureWindow, AreaX, AreaY, AreaWidth, AreaHeight, FALSE);
        StartCapture();
    } else {
        int x, y;
        CentredPicturePosition(PictureWidth, PictureHeight, x, y);
        MoveWindow(PictureWindow, x, y, PictureWidth, PictureHeight, FALSE);
    }
    ShowWindow(PictureWindow, SW_SHOW);

    if (ScreenCode == 0) {
        DrawScreenButtons(ScreenWindow, SkinChild00, -1, -1);
    } else if (ScreenCode == 1) {
        ReloadCameraSkin(ScreenWindow);
    }
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
