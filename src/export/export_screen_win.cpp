// "Child06": saves the committed picture as BMP, JPEG, PNG or TIFF, or hands a copy
// to Paint or the picture viewer.
#include "export/export_screen_win.h"

#include "capture/capture_screens_win.h"
#include "capture/file_dialog_win.h"
#include "common/text.h"
#include "export/image_files_win.h"
#include "export/output_names.h"
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

void WriteBmp(const char* path, const PictureBitmap& p) {
    BITMAPINFO* header = BuildBitmapHeader(p.bitmap);
    WriteBmpFile(path, header, p.bitmap, p.dc);
    if (header != nullptr)
        LocalFree(header);
}

// Through a temporary BMP, which GDI+ converts into the target format.
void WriteConverted(char* destination, ImageTarget target) {
    PictureBitmap p;
    GetTempPathA(PathSize, ExportTempFolder);
    GetTempFileNameA(ExportTempFolder, "~00~", 0, ExportTempFile);
    WriteBmp(ExportTempFile, p);
    ConvertImageFile(ExportTempFile, destination, target);
    DeleteFileA(ExportTempFile);
}

void SaveAs(HWND w, int slot) {
    static const FilterChoice choices[] = {SaveBmp, SaveJpeg, SavePng, SaveTiff};
    static const char* const extensions[] = {"bmp", "jpg", "png", "tif"};
    const int k = slot - ExportSlot::SaveBmp;
    PrepareFileDialog(w, choices[k]);
    if (ExportName[0] != '\0')
        ReplaceExtension(ExportName, extensions[k], PathSize);
    if (!AskSaveFile(w, ExportName, ExportTitle))
        return;
    if (slot == ExportSlot::SaveBmp) {
        PictureBitmap p;
        WriteBmp(ExportName, p);
    } else {
        WriteConverted(ExportName, static_cast<ImageTarget>(k - 1));
    }
}

void TimeStampedCopyName(const char* suffix) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    const LocalTime t{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    char name[PathSize];
    TimeStampName(t, suffix, name, sizeof name);
    std::snprintf(ExportName, PathSize, "%s\\%s", LastFolder, name);
}

void OpenInPaint() {
    TimeStampedCopyName(".PNG");
    WriteConverted(ExportName, TargetPng);
    char system[PathSize];
    GetSystemDirectoryA(system, PathSize);
    std::snprintf(ExportTempFolder, PathSize, "%s\\mspaint.exe", system);
    std::snprintf(ExportTempFile, PathSize, "\"%s\"", ExportName);
    ShellExecuteA(nullptr, "open", ExportTempFolder, ExportTempFile, nullptr, SW_SHOWNORMAL);
}

void ShowInViewer() {
    TimeStampedCopyName(".JPG");
    WriteConverted(ExportName, TargetJpeg);
    char system[PathSize];
    GetSystemDirectoryA(system, PathSize);
    std::snprintf(ExportTempFolder, PathSize, "%s%s%s", system,
                  "\\shimgvw.dll,ImageView_Fullscreen ", ExportName);
    std::snprintf(ExportName, PathSize, "%s\\rundll32.exe", system);
    ShellExecuteA(nullptr, "open", ExportName, ExportTempFolder, nullptr, SW_SHOWNORMAL);
    std::memset(ExportName, 0, sizeof ExportName);
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
    if (slot < ExportSlot::Paint)
        SaveAs(w, slot);
    else if (slot == ExportSlot::Paint)
        OpenInPaint();
    else if (slot == ExportSlot::Viewer)
        ShowInViewer();
    WriteSettingString("DefaultFile", ExportName);
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
