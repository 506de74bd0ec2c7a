#include "skin/color_planes.h"
#include "common/vector_dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace {

struct Pixel {
    uint8_t b, g, r;
};

Pixel RoundTrip(Pixel p, int depth) {
    const int bpp = BytesPerPixel(depth);
    std::vector<uint8_t> bits(static_cast<size_t>(bpp), 0);
    PackPixels(&p.b, &p.g, &p.r, 1, 1, depth, bits.data(), static_cast<size_t>(bpp));
    Pixel out{1, 1, 1};
    UnpackPixels(bits.data(), static_cast<size_t>(bpp), 1, 1, depth, &out.b, &out.g, &out.r);
    return out;
}

TEST(ColorPlanes, SixteenBitWordIsFiveSixFive) {
    const uint8_t b = 0x12, g = 0x34, r = 0x56;
    uint8_t bits[2] = {};
    PackPixels(&b, &g, &r, 1, 1, 16, bits, 2);
    EXPECT_EQ(bits[0], 0xA2);
    EXPECT_EQ(bits[1], 0x51);
}

TEST(ColorPlanes, SixteenBitRoundTripDropsLowBits) {
    Pixel p = RoundTrip({255, 255, 255}, 16);
    EXPECT_EQ((std::array<int, 3>{p.b, p.g, p.r}), (std::array<int, 3>{248, 252, 248}));
    p = RoundTrip({7, 3, 7}, 16);
    EXPECT_EQ((std::array<int, 3>{p.b, p.g, p.r}), (std::array<int, 3>{0, 0, 0}));
    p = RoundTrip({8, 4, 8}, 16);
    EXPECT_EQ((std::array<int, 3>{p.b, p.g, p.r}), (std::array<int, 3>{8, 4, 8}));
    // Every channel value on its own, with the other channels set to disturb the shared bytes.
    for (int v = 0; v < 256; ++v) {
        const uint8_t u = static_cast<uint8_t>(v), x = static_cast<uint8_t>(255 - v);
        EXPECT_EQ(RoundTrip({u, x, x}, 16).b, v & 248) << v;
        EXPECT_EQ(RoundTrip({x, u, x}, 16).g, v & 252) << v;
        EXPECT_EQ(RoundTrip({x, x, u}, 16).r, v & 248) << v;
    }
}

TEST(ColorPlanes, WideDepthsRoundTripExactlyAndKeepRowPadding) {
    const int w = 5, h = 3; // odd width: 24-bit device rows are padded to whole words
    std::vector<uint8_t> b(w * h), g(w * h), r(w * h);
    for (int i = 0; i < w * h; ++i) {
        b[i] = static_cast<uint8_t>(i * 17 + 3);
        g[i] = static_cast<uint8_t>(i * 31 + 200);
        r[i] = static_cast<uint8_t>(255 - i * 7);
    }
    for (int depth : {24, 32}) {
        const size_t stride = static_cast<size_t>(w * BytesPerPixel(depth) + 2);
        std::vector<uint8_t> bits(stride * h, 0xEE);
        PackPixels(b.data(), g.data(), r.data(), w, h, depth, bits.data(), stride);
        for (int y = 0; y < h; ++y) {
            EXPECT_EQ(bits[y * stride + stride - 1], 0xEE) << "padding written at " << depth;
            EXPECT_EQ(bits[y * stride + 0], b[y * w]);
            EXPECT_EQ(bits[y * stride + 2], r[y * w]);
        }
        if (depth == 32) {
            EXPECT_EQ(bits[3], 0);
        }
        std::vector<uint8_t> b2(w * h), g2(w * h), r2(w * h);
        UnpackPixels(bits.data(), stride, w, h, depth, b2.data(), g2.data(), r2.data());
        EXPECT_EQ(b2, b);
        EXPECT_EQ(g2, g);
        EXPECT_EQ(r2, r);
    }
}

TEST(ColorPlanes, OtherDepthsMoveNothing) {
    const uint8_t b = 1, g = 2, r = 3;
    uint8_t bits[4] = {9, 9, 9, 9};
    PackPixels(&b, &g, &r, 1, 1, 8, bits, 4);
    EXPECT_EQ(bits[0], 9);
    uint8_t ob = 5, og = 6, orr = 7;
    UnpackPixels(bits, 4, 1, 1, 15, &ob, &og, &orr);
    EXPECT_EQ(ob, 5);
    EXPECT_EQ(BytesPerPixel(0), 0);
}

// Both bodies against the pixel-by-pixel form at every width up to 70 and some wider odd ones.
// The device bits end right after the last row's pixels, without its padding, so a read or
// write too far is caught; padding between rows must come back untouched.
TEST(ColorPlanes, VectorBodiesMatchThePixelByPixelForm) {
    std::mt19937 rng(5);
    auto noise = [&rng](std::size_t n) {
        std::vector<uint8_t> v(n);
        for (auto& x : v)
            x = static_cast<uint8_t>(rng());
        return v;
    };
    std::vector<int> widths;
    for (int w = 1; w <= 70; ++w)
        widths.push_back(w);
    widths.insert(widths.end(), {97, 131, 255, 257, 801});
    for (bool wide : {true, false}) {
        WideVectorsAllowed = wide;
        for (int depth : {16, 24, 32})
            for (int w : widths)
                for (int h : {1, 3}) {
                    const std::size_t row = static_cast<std::size_t>(w * BytesPerPixel(depth));
                    const std::size_t stride = (row + 3) / 4 * 4 + (w % 3 == 0 ? 4 : 0);
                    const std::size_t n = static_cast<std::size_t>(w * h);
                    const std::size_t size = stride * static_cast<std::size_t>(h - 1) + row;
                    const auto b = noise(n), g = noise(n), r = noise(n);
                    std::vector<uint8_t> bits = noise(size), expected = bits;
                    PackPixels(b.data(), g.data(), r.data(), w, h, depth, bits.data(), stride);
                    PackPixelsReference(b.data(), g.data(), r.data(), w, h, depth, expected.data(),
                                        stride);
                    ASSERT_EQ(bits, expected)
                        << "pack " << depth << " " << w << "x" << h << " " << wide;
                    const auto in = noise(size);
                    std::vector<uint8_t> ub = noise(n), ug = noise(n), ur = noise(n);
                    std::vector<uint8_t> eb = noise(n), eg = eb, er = eb;
                    UnpackPixels(in.data(), stride, w, h, depth, ub.data(), ug.data(), ur.data());
                    UnpackPixelsReference(in.data(), stride, w, h, depth, eb.data(), eg.data(),
                                          er.data());
                    ASSERT_TRUE(ub == eb && ug == eg && ur == er)
                        << "unpack " << depth << " " << w << "x" << h << " " << wide;
                }
    }
    WideVectorsAllowed = true;
}

} // namespace
