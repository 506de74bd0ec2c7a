// The decoded pixels of an opaque picture, read straight from the imaging library. Drawing a
// picture at its own size gives exactly these pixels, at a fraction of the cost and without a
// device bitmap of its size.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <cstdint>

class OpaquePixels {
  public:
    // Reads the picture's pixels in 24 bits (blue, green, red), or 32 with an unused fourth
    // byte, when it has no transparency and the display shows at least 24 bits; otherwise ok()
    // is false and the caller draws it.
    explicit OpaquePixels(Gdiplus::GpImage* image, int bytesPerPixel = 3);
    ~OpaquePixels();
    OpaquePixels(const OpaquePixels&) = delete;
    OpaquePixels& operator=(const OpaquePixels&) = delete;

    bool ok() const { return locked_; }
    const uint8_t* rows() const { return static_cast<const uint8_t*>(data_.Scan0); }
    std::size_t stride() const { return static_cast<std::size_t>(data_.Stride); }
    int width() const { return static_cast<int>(data_.Width); }
    int height() const { return static_cast<int>(data_.Height); }
    int bytesPerPixel() const { return bytesPerPixel_; }

  private:
    Gdiplus::GpBitmap* bitmap_ = nullptr;
    Gdiplus::BitmapData data_{};
    bool locked_ = false;
    int bytesPerPixel_;
};

// A device bitmap compatible with the window's DC holding the pixels (rows top-down, whole words
// long, 3 or 4 bytes a pixel); null when it cannot be made.
HBITMAP BitmapFromRows(HDC windowDC, const uint8_t* rows, std::size_t stride, int width, int height,
                       int bytesPerPixel);
HBITMAP BitmapFromPixels(HDC windowDC, const OpaquePixels& pixels);
