// "Child01": the live camera screen, the program's first screen.
#include "capture/capture_screens_win.h"

#include "capture/camera_choice_win.h"
#include "capture/booth_win.h"
#include "capture/capture_frames.h"
#include "capture/countdown.h"
#include "capture/capture_win.h"
#include "capture/live_effect.h"
#include "capture/live_effects_win.h"
#include "capture/live_preview_win.h"
#include "capture/snapshot_win.h"
#include "navigation/navigation_win.h"
#include "picture/picture_file_win.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "skin/color_planes.h"
#include "skin/file_kind.h"
#include "skin/skin_ahead_win.h"
#include "skin/skin_win.h"

char CameraFileName[PathSize] = "";

void ReloadCameraSkin(HWND w) {
    ReleaseButtonDCs(SkinChild01.M); // loading over the surfaces there are would leak them
    LoadScreenSkin(w, SkinChild01);
    DecorateCameraSkin();
    DrawCameraButtons(w, -1);
}

namespace {

// Only a successful CoInitializeEx is balanced by CoUninitialize.
bool ComStarted = false;

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
    PreviewMirrored = ReadSettingNumber("Mirror", 1) != 0;
    SetMirrorPictures(SkinChild01, CameraSlot::Mirror, PreviewMirrored, ProgramFolder);
    CountdownOn = ReadSettingNumber("Countdown", 1) != 0;
    SetCountdownPictures(SkinChild01, CameraSlot::Countdown, CountdownOn, ProgramFolder);
    ReloadCameraSkin(w);
    PrepareSkinPictures(SkinChild02); // for a snapshot or a photo opened from here
    ComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!ComStarted) {
        FallBackToStartScreen(w);
        return;
    }
    MoveWindow(PictureWindow, AreaX, AreaY, AreaWidth, AreaHeight, FALSE);
    ReadCameraChoice();
    StartWatchingCamera(w);
    if (StartCapture() != 0) {
        FallBackToStartScreen(w);
        return;
    }
    ReloadCameraSkin(w);
    ShowWindow(PictureWindow, SW_SHOWNORMAL);
}

} // namespace

// The newest frame into a PNG in the temporary folder, loaded at once as the picture to edit.
void TakeSnapshot(HWND w, bool shutterPlayed) {
    if (GrabFrame() == nullptr) {
        ReportNoPicture();
        return;
    }
    SnapshotRequested = 1;
    PictureFromFile = 0;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LocalTime t{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    static char folder[PathSize];
    static char path[PathSize];
    static WCHAR widePath[PathSize];
    const DWORD n = GetTempPathA(PathSize, folder);
    if (n == 0 || n >= PathSize)
        folder[0] = '\0';
    SnapshotPath(t, folder, CameraFileName, path, PathSize);
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, PathSize) == 0)
        widePath[0] = L'\0';
    widePath[PathSize - 1] = L'\0';

    SaveSnapshotPng(FrameToBitmap(), widePath, !shutterPlayed);
    if (!IsPictureKind(FileKindOf(path)))
        return;
    // Without a file the loader says so and the preview goes on; the file goes either way.
    const int loaded = LoadPictureFile(path, BasePicture.blue, BasePicture.green, BasePicture.red,
                                       &PictureWidth, &PictureHeight, 1);
    ReleaseDecodedPicture();
    DeleteFileA(path);
    if (loaded != 0)
        return;
    ApplyLiveEffectToSnapshot(LiveEffect);
    EnterEditing(w, CameraScreenId);
}

namespace {

// The preview, and so the next snapshot, turned left to right or back; remembered.
void ToggleMirror(HWND w) {
    PreviewMirrored = !PreviewMirrored;
    SetMirrorPictures(SkinChild01, CameraSlot::Mirror, PreviewMirrored, ProgramFolder);
    RememberSwitch("Mirror", PreviewMirrored, "mirror");
    ReloadCameraSkin(w);
    ShowFrameAgain();
}

void TrackMouse(HWND w, LPARAM lp) {
    const POINT p = MessagePoint(lp);
    const int slot = SlotAtPoint(SkinChild01, p.x, p.y);
    // Off the buttons the last lit one stays lit.
    if (slot >= 0)
        DrawCameraButtons(w, slot);
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
    case CameraSlot::Close:
        CloseProgramFromScreen(w, CameraScreenId);
        break;
    case CameraSlot::Min:
        MinimiseMainWindow();
        break;
    case CameraSlot::Snapshot:
        StartBoothRun(w, 1);
        break;
    case CameraSlot::Files: {
        static char title[PathSize];
        StopBooth(true);
        SnapshotRequested = 0;
        OpenPictureFile(w, CameraScreenId, CameraFileName, title);
        break;
    }
    case CameraSlot::Speaker:
        ToggleSpeaker();
        ReloadCameraSkin(w);
        break;
    case CameraSlot::Mirror:
        ToggleMirror(w);
        break;
    case CameraSlot::Countdown:
        ToggleCountdown();
        SetCountdownPictures(SkinChild01, CameraSlot::Countdown, CountdownOn, ProgramFolder);
        ReloadCameraSkin(w);
        break;
    case CameraSlot::Strip:
        StartBoothRun(w, StripShots);
        break;
    case CameraSlot::CameraName:
    case CameraSlot::CameraSize:
        // Another camera or size: a new graph, or the start screen when it cannot start.
        if (!(slot == CameraSlot::CameraName ? PressCameraName(w) : PressCameraSize(w))) {
            FallBackToStartScreen(w);
            return;
        }
        ReloadCameraSkin(w);
        break;
    default:
        PressLiveEffect(w, slot);
    }
}

} // namespace

LRESULT CALLBACK CameraScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateCameraScreen(w);
        return 0;
    case WM_DESTROY:
        StopBooth(false);
        StopWatchingCamera(w);
        StopCapture();
        ReleaseLiveEffectPictures();
        if (ComStarted)
            CoUninitialize();
        ComStarted = false;
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
    case FrameReadyMessage:
        if (!BoothHoldsPreview())
            ShowNewestFrame();
        return 0;
    case WM_TIMER:
        if (wp == CameraWatchTimer && BoothHoldsPreview())
            HoldCameraWatch(); // the picture stands still on purpose
        else if (wp == CameraWatchTimer)
            WatchCamera(w);
        else
            BoothTimer(w);
        return 0;
    case CameraEventMessage:
        // A countdown cannot end in a photo from a camera that is gone.
        if (HandleCameraEvents(w))
            StopBooth(false);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
