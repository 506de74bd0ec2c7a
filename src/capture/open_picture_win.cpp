// Opening a picture file and handing the picture to the first editing screen,
// shared by the start and camera screens.
#include "capture/capture_screens_win.h"

#include "capture/file_dialog_win.h"
#include "export/output_names.h"
#include "navigation/navigation_win.h"
#include "picture/history.h"
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

bool OpenPictureFromPath(HWND screen, int ownScreenId, const char* file) {
    BeginPress();
    NotePressedSlot(PictureOpenedSlot);
    PictureFromFile = 1;
    LastFolderOf(file, LastFolder, PathSize);
    WriteSettingString("DefaultFile", file);
    // The screen is whole again (the dialog gone) before a long decode starts.
    HDC windowDC = GetDC(screen);
    if (BackBufferDC != nullptr)
        BitBlt(windowDC, 0, 0, LayoutWidth, LayoutHeight, BackBufferDC, 0, 0, SRCCOPY);
    ReleaseDC(screen, windowDC);
    if (LoadPictureFile(file, BasePicture.blue, BasePicture.green, BasePicture.red, &PictureWidth,
                        &PictureHeight, 1) != 0)
        return false;
    EnterEditingCentred(screen, ownScreenId);
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
    CreateDisplaySurface(PictureWidth, PictureHeight);
    ShowWindow(PictureWindow, SW_SHOWNORMAL);
    ShowPlanes(BasePicture);
    if (ownScreenId < 0)
        return;
    DestroyWindow(screen);
    UnregisterClassA(ScreenTable[ownScreenId].className, AppInstance);
}
