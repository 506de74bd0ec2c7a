// Straightforward per-pixel versions of the colour chain and the plane filters, written for
// clarity only: the fast versions in src/effects must match them byte for byte.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace reference {

// ---- Colour chain ----

struct LumaChroma {
    int y, u, v;
};

inline LumaChroma ToLumaChroma(int b, int g, int r) {
    return {(int)(0.11 * b + (0.3 * r + 0.59 * g)), (int)((0.7 * r - 0.59 * g) - 0.11 * b),
            (int)(0.89 * b - (0.3 * r + 0.59 * g))};
}

// Stages 2 to 4 for one colour-difference pair.
inline void AdjustDiffs(int u, int v, float chromaGain, float hueShift, int& uOut, int& vOut) {
    const float s = (float)(u * u + v * v);
    const int magnitude = (int)std::sqrt((double)s);
    int hue = 0;
    if (magnitude > 0) {
        float a = (float)(std::atan2((double)u, (double)v) * 180 / 3.141592658);
        if (a < 0)
            a = (float)(a + 360.0);
        hue = (int)a;
    }
    const int m = (int)(magnitude * (double)chromaGain);
    int h = (int)(hue + (double)hueShift);
    if (h > 360)
        h -= 360;
    if (h < 0)
        h += 360;
    const float t = (float)(h * 3.141592658 / 180);
    uOut = (int)(std::sin((double)t) * m);
    vOut = (int)(std::cos((double)t) * m);
}

inline uint8_t Clamp(long long v) {
    return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v);
}

inline void ToBytes(int y, int u, int v, uint8_t& b, uint8_t& g, uint8_t& r) {
    r = Clamp((long long)y + u);
    b = Clamp((long long)y + v);
    g = Clamp((long long)(y - 0.5084745762711864 * u - 0.1864406779661017 * v));
}

inline void AdjustPixel(uint8_t b, uint8_t g, uint8_t r, float lumaGain, float chromaGain,
                        float hueShift, uint8_t& bo, uint8_t& go, uint8_t& ro) {
    const LumaChroma c = ToLumaChroma(b, g, r);
    int u, v;
    AdjustDiffs(c.u, c.v, chromaGain, hueShift, u, v);
    ToBytes((int)(c.y * (double)lumaGain), u, v, bo, go, ro);
}

// ---- Plane filters (w x h, row-major) ----

inline void Invert(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int i = 0; i < w * h; ++i)
        out[i] = (uint8_t)(255 - in[i]);
}

inline void FoldDarkTones(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int r = 0; r < h - 1; ++r)
        for (int c = 0; c < w - 1; ++c) {
            const int v = in[r * w + c];
            out[r * w + c] = (uint8_t)(v < 128 ? 180 - v : v);
        }
}

inline void Convolve(const uint8_t* in, uint8_t* out, int w, int h, const int32_t k[9]) {
    for (int r = 1; r < h - 1; ++r)
        for (int c = 1; c < w - 1; ++c) {
            int s = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    s += k[(dy + 1) * 3 + dx + 1] * in[(r + dy) * w + c + dx];
            const int a = s < 0 ? -s : s;
            out[r * w + c] = (uint8_t)(a > 255 ? 255 : a);
        }
}

inline void MedianBubble(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int r = 1; r < h - 1; ++r)
        for (int c = 1; c < w - 1; ++c) {
            uint8_t a[9];
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    a[n++] = in[(r + dy) * w + c + dx];
            for (int len = 9; len >= 2; --len)
                for (int i = 0; i + 1 < len; ++i)
                    if (a[i] > a[i + 1]) {
                        const uint8_t t = a[i];
                        a[i] = a[i + 1];
                        a[i + 1] = t;
                    }
            out[r * w + c] = a[4];
        }
}

inline void BoxBlur(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int r = 1; r < h - 1; ++r)
        for (int c = 1; c < w - 1; ++c) {
            int s = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    s += in[(r + dy) * w + c + dx];
            out[r * w + c] = (uint8_t)(s / 9);
        }
}

inline void Mosaic(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int i = 0; i < w * h; ++i)
        out[i] = 0;
    if (h < 5 || w < 5)
        return;
    for (int a = 0; 5 * a + 5 <= h; ++a)
        for (int b = 0; 5 * b + 5 <= w; ++b) {
            int s = 0;
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x)
                    s += in[(5 * a + y) * w + 5 * b + x];
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x)
                    out[(5 * a + y) * w + 5 * b + x] = (uint8_t)(s / 25);
        }
}

inline void CompassEdges(const uint8_t* in, uint8_t* out, int w, int h, float factor) {
    // The ring N, NE, E, SE, S, SW, W, NW as offsets.
    const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    const int dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    for (int r = 1; r < h - 1; ++r)
        for (int c = 1; c < w - 1; ++c) {
            int ring[8];
            for (int d = 0; d < 8; ++d)
                ring[d] = in[(r + dy[d]) * w + c + dx[d]];
            const int centre = in[r * w + c];
            int m = 0;
            for (int d = 0; d < 8; ++d) {
                int D = -2 * centre;
                for (int k = 0; k < 8; ++k) {
                    const int dist = (k - d + 8) % 8;
                    const bool near = dist <= 2 || dist >= 6;
                    D += near ? ring[k] : -ring[k];
                }
                if (D > m)
                    m = D;
            }
            int o = (int)(float)(m * (double)factor);
            out[r * w + c] = (uint8_t)(o > 255 ? 255 : o);
        }
}

inline void Emboss(const uint8_t* in, uint8_t* out, int w, int h, int offset) {
    for (int r = 0; r < h - 1; ++r)
        for (int c = 0; c < w - 1; ++c)
            out[r * w + c] = (uint8_t)((in[r * w + c + 1] - in[r * w + c] + offset) & 255);
}

inline void RecolourRelief(uint8_t* blue, uint8_t* green, uint8_t* red, int n) {
    for (int i = 0; i < n; ++i) {
        red[i] = 255;
        int g = (green[i] + 55) % 256;
        if (g < 150)
            g = 188;
        int b = blue[i];
        if (b >= 184 && b <= 189)
            b += 66;
        if (b < 150)
            b = (b - 90 + 256) % 256;
        if (b == 0)
            b = 50;
        if (b > g) {
            const int t = b;
            b = g;
            g = t;
        }
        green[i] = (uint8_t)g;
        blue[i] = (uint8_t)b;
    }
}

// ---- Test pictures ----

// The shared test photos: beside the repository (as CI lays it out), else where the
// workplace keeps them. Empty when neither exists.
inline std::string PhotoPath(const char* name) {
    std::string here = __FILE__;
    here = here.substr(0, here.find_last_of('/'));
    for (const std::string& folder :
         {here + "/../../../shared/photos/", std::string("/work/shared/photos/")}) {
        const std::string path = folder + name;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            std::fclose(f);
            return path;
        }
    }
    return {};
}

// A 24-bit bottom-up BMP into three planes; false when the file is not one.
inline bool LoadBmp24(const char* path, int& w, int& h, std::vector<uint8_t>& blue,
                      std::vector<uint8_t>& green, std::vector<uint8_t>& red) {
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    std::vector<uint8_t> data;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    std::fclose(f);
    auto u32 = [&](size_t at) {
        return (uint32_t)data[at] | (uint32_t)data[at + 1] << 8 | (uint32_t)data[at + 2] << 16 |
               (uint32_t)data[at + 3] << 24;
    };
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M' || data[28] != 24)
        return false;
    const uint32_t offset = u32(10);
    w = (int)u32(18);
    h = (int)u32(22);
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096)
        return false;
    const size_t stride = ((size_t)w * 3 + 3) / 4 * 4;
    if (data.size() < offset + stride * (size_t)h)
        return false;
    blue.assign((size_t)(w * h), 0);
    green.assign((size_t)(w * h), 0);
    red.assign((size_t)(w * h), 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &data[offset + stride * (size_t)(h - 1 - y)];
        for (int x = 0; x < w; ++x) {
            blue[(size_t)(y * w + x)] = row[3 * x];
            green[(size_t)(y * w + x)] = row[3 * x + 1];
            red[(size_t)(y * w + x)] = row[3 * x + 2];
        }
    }
    return true;
}

} // namespace reference
