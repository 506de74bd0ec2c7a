// The picture the effect benchmarks work on.
#pragma once
#include "effects_reference.h"
#include "skin/color_planes.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace bench {

// A real photo tiled over the picture (its colours decide which table entries are hit), or
// noise when the photos are not there.
inline void FillPicture(ColorPlanes& p, int w, int h) {
    int pw = 0, ph = 0;
    std::vector<uint8_t> b, g, r;
    const std::string path = reference::PhotoPath("chelsea.bmp");
    if (!path.empty() && reference::LoadBmp24(path.c_str(), pw, ph, b, g, r)) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t s = (size_t)((y % ph) * pw + x % pw);
                p.blue[y * w + x] = b[s];
                p.green[y * w + x] = g[s];
                p.red[y * w + x] = r[s];
            }
        return;
    }
    std::mt19937 rng(7);
    for (int i = 0; i < w * h; ++i) {
        p.blue[i] = (uint8_t)rng();
        p.green[i] = (uint8_t)rng();
        p.red[i] = (uint8_t)rng();
    }
}

inline void SetSize(benchmark::State& state) {
    PictureWidth = (int)state.range(0);
    PictureHeight = (int)state.range(1);
    FillPicture(BasePicture, PictureWidth, PictureHeight);
}

} // namespace bench
