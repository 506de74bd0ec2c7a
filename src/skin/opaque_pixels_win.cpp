#include "skin/opaque_pixels_win.h"

#include "program/program_win.h"

#include <vector>

namespace {

using namespace Gdiplus::DllExports;

// Drawing composes transparent pixels on the bitmap's black; only opaque pictures read alike.
bool IsOpaque(Gdiplus::GpImage* image) {
    Gdiplus::PixelFormat format = 0;
    if (GdipGetImagePixelFormat(image, &format) != Gdiplus::Ok)
        return false;
    if ((format & (PixelFormatAlpha | PixelFormatPAlpha)) != 0)
        return false;
    if ((format & PixelFormatIndexed) == 0)
        return true;
    INT size = 0;
    if (GdipGetImagePaletteSize(image, &size) != Gdiplus::Ok ||
        size < static_cast<INT>(sizeof(Gdiplus::ColorPalette)))
        return false;
    std::vector<BYTE> block(static_cast<std::size_t>(size));
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(block.data());
    return GdipGetImagePalette(image, palette, size) == Gdiplus::Ok &&
           (palette->Flags & Gdiplus::PaletteFlagsHasAlpha) == 0;
}

} // namespace

OpaquePixels::OpaquePixels(Gdiplus::GpImage* image, int bytesPerPixel)
    : bytesPerPixel_(bytesPerPixel == 4 ? 4 : 3) {
    // Drawn on a 16-bit display, a picture loses bits that its pixels keep.
    Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
    if (image == nullptr || GdipGetImageType(image, &type) != Gdiplus::Ok ||
        type != Gdiplus::ImageTypeBitmap || !IsOpaque(image) || DisplayDepth() < 24)
        return;
    bitmap_ = static_cast<Gdiplus::GpBitmap*>(image);
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    const Gdiplus::GpRect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    locked_ = w > 0 && h > 0 && w <= 0x7fffffffU && h <= 0x7fffffffU &&
              GdipBitmapLockBits(bitmap_, &all, Gdiplus::ImageLockModeRead,
                                 bytesPerPixel_ == 4 ? PixelFormat32bppRGB : PixelFormat24bppRGB,
                                 &data_) == Gdiplus::Ok;
    // Rows bottom-up (a negative stride) are not what the readers expect.
    if (locked_ && data_.Stride < static_cast<INT>(bytesPerPixel_ * data_.Width)) {
        GdipBitmapUnlockBits(bitmap_, &data_);
        locked_ = false;
    }
}

OpaquePixels::~OpaquePixels() {
    if (locked_)
        GdipBitmapUnlockBits(bitmap_, &data_);
}

HBITMAP BitmapFromRows(HDC windowDC, const uint8_t* rows, std::size_t stride, int width, int height,
                       int bytesPerPixel) {
    // Rows must be whole words long, as a DIB's; the library's are.
    const std::size_t dibStride =
        (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
    if (rows == nullptr || width <= 0 || height <= 0 || stride != dibStride)
        return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, width, height);
    if (bitmap == nullptr)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(8 * bytesPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    if (SetDIBits(windowDC, bitmap, 0, static_cast<UINT>(height), rows, &info, DIB_RGB_COLORS) !=
        height) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

HBITMAP BitmapFromPixels(HDC windowDC, const OpaquePixels& pixels) {
    if (!pixels.ok())
        return nullptr;
    return BitmapFromRows(windowDC, pixels.rows(), pixels.stride(), pixels.width(), pixels.height(),
                          pixels.bytesPerPixel());
}
