// "Child01": the live camera screen, the program's first screen.
#include "capture/capture_screens_win.h"

#include "capture/capture_win.h"
#include "picture/picture_window_win.h"
#include "shell/layout.h"
#include "shell/main_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"
#include "shell/settings_win.h"
#include "skin/skin_win.h"

char CameraFileName[PathSize] = "";

namespace {

constexpr int CloseSlot = 0, MinSlot = 1, SnapshotSlot = 2, FilesSlot = 3, SpeakerSlot = 4;

void ReloadCameraSkin(HWND w) {
    LoadScreenSkin(w, SkinChild01);
    DrawScreenButtons(w, SkinChild01, -1, -1);
}

// Without a camera the small start screen takes over; this screen goes first.
void FallBackToStartScreen(HWND w) {
    ShowWindow(MainWindow, SW_HIDE);
    MoveWindow(MainWindow, StartPositionX, StartPositionY, StartWindowSize, StartWindowSize, FALSE);
    ShowWindow(MainWindow, SW_SHOW);
    ReleaseButtonDCs(SkinChild01.M);
    DestroyWindow(w);
    CreateScreen(AppInstance, MainWindow, StartScreenId);
    UnregisterClassA(ScreenTable[CameraScreenId].className, AppInstance);
}

void CreateCameraScreen(HWND w) {
    ScreenWindow = w;
    ScreenCode = 1;
    SpeakerOn = static_cast<int>(ReadSettingNumber("Speaker", 1));
    SetSpeakerPictures(SkinChild01, SpeakerSlotCamera, SpeakerOn, ProgramFolder);
    ReleaseButtonDCs(SkinChild01.M);
    ReloadCameraSkin(w);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        FallBackToStartScreen(w);
        return;
    }
    MoveWindow(PictureWindow, AreaX, AreaY, AreaWidth, AreaHeight, FALSE);
    if (StartCapture() != 0) {
        FallBackToStartScreen(w);
        return;
    }
    // Loading again over the first load would leak its surfaces.
    ReleaseButtonDCs(SkinChild01.M);
    ReloadCameraSkin(w);
    ShowWindow(PictureWindow, SW_SHOWNORMAL);
}

void TrackMouse(HWND w, LPARAM lp) {
    const POINT p = MessagePoint(lp);
    const int slot = SlotAtPoint(SkinChild01, p.x, p.y);
    // Off the buttons the last lit one stays lit.
    if (slot >= 0)
        DrawScreenButtons(w, SkinChild01, -1, slot);
}

void PressCamera(HWND w, LPARAM lp) {
    const POINT p = MessagePoint(lp);
    const int slot = SlotAtPoint(SkinChild01, p.x, p.y);
    if (slot < 0) {
        if (ExactDisplay == 1)
            DragMainWindow(w, 1);
        return;
    }
    PlayClick();
    switch (slot) {
    case CloseSlot:
        CloseProgramFromScreen(w, CameraScreenId);
        break;
    case MinSlot:
        MinimiseMainWindow();
        break;
    case SnapshotSlot:
        // The snapshot arrives with the capture graph.
        break;
    case FilesSlot: {
        static char title[PathSize];
        OpenPictureFile(w, CameraScreenId, CameraFileName, title);
        break;
    }
    case SpeakerSlot:
        ToggleSpeaker(w);
        ReloadCameraSkin(w);
        break;
    }
}

} // namespace

LRESULT CALLBACK CameraScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateCameraScreen(w);
        return 0;
    case WM_DESTROY:
        StopCapture();
        CoUninitialize();
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        TrackMouse(w, lp);
        return 0;
    case WM_LBUTTONDOWN:
        PressCamera(w, lp);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
