// Uncompressed 24-bit Windows bitmaps: BITMAPFILEHEADER + BITMAPINFOHEADER, bottom-up
// rows in blue-green-red order, each padded to a multiple of four bytes.
#pragma once
#include "bytes.h"
#include "canvas.h"

namespace skingen {

constexpr int BmpHeaderSize = 14 + 40;

std::size_t BmpRowStride(int width, int bitsPerPixel);
Bytes EncodeBmp24(const Canvas& canvas);

} // namespace skingen
