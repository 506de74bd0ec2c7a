#include "skin/skin_win.h"

#include "program/layout.h"
#include "program/program_win.h"
#include "program/settings_win.h"
#include "skin/file_kind.h"
#include "skin/opaque_pixels_win.h"
#include "skin/region_runs.h"
#include "skin/skin_ahead_win.h"
#include "skin/upright_image_win.h"

#include <gdiplus.h>

HDC BackBufferDC = nullptr;
HDC ButtonNormDC[MaxSlots] = {};
HDC ButtonHiDC[MaxSlots] = {};
HDC ButtonPushDC[MaxSlots] = {};
int HoveredButton = -1;
HDC ThumbnailDC[ThumbnailCount] = {};
HDC HoverMaskDC = nullptr;
HDC SelectionMaskDC = nullptr;

namespace {

using namespace Gdiplus::DllExports;

// The state surface each button was last drawn with: drawing the same one again changes no
// pixel, so a mouse message redraws only the buttons whose state changed. A new back buffer
// has no buttons on it yet and is shown whole.
HDC DrawnSurface[MaxSlots] = {};
bool BackBufferRenewed = true;

Gdiplus::GpImage* LoadGdipImage(const char* path) {
    Gdiplus::GpImage* image = nullptr;
    return LoadUprightImage(path, &image) == Gdiplus::Ok ? image : nullptr;
}

// Draws an image stretched into (0, 0, w, h) of dc; a missing image draws nothing.
void DrawImageStretched(HDC dc, Gdiplus::GpImage* image, int w, int h) {
    if (image == nullptr)
        return;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) == Gdiplus::Ok) {
        GdipDrawImageRectI(graphics, image, 0, 0, w, h);
        GdipDeleteGraphics(graphics);
    }
}

// A device bitmap of an opaque image that has exactly the size wanted, made from its pixels
// rather than by drawing; null for any other image.
HBITMAP BitmapOfNaturalSize(HDC windowDC, Gdiplus::GpImage* image, int w, int h) {
    UINT naturalW = 0, naturalH = 0;
    if (image == nullptr || GdipGetImageWidth(image, &naturalW) != Gdiplus::Ok ||
        GdipGetImageHeight(image, &naturalH) != Gdiplus::Ok || naturalW != static_cast<UINT>(w) ||
        naturalH != static_cast<UINT>(h))
        return nullptr;
    const OpaquePixels pixels(image);
    return BitmapFromPixels(windowDC, pixels);
}

// A device bitmap of the image stretched to w x h; a missing image leaves it black.
HBITMAP BitmapOfImage(HDC windowDC, Gdiplus::GpImage* image, int w, int h) {
    if (HBITMAP ready = BitmapOfNaturalSize(windowDC, image, w, h))
        return ready;
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, w, h);
    HDC memory = CreateCompatibleDC(windowDC);
    HGDIOBJ old = SelectObject(memory, bitmap);
    DrawImageStretched(memory, image, w, h);
    SelectObject(memory, old);
    DeleteDC(memory);
    return bitmap;
}

void LoadStateSurface(HDC windowDC, HDC& slot, const char* path, int w, int h) {
    if (!IsPictureKind(FileKindOf(path)))
        return;
    slot = CreateCompatibleDC(windowDC);
    if (HBITMAP prepared = TakePreparedPicture(path, w, h)) {
        SelectObject(slot, prepared);
        return;
    }
    Gdiplus::GpImage* image = LoadGdipImage(path);
    SelectObject(slot, BitmapOfImage(windowDC, image, w, h));
    if (image != nullptr)
        GdipDisposeImage(image);
}

int LoadShapedBackground(HDC windowDC, const char* background, int width, int height) {
    HBITMAP canvas = CreateCompatibleBitmap(windowDC, width, height);
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, background, IMAGE_BITMAP, width, height, LR_LOADFROMFILE));
    if (loaded == nullptr) {
        DeleteObject(canvas);
        ShowReport("InitPaint error",
                   "Flimmer could not load the picture of its start screen and will close. "
                   "Installing Flimmer again puts the missing file back.",
                   "DialogFile=%s", background);
        return -1;
    }
    const BYTE black[3] = {0, 0, 0};
    const BYTE none[3] = {0, 0, 0};
    SetWindowRgn(MainWindow, RegionFromBitmap(loaded, black, none), TRUE);
    SelectObject(BackBufferDC, canvas);
    HBRUSH pattern = CreatePatternBrush(loaded);
    HGDIOBJ old = SelectObject(BackBufferDC, pattern);
    PatBlt(BackBufferDC, 0, 0, width, height, PATCOPY);
    SelectObject(BackBufferDC, old);
    DeleteObject(pattern);
    DeleteObject(loaded);
    return 0;
}

void LoadPictureBackground(HDC windowDC, const char* background, int width, int height) {
    if (!IsPictureKind(FileKindOf(background)))
        return;
    HBITMAP bitmap = TakePreparedPicture(background, width, height);
    if (bitmap == nullptr) {
        Gdiplus::GpImage* image = LoadGdipImage(background);
        // The back buffer takes the window's size: a missing picture still leaves a usable surface.
        bitmap = BitmapOfImage(windowDC, image, width, height);
        if (image != nullptr)
            GdipDisposeImage(image);
    }
    SelectObject(BackBufferDC, bitmap);
    SetWindowRgn(MainWindow, CreateRectRgn(0, 0, width, height), TRUE);
}

Gdiplus::GpImage* LoadPreview(const char* path) {
    return path != nullptr && IsPictureKind(FileKindOf(path)) ? LoadGdipImage(path) : nullptr;
}

void DrawPreview(HDC windowDC, const char* preview, const char* fallback) {
    Gdiplus::GpImage* image = LoadPreview(preview);
    if (image == nullptr)
        image = LoadPreview(fallback);
    if (image == nullptr)
        return;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    const PreviewPlacement p = PlacePreview(static_cast<int>(w), static_cast<int>(h));
    HDC temp = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, p.width, p.height);
    HGDIOBJ old = SelectObject(temp, bitmap);
    DrawImageStretched(temp, image, p.width, p.height);
    BitBlt(BackBufferDC, p.x, p.y, p.width, p.height, temp, 0, 0, SRCCOPY);
    SelectObject(temp, old);
    DeleteObject(bitmap);
    DeleteDC(temp);
    GdipDisposeImage(image);
}

} // namespace

int LoadSkin(HWND window, const char* background, int width, int height, int n,
             char (*norm)[PathSize], char (*hi)[PathSize], char (*push)[PathSize],
             const int* widths, const int* heights, int shaped, const char* preview,
             const char* fallbackPreview) {
    HDC windowDC = GetDC(window);
    ForgetDrawnButtons();
    BackBufferDC = CreateCompatibleDC(windowDC);
    if (shaped != 0) {
        if (LoadShapedBackground(windowDC, background, width, height) != 0) {
            ReleaseDC(window, windowDC);
            return -1;
        }
    } else {
        LoadPictureBackground(windowDC, background, width, height);
    }
    for (int i = 0; i < n; ++i) {
        LoadStateSurface(windowDC, ButtonHiDC[i], hi[i], widths[i], heights[i]);
        LoadStateSurface(windowDC, ButtonPushDC[i], push[i], widths[i], heights[i]);
        LoadStateSurface(windowDC, ButtonNormDC[i], norm[i], widths[i], heights[i]);
    }
    if (shaped != 0 && preview != nullptr)
        DrawPreview(windowDC, preview, fallbackPreview);
    ReleaseDC(window, windowDC);
    return 0;
}

int LoadScreenSkin(HWND window, SkinDescriptor& s) {
    return LoadSkin(window, s.background, LayoutWidth, LayoutHeight, s.N, s.norm, s.hi, s.push,
                    s.width, s.height, 0, nullptr);
}

HRGN RegionFromBitmap(HBITMAP bitmap, const BYTE key[3], const BYTE tolerance[3]) {
    if (bitmap == nullptr)
        return nullptr;
    HDC sectionDC = CreateCompatibleDC(nullptr);
    if (sectionDC == nullptr)
        return nullptr;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    const int w = info.bmWidth, h = info.bmHeight;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = h; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(sectionDC, reinterpret_cast<BITMAPINFO*>(&header),
                                       DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr) {
        DeleteDC(sectionDC);
        return nullptr;
    }
    HGDIOBJ oldSection = SelectObject(sectionDC, section);
    HDC sourceDC = CreateCompatibleDC(sectionDC);
    HGDIOBJ oldSource = SelectObject(sourceDC, bitmap);
    BitBlt(sectionDC, 0, 0, w, h, sourceDC, 0, 0, SRCCOPY);
    GdiFlush();

    DIBSECTION dib{};
    GetObjectA(section, sizeof dib, &dib);
    const int stride = dib.dsBm.bmWidthBytes;
    const KeyRange range = MakeKeyRange(key, tolerance);

    HRGN result = nullptr;
    auto handOver = [&result](const RegionBuffer& buffer) {
        HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.AllocatedBytes()),
                                    static_cast<const RGNDATA*>(buffer.Data()));
        if (result == nullptr) {
            result = part;
        } else if (part != nullptr) {
            CombineRgn(result, result, part, RGN_OR);
            DeleteObject(part);
        }
    };
    RegionBuffer buffer;
    const BYTE* base = static_cast<const BYTE*>(bits);
    for (int y = 0; y < h; ++y) {
        // The section's last memory row is the picture's top row.
        const BYTE* row = base + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(stride);
        AppendRowRuns(buffer, row, w, y, range, handOver);
    }
    handOver(buffer);

    SelectObject(sourceDC, oldSource);
    SelectObject(sectionDC, oldSection);
    DeleteDC(sourceDC);
    DeleteObject(section);
    DeleteDC(sectionDC);
    return result;
}

void DrawButtons(HWND window, int pressed, int hovered, int m, const int* x, const int* y,
                 const int* width, const int* height, int k, COLORREF key2) {
    RECT changed{0, 0, 0, 0};
    for (int i = 0; i < m; ++i) {
        HDC surface = i == pressed   ? ButtonPushDC[i]
                      : i == hovered ? ButtonHiDC[i]
                                     : ButtonNormDC[i];
        if (surface == nullptr || BackBufferDC == nullptr || surface == DrawnSurface[i])
            continue;
        const COLORREF key = i < k ? RGB(0, 0, 0) : key2;
        TransparentBlt(BackBufferDC, x[i], y[i], width[i], height[i], surface, 0, 0, width[i],
                       height[i], key);
        DrawnSurface[i] = surface;
        const RECT button{x[i], y[i], x[i] + width[i], y[i] + height[i]};
        UnionRect(&changed, &changed, &button);
    }
    if (BackBufferRenewed) {
        changed = RECT{0, 0, LayoutWidth, LayoutHeight};
        BackBufferRenewed = false;
    }
    if (!IsRectEmpty(&changed))
        InvalidateRect(window, &changed, FALSE);
}

void ForgetDrawnButtons() {
    for (HDC& dc : DrawnSurface)
        dc = nullptr;
    BackBufferRenewed = true;
}

void DrawScreenButtons(HWND window, const SkinDescriptor& s, int pressed, int hovered) {
    DrawButtons(window, pressed, hovered, s.M, s.x, s.y, s.width, s.height, s.blackKeyedSlots,
                PureRedKey);
}

void DeleteSurface(HDC& dc) {
    if (dc == nullptr)
        return;
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DeleteDC(dc);
    if (bitmap != nullptr)
        DeleteObject(bitmap); // the stock 1x1 bitmap of an empty surface ignores this
    dc = nullptr;
}

HFONT CreateProgramFont(int height, int weight) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "Tahoma");
}

void ReleaseButtonDCs(int count) {
    ForgetDrawnButtons();
    for (int i = 0; i < count; ++i) {
        DeleteSurface(ButtonNormDC[i]);
        DeleteSurface(ButtonHiDC[i]);
        DeleteSurface(ButtonPushDC[i]);
    }
    DeleteSurface(BackBufferDC);
}

void ReleaseThumbnailDCs() {
    for (HDC& dc : ThumbnailDC)
        DeleteSurface(dc);
    DeleteSurface(HoverMaskDC);
    DeleteSurface(SelectionMaskDC);
}

void PlayClick() {
    if (SpeakerOn == 1)
        PlayProgramSound("Star.wav");
}

void PaintFromBackBuffer(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (BackBufferDC != nullptr)
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, BackBufferDC, ps.rcPaint.left, ps.rcPaint.top,
               SRCCOPY);
    EndPaint(window, &ps);
}

POINT MessagePoint(LPARAM lp) {
    return POINT{static_cast<LONG>(LOWORD(lp)), static_cast<LONG>(HIWORD(lp))};
}
