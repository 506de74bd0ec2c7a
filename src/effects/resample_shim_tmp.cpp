#include "effects/resample_shim_tmp.h"
#include "effects/resample.h"
#include "skin/color_planes.h"
#include <vector>
bool ResamplePixels(const uint8_t* bits, std::size_t stride, int bytesPerPixel, int pw, int ph,
                    uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h) {
    const std::size_t n = static_cast<std::size_t>(w) * h;
    std::vector<uint8_t> b(n), g(n), r(n);
    UnpackPixels(bits, stride, w, h, bytesPerPixel * 8, b.data(), g.data(), r.data());
    return ResamplePlanes(b.data(), g.data(), r.data(), pw, ph, blue, green, red, w, h);
}
