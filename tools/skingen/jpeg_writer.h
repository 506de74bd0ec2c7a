// Baseline sequential JPEG (JFIF, YCbCr 4:4:4, the standard Huffman tables), enough
// for small tiles that any decoder, GDI+ included, reads.
#pragma once
#include "bytes.h"
#include "canvas.h"

namespace skingen {

// quality 1..100 scales the standard quantisation tables as the usual encoders do.
Bytes EncodeJpeg(const Canvas& canvas, int quality = 92);

} // namespace skingen
