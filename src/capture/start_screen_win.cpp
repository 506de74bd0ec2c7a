// "Child00": the small shaped window shown when the camera cannot start.
#include "capture/capture_screens_win.h"

#include "common/text.h"
#include "effects/colour_adjust.h"
#include "effects/warp.h"
#include "navigation/navigation_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "skin/skin_ahead_win.h"
#include "skin/skin_win.h"

char StartFileName[PathSize] = "";
char LastFolder[PathSize] = "";
char PictureFromFile = 0;

namespace {

bool MouseOverButton = false;
// The picture shown when the last saved one is gone or cannot be read.
char DefaultPreview[PathSize] = "";

int LoadStartSkin(HWND w) {
    SkinDescriptor& s = SkinChild00;
    return LoadSkin(w, s.background, StartWindowSize, StartWindowSize, s.N, s.norm, s.hi, s.push,
                    s.width, s.height, 1, StartFileName, DefaultPreview);
}

void CreateStartScreen(HWND w) {
    ScreenCode = 0;
    ResetColourSettings();
    ResetWarpSettings();
    // Recorded so that a display change can redraw this screen's buttons.
    ScreenWindow = w;
    CopyText(DefaultPreview, ProgramFolder, PathSize);
    AppendText(DefaultPreview, "\\Target\\Varnet.png", PathSize);
    ReadSettingString("DefaultFile", DefaultPreview, StartFileName, PathSize);
    // The first run stores an empty name: show the default picture then too.
    if (StartFileName[0] == '\0')
        CopyText(StartFileName, DefaultPreview, PathSize);
    SpeakerOn = static_cast<int>(ReadSettingNumber("Speaker", 1));
    SetSpeakerPictures(SkinChild00, SpeakerSlotStart, SpeakerOn, ProgramFolder);
    if (LoadStartSkin(w) != 0) {
        DeleteSurface(BackBufferDC);
        PostQuitMessage(0);
        return;
    }
    DrawScreenButtons(w, SkinChild00, -1, -1);
    // While the user chooses a photo, the colour screen that will show it gets ready.
    PrepareSkinPictures(SkinChild02);
}

void TrackMouse(HWND w, LPARAM lp) {
    const POINT p = MessagePoint(lp);
    const int slot = SlotAtPoint(SkinChild00, p.x, p.y);
    DrawScreenButtons(w, SkinChild00, -1, slot);
    MouseOverButton = slot >= 0;
    RECT r;
    GetWindowRect(w, &r);
    StartPositionX = r.left;
    StartPositionY = r.top;
}

void GoToCamera(HWND w) {
    PictureFromFile = 0;
    MoveWindow(MainWindow, 0, 0, LayoutWidth, LayoutHeight, FALSE);
    ReleaseButtonDCs(SkinChild00.M);
    CreateScreen(AppInstance, MainWindow, CameraScreenId);
    DestroyWindow(w);
    UnregisterClassA(ScreenTable[StartScreenId].className, AppInstance);
}

void PressStart(HWND w, LPARAM lp) {
    if (!MouseOverButton)
        MoveMainWindowWithMouse(w);
    const POINT p = MessagePoint(lp);
    const int slot = SlotAtPoint(SkinChild00, p.x, p.y);
    if (slot < 0)
        return;
    DrawScreenButtons(w, SkinChild00, -1, -1);
    PlayClick();
    switch (slot) {
    case StartSlot::Close:
        CloseProgramFromScreen(w, StartScreenId);
        break;
    case StartSlot::Min:
        MinimiseMainWindow();
        break;
    case StartSlot::Open: {
        char title[PathSize] = "";
        OpenPictureFile(w, StartScreenId, StartFileName, title);
        break;
    }
    case StartSlot::Speaker:
        ToggleSpeaker();
        LoadStartSkin(w);
        DrawScreenButtons(w, SkinChild00, -1, -1);
        break;
    case StartSlot::Camera:
        GoToCamera(w);
        break;
    }
}

} // namespace

void ToggleSpeaker() {
    SpeakerOn = SpeakerOn == 0 ? 1 : 0;
    const int slot = ScreenCode == 0 ? SpeakerSlotStart : SpeakerSlotCamera;
    SkinDescriptor& skin = ScreenCode == 0 ? SkinChild00 : SkinChild01;
    SetSpeakerPictures(skin, slot, SpeakerOn, ProgramFolder);
    RememberSwitch("Speaker", SpeakerOn != 0, "sound");
    ReleaseButtonDCs(skin.M);
}

LRESULT CALLBACK StartScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateStartScreen(w);
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
        TrackMouse(w, lp);
        return 0;
    case WM_LBUTTONDOWN:
        PressStart(w, lp);
        return 0;
    case WM_LBUTTONUP:
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
