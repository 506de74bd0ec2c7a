#include "decorations/thumbnails_win.h"

#include "decorations/decoration_screens.h"
#include "decorations/thumbnail_pages.h"
#include "program/screen_table.h"
#include "skin/file_kind.h"
#include "skin/skin_win.h"
#include "skin/upright_image_win.h"

#include <gdiplus.h>

namespace {

using namespace Gdiplus::DllExports;

HDC CreateSlotSurface(HDC windowDC) {
    HDC dc = CreateCompatibleDC(windowDC);
    if (dc == nullptr)
        return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, ThumbnailSize, ThumbnailSize);
    if (bitmap == nullptr) {
        DeleteDC(dc);
        return nullptr;
    }
    SelectObject(dc, bitmap);
    return dc;
}

// A mask that cannot be loaded stays white, which leaves the slot as it is.
HDC CreateMaskSurface(HDC windowDC, const char* path) {
    HDC dc = CreateSlotSurface(windowDC);
    if (dc == nullptr)
        return nullptr;
    PatBlt(dc, 0, 0, ThumbnailSize, ThumbnailSize, WHITENESS);
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, ThumbnailSize, ThumbnailSize, LR_LOADFROMFILE));
    if (picture != nullptr) {
        HBRUSH pattern = CreatePatternBrush(picture);
        if (pattern != nullptr) {
            HGDIOBJ old = SelectObject(dc, pattern);
            PatBlt(dc, 0, 0, ThumbnailSize, ThumbnailSize, PATCOPY);
            SelectObject(dc, old);
            DeleteObject(pattern);
        }
        DeleteObject(picture);
    }
    return dc;
}

// A file the imaging library cannot read leaves its slot black.
void DrawThumbnailFile(HDC windowDC, HDC slot, const char* path) {
    Gdiplus::GpImage* image = nullptr;
    if (LoadUprightImage(path, &image) != Gdiplus::Ok)
        return;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    const ThumbnailPlacement p = PlaceThumbnail(w > 0xffffU ? 0xffff : static_cast<int>(w),
                                                h > 0xffffU ? 0xffff : static_cast<int>(h));
    // Only the drawn part is ever copied: a bitmap of that size is enough, however large
    // the picture.
    HDC memory = p.width > 0 && p.height > 0 ? CreateCompatibleDC(windowDC) : nullptr;
    HBITMAP bitmap =
        memory != nullptr ? CreateCompatibleBitmap(windowDC, p.width, p.height) : nullptr;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PatBlt(memory, 0, 0, p.width, p.height, BLACKNESS);
        Gdiplus::GpGraphics* graphics = nullptr;
        if (GdipCreateFromHDC(memory, &graphics) == Gdiplus::Ok) {
            GdipDrawImageRectI(graphics, image, 0, 0, p.width, p.height);
            GdipDeleteGraphics(graphics);
        }
        BitBlt(slot, p.x, p.y, p.width, p.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    if (memory != nullptr)
        DeleteDC(memory);
    GdipDisposeImage(image);
}

const char* NormRow(int kind, int s) {
    return kind == RowsOf40 ? SkinChild40.norm[FirstThumbnailOf40 + s]
                            : SkinChild4x.norm[FirstThumbnailOf4x + s];
}

void DrawPage(HWND window, int kind) {
    HDC windowDC = GetDC(window);
    for (int s = 0; s < ThumbnailCount; ++s) {
        if (ThumbnailDC[s] == nullptr)
            continue;
        PatBlt(ThumbnailDC[s], 0, 0, ThumbnailSize, ThumbnailSize, BLACKNESS);
        const char* path = NormRow(kind, s);
        if (path[0] != '\0' && IsPictureKind(FileKindOf(path)))
            DrawThumbnailFile(windowDC, ThumbnailDC[s], path);
    }
    ReleaseDC(window, windowDC);
}

} // namespace

void CreateThumbnailSurfaces(HWND window) {
    ReleaseThumbnailDCs();
    HDC windowDC = GetDC(window);
    HoverMaskDC = CreateMaskSurface(windowDC, HoverMaskPath);
    SelectionMaskDC = CreateMaskSurface(windowDC, SelectionMaskPath);
    for (HDC& dc : ThumbnailDC) {
        dc = CreateSlotSurface(windowDC);
        if (dc != nullptr)
            PatBlt(dc, 0, 0, ThumbnailSize, ThumbnailSize, BLACKNESS);
    }
    ReleaseDC(window, windowDC);
}

void LoadThumbnailPage(HWND window, const FileList* head, int first, int table, int kind) {
    RecordPagePaths(head, first, table, kind, SkinChild4x, SkinChild40);
    // The slots show the norm rows; a hi page only pairs files with them.
    if (table == NormTable)
        DrawPage(window, kind);
}

void LoadForegroundPage(HWND window, const FileList* pictures, const FileList* weights, int first) {
    RecordForegroundPagePaths(pictures, weights, first, SkinChild4x, SkinChild40);
    DrawPage(window, RowsOf4x);
}

void DrawThumbnails(HWND window) {
    if (BackBufferDC == nullptr)
        return;
    SetBkMode(BackBufferDC, TRANSPARENT);
    RECT all{0, 0, 0, 0};
    for (int s = 0; s < ThumbnailCount; ++s) {
        if (ThumbnailDC[s] != nullptr)
            BitBlt(BackBufferDC, ThumbnailSlotX(s), ThumbnailSlotY(s), ThumbnailSize, ThumbnailSize,
                   ThumbnailDC[s], 0, 0, SRCCOPY);
        const RECT slot{ThumbnailSlotX(s), ThumbnailSlotY(s), ThumbnailSlotX(s) + ThumbnailSize,
                        ThumbnailSlotY(s) + ThumbnailSize};
        UnionRect(&all, &all, &slot);
    }
    InvalidateRect(window, &all, FALSE);
    const int f = FirstThumbnailButton(ScreenCode);
    if (f < 0)
        return;
    const int hovered = HoveredButton - f, selected = SelectedThumbnail - f;
    if (hovered >= 0 && hovered < ThumbnailCount && HoverMaskDC != nullptr)
        BitBlt(BackBufferDC, ThumbnailSlotX(hovered), ThumbnailSlotY(hovered), ThumbnailSize,
               ThumbnailSize, HoverMaskDC, 0, 0, SRCAND);
    if (selected >= 0 && selected < ThumbnailCount && ThumbnailDC[selected] != nullptr) {
        BitBlt(BackBufferDC, ThumbnailSlotX(selected), ThumbnailSlotY(selected), ThumbnailSize,
               ThumbnailSize, ThumbnailDC[selected], 0, 0, SRCCOPY);
        if (SelectionMaskDC != nullptr)
            BitBlt(BackBufferDC, ThumbnailSlotX(selected), ThumbnailSlotY(selected), ThumbnailSize,
                   ThumbnailSize, SelectionMaskDC, 0, 0, SRCAND);
    }
}
