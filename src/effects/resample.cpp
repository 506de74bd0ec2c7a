#include "effects/resample.h"

#include <vector>

namespace {

// Where one destination offset samples the source: the lower source index and the fraction.
struct Tap {
    bool inside;
    int first, second; // second repeats the edge pixel past the last column or row
    float fraction;
};

Tap TapFor(int offset, float scale, int half, int size) {
    const float c = offset / scale;
    int k = c > 0 ? static_cast<int>(c) : static_cast<int>(c - 1);
    float e = c - k;
    if (e == 1) {
        k += 1;
        e = 0;
    }
    Tap t{};
    t.inside = -half <= k && k < half;
    if (t.inside) {
        t.first = k + half;
        t.second = t.first + 1 < size ? t.first + 1 : size - 1;
        t.fraction = e;
    }
    return t;
}

// Taps of destination indices start .. start + count - 1 (offsets from the centre).
std::vector<Tap> TapsFor(int start, int count, float scale, int size) {
    const int half = size / 2;
    std::vector<Tap> taps(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        const int index = start + n;
        // An odd size leaves the last index without an offset of its own.
        if (index < 2 * half)
            taps[static_cast<std::size_t>(n)] = TapFor(index - half, scale, half, size);
    }
    return taps;
}

} // namespace

void ZoomPlaneWindow(const uint8_t* source, int width, int height, float sx, float sy, int row0,
                     int col0, int rows, int cols, uint8_t* out) {
    if (rows <= 0 || cols <= 0)
        return;
    const std::vector<Tap> across = TapsFor(col0, cols, sx, width);
    const std::vector<Tap> down = TapsFor(row0, rows, sy, height);
    const std::size_t w = static_cast<std::size_t>(width);
    for (int r = 0; r < rows; ++r) {
        uint8_t* line = out + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols);
        const Tap& t = down[static_cast<std::size_t>(r)];
        if (!t.inside) {
            for (int c = 0; c < cols; ++c)
                line[c] = 0;
            continue;
        }
        const uint8_t* upper = source + static_cast<std::size_t>(t.first) * w;
        const uint8_t* lower = source + static_cast<std::size_t>(t.second) * w;
        const float e = t.fraction;
        for (int c = 0; c < cols; ++c) {
            const Tap& s = across[static_cast<std::size_t>(c)];
            if (!s.inside) {
                line[c] = 0;
                continue;
            }
            const float f = s.fraction;
            const float p0 = upper[s.first], p1 = upper[s.second];
            const float q0 = lower[s.first], q1 = lower[s.second];
            const float value = (f * p1 + (1 - f) * p0) * (1 - e) + e * (f * q1 + (1 - f) * q0);
            const int v = static_cast<int>(value);
            line[c] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
        }
    }
}

void ZoomPlane(const uint8_t* source, uint8_t* destination, int width, int height, float sx,
               float sy) {
    ZoomPlaneWindow(source, width, height, sx, sy, 0, 0, height, width, destination);
}

int ScaledSize(int percent, int size) {
    const long long scaled = static_cast<long long>(percent) * size / 100;
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

bool ResamplePlanes(const uint8_t* sourceBlue, const uint8_t* sourceGreen, const uint8_t* sourceRed,
                    int pw, int ph, uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h) {
    if (pw < 1 || pw > 100 || ph < 1 || ph > 100 || w < 1 || h < 1)
        return false;
    const float sx = static_cast<float>(pw / 100.0);
    const float sy = static_cast<float>(ph / 100.0);
    const int outW = ScaledSize(pw, w), outH = ScaledSize(ph, h);
    // Only the centre that the cut keeps is zoomed; the rest of the zoomed plane is not read.
    const int row0 = static_cast<int>(static_cast<long long>(h) * (100 - ph) / 200);
    const int col0 = static_cast<int>(static_cast<long long>(100 - pw) * w / 200);
    ZoomPlaneWindow(sourceBlue, w, h, sx, sy, row0, col0, outH, outW, blue);
    ZoomPlaneWindow(sourceGreen, w, h, sx, sy, row0, col0, outH, outW, green);
    ZoomPlaneWindow(sourceRed, w, h, sx, sy, row0, col0, outH, outW, red);
    w = outW;
    h = outH;
    return true;
}
