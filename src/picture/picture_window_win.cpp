#include "picture/picture_window_win.h"

#include "picture/history_win.h"
#include "picture/picture_window.h"
#include "program/layout.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

#include <algorithm>

HBITMAP DisplayBitmap = nullptr;
HBITMAP PaintBitmap = nullptr;
HDC PaintDC = nullptr;

namespace {

// On a display of 24 or 32 bits DisplayBitmap is a DIB section, so the shown picture is packed
// straight into its pixels; on a 16-bit display it stays a device bitmap, whose rounding of
// colours the pen and the key colour have always had.
struct DisplayPixels {
    uint8_t* bits; // 32 bits a pixel, top-down
    std::size_t stride;
    int width, height;
};
DisplayPixels Shown{};

// The camera screen's picture window: a 32-bit top-down DIB section of the area's size.
HBITMAP LiveBitmap = nullptr;
DisplayPixels Live{};

bool MakeLiveSurface(int width, int height) {
    if (LiveBitmap != nullptr && Live.width == width && Live.height == height)
        return true;
    DeleteLiveSurface();
    void* bits = nullptr;
    LiveBitmap = CreateTopDownSection(width, height, &bits);
    if (LiveBitmap == nullptr)
        return false;
    Live = DisplayPixels{static_cast<uint8_t*>(bits), static_cast<std::size_t>(width) * 4, width,
                         height};
    return true;
}

// The live picture, or before it the screen's own picture under the window.
void PaintLiveSurface(HDC windowDC) {
    if (LiveBitmap == nullptr) {
        if (BackBufferDC != nullptr)
            BitBlt(windowDC, 0, 0, AreaWidth, AreaHeight, BackBufferDC, AreaOffsetX, AreaOffsetY,
                   SRCCOPY);
        if (LiveOverlayHook != nullptr)
            LiveOverlayHook(windowDC, AreaWidth, AreaHeight);
        return;
    }
    HDC memory = CreateCompatibleDC(windowDC);
    HGDIOBJ old = SelectObject(memory, LiveBitmap);
    BitBlt(windowDC, 0, 0, Live.width, Live.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

bool FitsDisplaySurface() {
    return Shown.bits != nullptr && PictureWidth > 0 && PictureHeight > 0 &&
           PictureWidth <= Shown.width && PictureHeight <= Shown.height;
}

// The picture into DisplayBitmap without showing it; false when there is none.
bool PutOnDisplaySurface(const ColorPlanes& picture) {
    if (FitsDisplaySurface()) {
        GdiFlush(); // GDI may still be drawing into the pixels
        PackPixels(picture.blue, picture.green, picture.red, PictureWidth, PictureHeight, 32,
                   Shown.bits, Shown.stride);
        return true;
    }
    if (DisplayBitmap == nullptr)
        return false;
    PlanesToBitmap(picture, DisplayBitmap);
    return true;
}

void SetPictureCursor(PictureCursor cursor) {
    switch (cursor) {
    case PictureCursor::Cross:
        SetCursor(LoadCursorA(nullptr, IDC_CROSS));
        break;
    case PictureCursor::Hand:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        break;
    case PictureCursor::Arrow:
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        break;
    case PictureCursor::Unchanged:
        break;
    }
}

// A zero-length line of a wide pen leaves a disc of its width. A disc at every pixel of the
// way gives a stroke as wide as its dots, with their round ends, however far apart the
// mouse's moves are.
void DrawDots(HDC dc, PicturePoint from, POINT to, int width, COLORREF color) {
    HPEN pen = CreatePen(PS_DOT, width, color);
    HGDIOBJ old = SelectObject(dc, pen);
    for (const PicturePoint p : LinePoints(from, PicturePoint{to.x, to.y})) {
        MoveToEx(dc, p.x, p.y, nullptr);
        LineTo(dc, p.x, p.y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

// Pixels of exactly KeyColor show the source picture, all others stay.
void KeyBlend(HDC canvas, const ColorPlanes& source) {
    if (PaintDC == nullptr || PaintBitmap == nullptr)
        return;
    PlanesToBitmap(source, PaintBitmap);
    TransparentBlt(PaintDC, 0, 0, PictureWidth, PictureHeight, canvas, 0, 0, PictureWidth,
                   PictureHeight, KeyColor);
    BitBlt(canvas, 0, 0, PictureWidth, PictureHeight, PaintDC, 0, 0, SRCCOPY);
}

// Dots, the key colour and the key blend work on DisplayBitmap, which holds what the window
// shows, never on the window itself: whatever lies over the window (another program, a
// message box, the edge of the screen) stays out of the picture.
void DrawOnShownPicture(HWND w, const PictureWindowWork& work, POINT p) {
    if (DisplayBitmap == nullptr)
        return;
    HDC windowDC = GetDC(w);
    HDC canvas = CreateCompatibleDC(windowDC);
    HGDIOBJ old = SelectObject(canvas, DisplayBitmap);
    switch (work.dot) {
    case PictureDot::Key:
        DrawDots(canvas, work.dotsFrom, p, KeyWidth, KeyColor);
        break;
    case PictureDot::Pen:
        DrawDots(canvas, work.dotsFrom, p, PenWidth, PenColor);
        break;
    case PictureDot::Eraser:
        DrawDots(canvas, work.dotsFrom, p, PenWidth, KeyColor);
        break;
    case PictureDot::None:
        break;
    }
    if (work.pickKeyColor) {
        const COLORREF c = GetPixel(canvas, p.x, p.y);
        if (c != CLR_INVALID)
            KeyColor = c;
    }
    // Dots change only their squares (this runs at every mouse move); a blend the whole picture.
    RECT changed{0, 0, PictureWidth, PictureHeight};
    if (work.blend != PictureBlend::None) {
        KeyBlend(canvas, work.blend == PictureBlend::Decoration ? DecorationPicture : EntryPicture);
    } else {
        const int reach = (work.dot == PictureDot::Key ? KeyWidth : PenWidth) + 1;
        const PicturePoint from = work.dotsFrom;
        changed =
            RECT{std::min<LONG>(from.x, p.x) - reach, std::min<LONG>(from.y, p.y) - reach,
                 std::max<LONG>(from.x, p.x) + reach + 1, std::max<LONG>(from.y, p.y) + reach + 1};
    }
    if (work.dot != PictureDot::None || work.blend != PictureBlend::None)
        BitBlt(windowDC, changed.left, changed.top, changed.right - changed.left,
               changed.bottom - changed.top, canvas, changed.left, changed.top, SRCCOPY);
    SelectObject(canvas, old);
    DeleteDC(canvas);
    ReleaseDC(w, windowDC);
}


// Background screen: the painted surface becomes the picture and a history state.
void CommitPaintStroke() {
    if (PaintBitmap != nullptr)
        BitmapToPlanes(PaintBitmap, CurrentPicture);
    Snapshot();
    PutOnDisplaySurface(CurrentPicture);
}

// Pen screen: what the pen left on the shown picture becomes the committed picture.
void CommitPenStroke() {
    if (FitsDisplaySurface()) {
        GdiFlush();
        UnpackPixels(Shown.bits, Shown.stride, PictureWidth, PictureHeight, 32, CurrentPicture.blue,
                     CurrentPicture.green, CurrentPicture.red);
    } else if (DisplayBitmap != nullptr) {
        BitmapToPlanes(DisplayBitmap, CurrentPicture);
    }
    ShowPlanes(CurrentPicture);
    CopyPicture(CurrentPicture, BasePicture);
    Snapshot();
}

void CarryOut(HWND w, const PictureWindowWork& work, POINT p) {
    if (work.copyToClipboard)
        CopyPictureToClipboard();
    SetPictureCursor(work.cursor);
    if (work.dot != PictureDot::None || work.pickKeyColor || work.blend != PictureBlend::None)
        DrawOnShownPicture(w, work, p);
    if (work.commit == StrokeCommit::Paint)
        CommitPaintStroke();
    else if (work.commit == StrokeCommit::Pen)
        CommitPenStroke();
    if (work.showCurrent)
        ShowPlanes(CurrentPicture);
}

bool MouseInput(UINT msg, PictureInput& input) {
    switch (msg) {
    case WM_MOUSEMOVE:
        input = PictureInput::Move;
        return true;
    case WM_LBUTTONDOWN:
        input = PictureInput::LeftDown;
        return true;
    case WM_RBUTTONDOWN:
        input = PictureInput::RightDown;
        return true;
    case WM_LBUTTONUP:
        input = PictureInput::LeftUp;
        return true;
    case WM_RBUTTONUP:
        input = PictureInput::RightUp;
        return true;
    case WM_LBUTTONDBLCLK:
        input = PictureInput::LeftDoubleClick;
        return true;
    }
    return false;
}

} // namespace

LRESULT CALLBACK PictureWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        // The start screen shows nothing here, the camera screen its live picture.
        if (ScreenCode > 1 && DisplayBitmap != nullptr) {
            ShowBitmapInPictureWindow(DisplayBitmap);
        } else if (ScreenCode == 1) {
            HDC windowDC = GetDC(w);
            PaintLiveSurface(windowDC);
            ReleaseDC(w, windowDC);
        }
        return 0;
    }
    PictureInput input;
    if (MouseInput(msg, input)) {
        const POINT p = MessagePoint(lp);
        const PictureWindowWork work = HandlePictureInput(
            input, ScreenCode, p.x, p.y, (wp & MK_LBUTTON) != 0, (wp & MK_RBUTTON) != 0);
        CarryOut(w, work, p);
    }
    return DefWindowProcA(w, msg, wp, lp);
}

void ShowBitmapInPictureWindow(HBITMAP bitmap) {
    HDC windowDC = GetDC(PictureWindow);
    HDC memory = CreateCompatibleDC(windowDC);
    if (memory == nullptr) {
        ShowReport("Error",
                   "Flimmer could not show the picture because Windows is short of drawing "
                   "resources. Close some other programs, then try again.",
                   "CreateCompatibleDC Error!");
        ReleaseDC(PictureWindow, windowDC);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(windowDC, 0, 0, PictureWidth, PictureHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(PictureWindow, windowDC);
}

void ShowPlanes(const ColorPlanes& picture) {
    const OutsideKernel showing;
    if (PutOnDisplaySurface(picture))
        ShowBitmapInPictureWindow(DisplayBitmap);
}

bool CreateDisplaySurface(int width, int height) {
    DeleteDisplaySurface();
    if (width <= 0 || height <= 0)
        return false;
    if (DisplayDepth() < 24) {
        HDC screen = GetDC(nullptr);
        DisplayBitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        return DisplayBitmap != nullptr;
    }
    void* bits = nullptr;
    DisplayBitmap = CreateTopDownSection(width, height, &bits);
    DIBSECTION section{};
    if (DisplayBitmap == nullptr || GetObjectA(DisplayBitmap, sizeof section, &section) == 0) {
        DeleteDisplaySurface();
        return false;
    }
    Shown = DisplayPixels{static_cast<uint8_t*>(bits),
                          static_cast<std::size_t>(section.dsBm.bmWidthBytes), width, height};
    return true;
}

void DeleteDisplaySurface() {
    if (DisplayBitmap != nullptr)
        DeleteObject(DisplayBitmap);
    DisplayBitmap = nullptr;
    Shown = DisplayPixels{};
}

void DeletePictureSurfaces() {
    DeleteDisplaySurface();
    DeletePaintSurface();
    DeleteLiveSurface();
}

void (*LiveOverlayHook)(HDC dc, int width, int height) = nullptr;

void ShowLivePicture(const ColorPlanes& picture, int width, int height) {
    if (width > AreaWidth || height > AreaHeight || !MakeLiveSurface(AreaWidth, AreaHeight))
        return;
    HDC windowDC = GetDC(PictureWindow);
    HDC memory = CreateCompatibleDC(windowDC);
    HGDIOBJ old = SelectObject(memory, LiveBitmap);
    // Around the picture the screen shows through, as around the snapshot on the next screen.
    if (BackBufferDC != nullptr)
        BitBlt(memory, 0, 0, Live.width, Live.height, BackBufferDC, AreaOffsetX, AreaOffsetY,
               SRCCOPY);
    GdiFlush();
    const std::size_t x = (AreaWidth - width) / 2, y = (AreaHeight - height) / 2;
    PackPixels(picture.blue, picture.green, picture.red, width, height, 32,
               Live.bits + Live.stride * y + 4 * x, Live.stride);
    if (LiveOverlayHook != nullptr)
        LiveOverlayHook(memory, Live.width, Live.height);
    BitBlt(windowDC, 0, 0, Live.width, Live.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(PictureWindow, windowDC);
}

void DeleteLiveSurface() {
    if (LiveBitmap != nullptr)
        DeleteObject(LiveBitmap);
    LiveBitmap = nullptr;
    Live = DisplayPixels{};
}

void DeletePaintSurface() {
    if (PaintDC != nullptr) {
        DeleteDC(PaintDC);
        PaintDC = nullptr;
    }
    if (PaintBitmap != nullptr) {
        DeleteObject(PaintBitmap);
        PaintBitmap = nullptr;
    }
}

void RestoreEntryPicture() {
    CopyPicture(EntryPicture, BasePicture);
    CopyPicture(EntryPicture, CurrentPicture);
    ShowPlanes(CurrentPicture);
}

void CopyPictureToClipboard() {
    HWND w = PictureWindow;
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return;
    HDC dc = GetDC(w);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, PictureWidth, PictureHeight);
    ReleaseDC(w, dc);
    if (bitmap == nullptr)
        return;
    PlanesToBitmap(CurrentPicture, bitmap);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        if (SetClipboardData(CF_BITMAP, bitmap) != nullptr)
            bitmap = nullptr; // the clipboard owns it now
        CloseClipboard();
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
}

void CommitShownPicture() {
    CopyPicture(CurrentPicture, BasePicture);
}
