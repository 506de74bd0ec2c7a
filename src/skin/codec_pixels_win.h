// A plain colour JPEG read from the system's codec a row at a time. The imaging library decodes
// through the same codec and then copies the whole photo into a bitmap of its own; reading the
// codec directly gives the same pixels, and only the rows that are wanted.
#pragma once
#include <windows.h>

#include <wincodec.h>

#include <cstdint>

class CodecPixels {
  public:
    CodecPixels() = default;
    ~CodecPixels();
    CodecPixels(const CodecPixels&) = delete;
    CodecPixels& operator=(const CodecPixels&) = delete;

    // Opens a JPEG of 24-bit colour stored upright (some codecs decode it whole here); false,
    // before any decoding, for every other picture, which goes the imaging library's way.
    bool Open(const char* path);
    int width() const { return static_cast<int>(width_); }
    int height() const { return static_cast<int>(height_); }
    // Row y's 24-bit pixels (blue, green, red) into out, width() * 3 bytes; false when the codec
    // fails. Rows read in ascending order are what every codec does best.
    bool CopyRow(int y, uint8_t* out);
    // Lets the codec go; COM must still be initialised here.
    void Release();

  private:
    IWICBitmapDecoder* decoder_ = nullptr;
    IWICBitmapFrameDecode* frame_ = nullptr;
    UINT width_ = 0, height_ = 0;
};
