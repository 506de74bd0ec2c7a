#include "picture/picture_window_win.h"

#include "skin/skin_win.h"

HWND PictureWindow = nullptr;
HBITMAP DisplayBitmap = nullptr;

LRESULT CALLBACK PictureWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        if (DisplayBitmap != nullptr)
            ShowBitmapInPictureWindow(DisplayBitmap);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

void DeletePictureSurfaces() {
    if (DisplayBitmap != nullptr) {
        DeleteObject(DisplayBitmap);
        DisplayBitmap = nullptr;
    }
}
