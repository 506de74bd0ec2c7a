#include "effects/resample.h"
#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<uint8_t> Pattern(int w, int h, int seed) {
    std::vector<uint8_t> p(static_cast<size_t>(w) * h);
    unsigned s = static_cast<unsigned>(seed) * 2654435761u + 1;
    for (auto& v : p) {
        s = s * 1103515245u + 12345u;
        v = static_cast<uint8_t>(s >> 16);
    }
    return p;
}

// The zoom written out pixel by pixel as designed, neighbours past the edge repeating it.
uint8_t ReferenceZoom(const std::vector<uint8_t>& src, int W, int H, float sx, float sy, int row,
                      int col) {
    const int hw = W / 2, hh = H / 2;
    if (row >= 2 * hh || col >= 2 * hw)
        return 0;
    const int i = row - hh, j = col - hw;
    const float c = i / sy, d = j / sx;
    int k = c > 0 ? (int)c : (int)(c - 1);
    int l = d > 0 ? (int)d : (int)(d - 1);
    float e = c - k, f = d - l;
    if (e == 1) {
        k += 1;
        e = 0;
    }
    if (f == 1) {
        l += 1;
        f = 0;
    }
    if (!(-hh <= k && k < hh && -hw <= l && l < hw))
        return 0;
    auto at = [&](int r, int cc) {
        return (float)src[std::min(r, H - 1) * W + std::min(cc, W - 1)];
    };
    const float p0 = at(k + hh, l + hw), p1 = at(k + hh, l + hw + 1);
    const float q0 = at(k + hh + 1, l + hw), q1 = at(k + hh + 1, l + hw + 1);
    const int v = (int)((f * p1 + (1 - f) * p0) * (1 - e) + e * (f * q1 + (1 - f) * q0));
    return (uint8_t)std::clamp(v, 0, 255);
}

TEST(Resample, HundredPercentOfAnEvenPictureIsThePicture) {
    const int w = 64, h = 48;
    const auto b = Pattern(w, h, 1), g = Pattern(w, h, 2), r = Pattern(w, h, 3);
    std::vector<uint8_t> ob(w * h), og(w * h), orr(w * h);
    int ow = w, oh = h;
    ASSERT_TRUE(ResamplePlanes(b.data(), g.data(), r.data(), 100, 100, ob.data(), og.data(),
                               orr.data(), ow, oh));
    EXPECT_EQ(ow, w);
    EXPECT_EQ(oh, h);
    EXPECT_EQ(ob, b);
    EXPECT_EQ(og, g);
    EXPECT_EQ(orr, r);
}

TEST(Resample, HalfTakesEverySecondPixelWithoutAveraging) {
    const int w = 1280, h = 1024;
    const auto src = Pattern(w, h, 4);
    std::vector<uint8_t> out(640 * 512);
    int ow = w, oh = h;
    ASSERT_TRUE(ResamplePlanes(src.data(), src.data(), src.data(), 50, 50, out.data(), out.data(),
                               out.data(), ow, oh));
    ASSERT_EQ(ow, 640);
    ASSERT_EQ(oh, 512);
    for (int j = 0; j < oh; ++j)
        for (int k = 0; k < ow; ++k)
            ASSERT_EQ(out[j * ow + k], src[2 * j * w + 2 * k]) << j << "," << k;
}

TEST(Resample, SizesTruncateButKeepOnePixel) {
    EXPECT_EQ(ScaledSize(75, 1001), 750);
    EXPECT_EQ(ScaledSize(21, 2), 1); // 0.42 of a pixel
    EXPECT_EQ(ScaledSize(32, 2000), 640);
    const auto src = Pattern(3000, 2, 5);
    std::vector<uint8_t> out(630);
    int ow = 3000, oh = 2;
    ASSERT_TRUE(ResamplePlanes(src.data(), src.data(), src.data(), 21, 21, out.data(), out.data(),
                               out.data(), ow, oh));
    EXPECT_EQ(ow, 630);
    EXPECT_EQ(oh, 1);
}

TEST(Resample, RefusesPercentagesOutsideOneToHundred) {
    const auto src = Pattern(4, 4, 6);
    std::vector<uint8_t> out(16, 7);
    for (int p : {0, -5, 101}) {
        int ow = 4, oh = 4;
        EXPECT_FALSE(ResamplePlanes(src.data(), src.data(), src.data(), p, 50, out.data(),
                                    out.data(), out.data(), ow, oh));
        EXPECT_FALSE(ResamplePlanes(src.data(), src.data(), src.data(), 50, p, out.data(),
                                    out.data(), out.data(), ow, oh));
        EXPECT_EQ(ow, 4);
        EXPECT_EQ(oh, 4);
    }
    EXPECT_EQ(out, std::vector<uint8_t>(16, 7));
}

TEST(Resample, ZoomPlaneMatchesTheDesignPixelByPixel) {
    struct Case {
        int w, h;
        float sx, sy;
    };
    const Case cases[] = {{40, 30, 0.75f, 0.75f},
                          {41, 31, 1.0f, 1.0f},
                          {37, 22, 0.33f, 0.9f},
                          {16, 16, 0.2f, 0.2f},
                          {9, 7, 1.0f, 0.5f}};
    for (const Case& c : cases) {
        const auto src = Pattern(c.w, c.h, c.w);
        std::vector<uint8_t> out(static_cast<size_t>(c.w) * c.h, 99);
        ZoomPlane(src.data(), out.data(), c.w, c.h, c.sx, c.sy);
        for (int row = 0; row < c.h; ++row)
            for (int col = 0; col < c.w; ++col)
                ASSERT_EQ(out[row * c.w + col], ReferenceZoom(src, c.w, c.h, c.sx, c.sy, row, col))
                    << c.w << "x" << c.h << " at " << row << "," << col;
    }
}

TEST(Resample, CentreCutMatchesAFullZoomThenCut) {
    struct Case {
        int w, h, pw, ph;
    };
    const Case cases[] = {{1001, 10, 75, 75}, {200, 150, 32, 32}, {101, 77, 100, 100},
                          {64, 300, 17, 63},  {3, 3, 1, 1},       {250, 251, 99, 50}};
    for (const Case& c : cases) {
        const auto src = Pattern(c.w, c.h, c.pw);
        const float sx = (float)(c.pw / 100.0), sy = (float)(c.ph / 100.0);
        std::vector<uint8_t> zoomed(static_cast<size_t>(c.w) * c.h);
        ZoomPlane(src.data(), zoomed.data(), c.w, c.h, sx, sy);
        const int W2 = std::max(1, c.pw * c.w / 100), H2 = std::max(1, c.ph * c.h / 100);
        std::vector<uint8_t> out(static_cast<size_t>(W2) * H2, 1);
        int ow = c.w, oh = c.h;
        ASSERT_TRUE(ResamplePlanes(src.data(), src.data(), src.data(), c.pw, c.ph, out.data(),
                                   out.data(), out.data(), ow, oh));
        ASSERT_EQ(ow, W2);
        ASSERT_EQ(oh, H2);
        for (int j = 0; j < H2; ++j)
            for (int k = 0; k < W2; ++k)
                ASSERT_EQ(
                    out[j * W2 + k],
                    zoomed[(j + c.h * (100 - c.ph) / 200) * c.w + k + (100 - c.pw) * c.w / 200])
                    << c.w << "x" << c.h << " at " << j << "," << k;
        if (c.pw == 100 && c.w % 2 == 1) {
            EXPECT_EQ(out[W2 - 1], 0); // an odd size's last column has no source
        }
    }
}

// The percentages' cut as ResamplePlanes makes it, pixel by pixel through the reference zoom.
void ReferenceResample(const std::vector<uint8_t>& src, int w, int h, int pw, int ph,
                       std::vector<uint8_t>& out) {
    const int ow = ScaledSize(pw, w), oh = ScaledSize(ph, h);
    out.assign(static_cast<size_t>(ow) * oh, 0);
    ZoomPlaneWindowReference(src.data(), w, h, (float)(pw / 100.0), (float)(ph / 100.0),
                             (int)((long long)h * (100 - ph) / 200),
                             (int)((long long)(100 - pw) * w / 200), oh, ow, out.data());
}

// Both bodies against the pixel-by-pixel zoom: the percentages' cut, and the whole zoomed
// plane with its black border. Every buffer is exactly as large as it must be.
TEST(Resample, VectorBodiesMatchThePixelByPixelZoom) {
    std::vector<int> widths;
    for (int w = 1; w <= 70; ++w)
        widths.push_back(w);
    widths.insert(widths.end(), {97, 255, 301, 1001});
    for (bool wide : {true, false}) {
        WideVectorsAllowed = wide;
        for (int w : widths)
            for (int h : {1, 2, 5, 38, w == 1001 ? 603 : 0}) {
                if (h == 0)
                    continue; // large enough to be shared out between threads
                const auto src = Pattern(w, h, w * 7 + h);
                for (int p : {1, 13, 20, 33, 45, 50, 67, 99, 100}) {
                    const int pw = p, ph = (p * 7) % 100 + 1;
                    std::vector<uint8_t> expected;
                    ReferenceResample(src, w, h, pw, ph, expected);
                    std::vector<uint8_t> out(expected.size());
                    int ow = w, oh = h;
                    ASSERT_TRUE(ResamplePlanes(src.data(), src.data(), src.data(), pw, ph,
                                               out.data(), out.data(), out.data(), ow, oh));
                    ASSERT_EQ(out, expected)
                        << w << "x" << h << " at " << pw << "," << ph << " wide " << wide;
                }
                for (float s : {0.45f, 0.2f, 0.999f}) {
                    std::vector<uint8_t> whole(src.size()), expected(src.size());
                    ZoomPlane(src.data(), whole.data(), w, h, s, s);
                    ZoomPlaneWindowReference(src.data(), w, h, s, s, 0, 0, h, w, expected.data());
                    ASSERT_EQ(whole, expected)
                        << w << "x" << h << " zoom " << s << " wide " << wide;
                }
            }
    }
    WideVectorsAllowed = true;
}

// Device pixels resampled directly give what unpacking them and resampling the planes gives,
// from rows padded to whole words; the bits end right after the last row's pixels.
TEST(Resample, FromDevicePixelsEqualsUnpackThenResample) {
    for (bool wide : {true, false}) {
        WideVectorsAllowed = wide;
        for (int bpp : {3, 4})
            for (int w : {1, 2, 5, 16, 17, 31, 66, 129, 403, 1001})
                for (int p : {1, 20, 45, 77, 100}) {
                    const int h = w == 1001 ? 603 : w % 7 + 3;
                    const size_t row = static_cast<size_t>(w * bpp);
                    const size_t stride = (row + 3) / 4 * 4 + 4;
                    const auto bits = Pattern(static_cast<int>(stride * (h - 1) + row), 1, w + p);
                    const size_t n = static_cast<size_t>(w) * h;
                    std::vector<uint8_t> b(n), g(n), r(n);
                    UnpackPixels(bits.data(), stride, w, h, 8 * bpp, b.data(), g.data(), r.data());
                    const size_t m = static_cast<size_t>(ScaledSize(p, w)) * ScaledSize(p, h);
                    std::vector<uint8_t> eb(m), eg(m), er(m), ob(m), og(m), orr(m);
                    int ew = w, eh = h, ow = w, oh = h;
                    ASSERT_TRUE(ResamplePlanes(b.data(), g.data(), r.data(), p, p, eb.data(),
                                               eg.data(), er.data(), ew, eh));
                    ASSERT_TRUE(ResamplePixels(bits.data(), stride, bpp, p, p, ob.data(), og.data(),
                                               orr.data(), ow, oh));
                    EXPECT_EQ(ow, ew);
                    EXPECT_EQ(oh, eh);
                    ASSERT_TRUE(ob == eb && og == eg && orr == er)
                        << bpp << " bytes, " << w << "x" << h << " at " << p << " wide " << wide;
                }
    }
    WideVectorsAllowed = true;
    const auto bits = Pattern(48, 1, 1);
    std::vector<uint8_t> out(16, 7);
    for (auto [bpp, p] : {std::pair{2, 50}, {5, 50}, {3, 0}, {4, 101}}) {
        int ow = 4, oh = 4;
        EXPECT_FALSE(
            ResamplePixels(bits.data(), 12, bpp, p, p, out.data(), out.data(), out.data(), ow, oh));
        EXPECT_EQ(ow, 4);
        EXPECT_EQ(oh, 4);
    }
    EXPECT_EQ(out, std::vector<uint8_t>(16, 7));
}

} // namespace
