#include "picture/resample_win.h"

#include "effects/resample.h"
#include "skin/color_planes_win.h"

#include <memory>
#include <new>

bool ResamplePercent(HBITMAP bitmap, int pw, int ph, uint8_t* blue, uint8_t* green, uint8_t* red,
                     int& w, int& h) {
    if (w < 1 || h < 1)
        return false;
    const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    std::unique_ptr<uint8_t[]> b(new (std::nothrow) uint8_t[n]);
    std::unique_ptr<uint8_t[]> g(new (std::nothrow) uint8_t[n]);
    std::unique_ptr<uint8_t[]> r(new (std::nothrow) uint8_t[n]);
    if (!b || !g || !r)
        return false;
    if (!BitmapToPlanesSized(bitmap, w, h, b.get(), g.get(), r.get()))
        return false;
    return ResamplePlanes(b.get(), g.get(), r.get(), pw, ph, blue, green, red, w, h);
}
