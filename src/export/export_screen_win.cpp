// "Child06": saves the committed picture as BMP, JPEG, PNG or TIFF, or hands a copy
// to Paint or the picture viewer.
#include "export/export_screen_win.h"

#include "capture/capture_screens_win.h"
#include "capture/file_dialog_win.h"
#include "common/text.h"
#include "export/image_files_win.h"
#include "export/output_names.h"
#include "export/save_failure.h"
#include "navigation/navigation_win.h"
#include "picture/picture_window_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

char ExportName[PathSize] = "";
char ExportTitle[PathSize] = "";
char ExportTempFolder[PathSize] = "";
char ExportTempFile[PathSize] = "";

namespace {

// BasePicture as a device bitmap of the display, for one output.
struct PictureBitmap {
    HDC dc;
    HBITMAP bitmap;
    PictureBitmap() : dc(GetDC(PictureWindow)) {
        bitmap = CreateCompatibleBitmap(dc, PictureWidth, PictureHeight);
        PlanesToBitmap(BasePicture.blue, BasePicture.green, BasePicture.red, bitmap);
    }
    ~PictureBitmap() {
        ReleaseDC(PictureWindow, dc);
        DeleteObject(bitmap);
    }
    PictureBitmap(const PictureBitmap&) = delete;
    PictureBitmap& operator=(const PictureBitmap&) = delete;
};

bool SavePicture(const char* path, ImageTarget target) {
    PictureBitmap p;
    return SavePictureFile(path, p.bitmap, p.dc, target);
}

// The Save dialog asked about the name as typed; a corrected name is asked about here.
bool MayReplace(HWND w, const char* typed, const char* path) {
    // A folder in the way is not replaced: the save says so.
    const DWORD attributes = GetFileAttributesA(path);
    if (SameFileName(typed, path) || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return true;
    char text[PathSize + 160];
    std::snprintf(text, sizeof text,
                  "The picture is saved with the ending of its format, as %s, and that file "
                  "already exists.\n\nDo you want to replace it? No keeps the file and saves "
                  "nothing.",
                  path);
    return MessageBoxA(w, text, "Confirm Save As", MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool SaveAs(HWND w, int slot) {
    static const FilterChoice choices[] = {SaveBmp, SaveJpeg, SavePng, SaveTiff};
    const int k = slot - ExportSlot::SaveBmp;
    const ImageTarget target = static_cast<ImageTarget>(k);
    PrepareFileDialog(w, choices[k]);
    OpenFileSpec.lpstrDefExt = TargetExtension(target);
    if (ExportName[0] != '\0')
        ReplaceExtension(ExportName, TargetExtension(target), PathSize);
    if (!AskSaveFile(w, ExportName, ExportTitle))
        return false;
    // A converted file always carries its format's extension ("photo.jpeg" becomes "photo.jpg"),
    // and that name is asked about before it replaces anything.
    char typed[PathSize];
    CopyText(typed, ExportName, PathSize);
    if (target != TargetBmp)
        ReplaceExtension(ExportName, TargetExtension(target), PathSize);
    return MayReplace(w, typed, ExportName) && SavePicture(ExportName, target);
}

void TimeStampedCopyName(const char* suffix) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    const LocalTime t{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    char name[PathSize];
    TimeStampName(t, suffix, name, sizeof name);
    std::snprintf(ExportName, PathSize, "%s\\%s", LastFolder, name);
}

bool OpenInPaint() {
    TimeStampedCopyName(".png");
    if (!SavePicture(ExportName, TargetPng))
        return false;
    char system[PathSize];
    GetSystemDirectoryA(system, PathSize);
    std::snprintf(ExportTempFolder, PathSize, "%s\\mspaint.exe", system);
    std::snprintf(ExportTempFile, PathSize, "\"%s\"", ExportName);
    ShellExecuteA(nullptr, "open", ExportTempFolder, ExportTempFile, nullptr, SW_SHOWNORMAL);
    return true;
}

bool ShowInViewer() {
    TimeStampedCopyName(".jpg");
    if (!SavePicture(ExportName, TargetJpeg))
        return false;
    char system[PathSize];
    GetSystemDirectoryA(system, PathSize);
    std::snprintf(ExportTempFolder, PathSize, "%s%s%s", system,
                  "\\shimgvw.dll,ImageView_Fullscreen ", ExportName);
    std::snprintf(ExportName, PathSize, "%s\\rundll32.exe", system);
    ShellExecuteA(nullptr, "open", ExportName, ExportTempFolder, nullptr, SW_SHOWNORMAL);
    std::memset(ExportName, 0, sizeof ExportName);
    return true;
}

void CreateExportScreen(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    StandardScreenMessage(w, msg, wp, lp, ExportScreenId);
    if (PictureFromFile == 0) {
        SetCurrentDirectoryA(PicturesFolder);
        CopyText(LastFolder, PicturesFolder, PathSize);
    }
}

void PressExport(HWND w, LPARAM lp) {
    const int slot = PressedSlot(w, lp, ExportScreenId, ExportScreenId);
    if (HandleTitleBarSlot(w, ExportScreenId, slot))
        return;
    if (slot == TitleSlot::Pre) {
        SwitchScreen(w, ExportScreenId, GalleryScreenId);
        return;
    }
    if (slot == ExportSlot::Exit) {
        DestroyWindow(w);
        UnregisterClassA(ScreenTable[ExportScreenId].className, AppInstance);
        DestroyWindow(MainWindow);
        return;
    }
    if (slot < ExportSlot::SaveBmp)
        return;
    // Only a file that was written whole becomes the next start's preview.
    bool saved = false;
    if (slot < ExportSlot::Paint)
        saved = SaveAs(w, slot);
    else if (slot == ExportSlot::Paint)
        saved = OpenInPaint();
    else if (slot == ExportSlot::Viewer)
        saved = ShowInViewer();
    if (saved)
        WriteSettingString("DefaultFile", ExportName);
    // Under Wine a dialog or message box leaves the picture beneath the main window; shown
    // again, it is on top.
    ShowWindow(PictureWindow, SW_HIDE);
    ShowWindow(PictureWindow, SW_SHOWNORMAL);
}

} // namespace

LRESULT CALLBACK ExportScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateExportScreen(w, msg, wp, lp);
        return 0;
    case WM_LBUTTONDOWN:
        PressExport(w, lp);
        return 0;
    }
    return StandardScreenMessage(w, msg, wp, lp, ExportScreenId);
}
