// Windows icon files holding 32-bit images (BGRA with an AND mask derived from alpha).
#pragma once
#include "bytes.h"
#include "canvas.h"

#include <vector>

namespace skingen {

// Images of up to 256 x 256, in the order given.
Bytes EncodeIco(const std::vector<Canvas>& images);

} // namespace skingen
