#include "skin/color_planes_win.h"

#include <memory>
#include <new>

namespace {

// The bitmap's own depth and row length: a compatible bitmap follows the display, and rows
// of a 24-bit device bitmap are padded to whole words.
struct DeviceRows {
    int depth;
    std::size_t stride;
    std::size_t bytes;
};

bool RowsFor(HBITMAP bitmap, int width, int height, DeviceRows& rows) {
    if (bitmap == nullptr || width <= 0 || height <= 0)
        return false;
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) == 0)
        return false;
    if (BytesPerPixel(info.bmBitsPixel) == 0 || info.bmWidth < width || info.bmHeight < height)
        return false;
    rows.depth = info.bmBitsPixel;
    rows.stride = static_cast<std::size_t>(info.bmWidthBytes);
    rows.bytes = rows.stride * static_cast<std::size_t>(height);
    return rows.bytes <= static_cast<std::size_t>(LONG_MAX);
}

} // namespace

bool PlanesToBitmapSized(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                         int height, HBITMAP bitmap) {
    DeviceRows rows{};
    if (!RowsFor(bitmap, width, height, rows))
        return false;
    std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[rows.bytes]());
    if (!scratch)
        return false;
    PackPixels(blue, green, red, width, height, rows.depth, scratch.get(), rows.stride);
    SetBitmapBits(bitmap, static_cast<DWORD>(rows.bytes), scratch.get());
    return true;
}

bool BitmapToPlanesSized(HBITMAP bitmap, int width, int height, uint8_t* blue, uint8_t* green,
                         uint8_t* red) {
    DeviceRows rows{};
    if (!RowsFor(bitmap, width, height, rows))
        return false;
    std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[rows.bytes]());
    if (!scratch)
        return false;
    GetBitmapBits(bitmap, static_cast<LONG>(rows.bytes), scratch.get());
    UnpackPixels(scratch.get(), rows.stride, width, height, rows.depth, blue, green, red);
    return true;
}

void PlanesToBitmap(const uint8_t* blue, const uint8_t* green, const uint8_t* red, HBITMAP bitmap) {
    PlanesToBitmapSized(blue, green, red, PictureWidth, PictureHeight, bitmap);
}

void PlanesToBitmap(const ColorPlanes& picture, HBITMAP bitmap) {
    PlanesToBitmap(picture.blue, picture.green, picture.red, bitmap);
}

void BitmapToPlanes(HBITMAP bitmap, uint8_t* blue, uint8_t* green, uint8_t* red) {
    BitmapToPlanesSized(bitmap, PictureWidth, PictureHeight, blue, green, red);
}

void BitmapToPlanes(HBITMAP bitmap, ColorPlanes& picture) {
    BitmapToPlanes(bitmap, picture.blue, picture.green, picture.red);
}

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP CreateTopDownSection(int width, int height, void** bits) {
    const BITMAPINFO info = TopDownInfo(width, height);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}
