// PNG files with only IHDR, IDAT and IEND, so the bytes depend on the pixels alone.
#pragma once
#include "bytes.h"
#include "canvas.h"

namespace skingen {

enum class PngChannels { Rgb, Rgba };

Bytes EncodePng(const Canvas& canvas, PngChannels channels = PngChannels::Rgb);

} // namespace skingen
