#include "effects/resample.h"

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

} // namespace
