// Opening a picture file and handing the picture to the first editing screen,
// shared by the start and camera screens.
#include "capture/capture_screens_win.h"

#include "capture/file_dialog_win.h"
#include "export/output_names.h"
#include "navigation/navigation_win.h"
#include "picture/history.h"
#include "picture/picture_file.h"
#include "picture/picture_file_win.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/press_timing.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/file_kind.h"
#include "skin/skin_win.h"

void OpenPictureFile(HWND screen, int ownScreenId, char* file, char* title) {
    PrepareFileDialog(screen, OpenAnyPicture);
    if (!AskOpenFile(screen, file, title))
        file[0] = '\0';
    LastFolderOf(file, LastFolder, PathSize);
    if (IsPictureKind(FileKindOf(file)))
        OpenPictureFromPath(screen, ownScreenId, file);
}

namespace {

// A photo decodes while its colour screen is put up, so that only showing it is left when the
// decode ends; done where the screen it replaces is cheap to bring back if the photo fails.
bool ScreenComesBackCheaply(int ownScreenId) {
    return ownScreenId < 0 || ownScreenId == StartScreenId || ownScreenId == CameraScreenId;
}

struct ScreenBehind {
    HWND window; // null at the program's start
    int id;
    RECT mainWindow;
};

ScreenBehind PutUpColourScreen(HWND screen, int ownScreenId) {
    ScreenBehind behind{ownScreenId >= 0 ? screen : nullptr, ownScreenId, {}};
    GetWindowRect(MainWindow, &behind.mainWindow);
    ShowWindow(PictureWindow, SW_HIDE);
    if (behind.window != nullptr) {
        ReleaseButtonDCs(ScreenSlotCount(ownScreenId));
        ShowWindow(behind.window, SW_HIDE);
    }
    MoveWindow(MainWindow, 0, 0, LayoutWidth, LayoutHeight, FALSE);
    PictureArriving = true;
    CreateScreen(AppInstance, MainWindow, ColourScreenId);
    PictureArriving = false;
    UpdateWindow(ScreenWindow);
    return behind;
}

void TakeDownColourScreen(const ScreenBehind& behind) {
    ReleaseButtonDCs(ScreenSlotCount(ColourScreenId));
    DestroyWindow(ScreenWindow);
    UnregisterClassA(ScreenTable[ColourScreenId].className, AppInstance);
    ScreenWindow = nullptr;
    if (behind.window == nullptr)
        return;
    const RECT& r = behind.mainWindow;
    MoveWindow(MainWindow, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    SendMessageA(behind.window, ScreenBackMessage, 0, 0);
}

// The loaded BasePicture shown on the colour screen just created; the screen it replaces goes.
void ShowEnteredPicture(HWND screen, int ownScreenId) {
    CreateDisplaySurface(PictureWidth, PictureHeight);
    ShowWindow(PictureWindow, SW_SHOWNORMAL);
    ShowPlanes(BasePicture);
    if (ownScreenId < 0)
        return;
    DestroyWindow(screen);
    UnregisterClassA(ScreenTable[ownScreenId].className, AppInstance);
}

} // namespace

bool OpenPictureFromPath(HWND screen, int ownScreenId, const char* file) {
    BeginPress();
    NotePressedSlot(PictureOpenedSlot);
    PictureFromFile = 1;
    LastFolderOf(file, LastFolder, PathSize);
    WriteSettingString("DefaultFile", file);
    if (!ScreenComesBackCheaply(ownScreenId)) {
        if (LoadPictureFile(screen, file, BasePicture.blue, BasePicture.green, BasePicture.red,
                            &PictureWidth, &PictureHeight, 1) != 0)
            return false;
        EnterEditingCentred(screen, ownScreenId);
        return true;
    }
    if (!IsPictureKind(FileKindOf(file)))
        return false;
    PictureDecode decode(file, FitToArea);
    const ScreenBehind behind = PutUpColourScreen(screen, ownScreenId);
    if (!decode.TakePlanes(BasePicture.blue, BasePicture.green, BasePicture.red, &PictureWidth,
                           &PictureHeight)) {
        TakeDownColourScreen(behind);
        decode.ReportFailure();
        return false;
    }
    CopyPicture(BasePicture, CurrentPicture);
    UnsavedEdits = false;
    SendMessageA(ScreenWindow, PictureArrivedMessage, 0, 0);
    ShowEnteredPicture(screen, ownScreenId);
    return true;
}

void EnterEditingCentred(HWND screen, int ownScreenId) {
    MoveWindow(MainWindow, 0, 0, LayoutWidth, LayoutHeight, FALSE);
    int x, y;
    CentredPicturePosition(PictureWidth, PictureHeight, x, y);
    MoveWindow(PictureWindow, x, y, PictureWidth, PictureHeight, FALSE);
    EnterEditing(screen, ownScreenId);
}

void EnterEditing(HWND screen, int ownScreenId) {
    CopyPicture(BasePicture, CurrentPicture);
    UnsavedEdits = false;
    if (ownScreenId >= 0)
        ReleaseButtonDCs(ScreenSlotCount(ownScreenId));
    CreateScreen(AppInstance, MainWindow, ColourScreenId);
    ShowEnteredPicture(screen, ownScreenId);
}
