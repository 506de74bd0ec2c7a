#include "picture/compositing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Planes {
    std::vector<uint8_t> b, g, r;
    explicit Planes(int n, uint8_t v = 0) : b(n, v), g(n, v), r(n, v) {}
};

class Compositing : public ::testing::Test {
  protected:
    void SetUp() override {
        savedW = PictureWidth;
        savedH = PictureHeight;
    }
    void TearDown() override {
        PictureWidth = savedW;
        PictureHeight = savedH;
    }
    int savedW = 0, savedH = 0;
};

// One base pixel 200 under a one-pixel decoration 100 with the given weights.
std::vector<int> OnePixel(uint8_t wb, uint8_t wg, uint8_t wr, int mode) {
    PictureWidth = PictureHeight = 1;
    Planes base(1, 200), cur(1, 7), deco(1, 100);
    Planes w(1);
    w.b[0] = wb;
    w.g[0] = wg;
    w.r[0] = wr;
    CompositeDecoration(base.b.data(), base.g.data(), base.r.data(), cur.b.data(), cur.g.data(),
                        cur.r.data(), deco.b.data(), deco.g.data(), deco.r.data(), w.b.data(),
                        w.g.data(), w.r.data(), 1, 1, 0, 0, mode);
    return {cur.b[0], cur.g[0], cur.r[0]};
}

TEST_F(Compositing, KeyedRule) {
    EXPECT_EQ(OnePixel(0, 0, 0, KeyedBlend), (std::vector<int>{200, 200, 200}));
    EXPECT_EQ(OnePixel(0, 0, 200, KeyedBlend), (std::vector<int>{100, 100, 100}));
    // (red 100, green 90, blue 20): red and green within 29, so each channel is weighted.
    EXPECT_EQ(OnePixel(20, 90, 100, KeyedBlend),
              (std::vector<int>{(200 * 235 + 100 * 20) / 255, (200 * 165 + 100 * 90) / 255,
                                (200 * 155 + 100 * 100) / 255}));
    EXPECT_EQ(OnePixel(20, 60, 100, KeyedBlend), (std::vector<int>{100, 100, 100}));
    EXPECT_EQ(OnePixel(20, 50, 80, KeyedBlend), (std::vector<int>{100, 100, 100})); // 30 apart
    EXPECT_EQ(OnePixel(20, 49, 79, KeyedBlend)[0], (200 * 235 + 100 * 20) / 255);   // 29 apart
    EXPECT_EQ(OnePixel(0, 0, 128, KeyedBlend), (std::vector<int>{100, 100, 100}));
}

TEST_F(Compositing, WeightedRule) {
    EXPECT_EQ(OnePixel(255, 255, 255, WeightedBlend), (std::vector<int>{100, 100, 100}));
    EXPECT_EQ(OnePixel(0, 0, 0, WeightedBlend), (std::vector<int>{200, 200, 200}));
    EXPECT_EQ(OnePixel(128, 0, 255, WeightedBlend), (std::vector<int>{149, 200, 100}));
}

// The decoration laid pixel by pixel with the bounds test of every pixel.
std::vector<uint8_t> Reference(const std::vector<uint8_t>& base, const std::vector<uint8_t>& deco,
                               const std::vector<uint8_t>& w, int dw, int dh, int x, int y) {
    std::vector<uint8_t> out = base;
    for (int i = 0; i < dh; ++i)
        for (int j = 0; j < dw; ++j) {
            const int px = x + j, py = y + i;
            if (px < 0 || px >= PictureWidth || py < 0 || py >= PictureHeight)
                continue;
            const int p = py * PictureWidth + px, k = i * dw + j;
            out[p] = static_cast<uint8_t>((base[p] * (255 - w[k]) + deco[k] * w[k]) / 255);
        }
    return out;
}

TEST_F(Compositing, ClipsOnEverySide) {
    PictureWidth = 10;
    PictureHeight = 8;
    const int n = 80, dw = 4, dh = 3;
    Planes base(n), cur(n), deco(dw * dh), w(dw * dh);
    for (int i = 0; i < n; ++i)
        base.b[i] = base.g[i] = base.r[i] = static_cast<uint8_t>(i * 3);
    for (int k = 0; k < dw * dh; ++k) {
        deco.b[k] = deco.g[k] = deco.r[k] = static_cast<uint8_t>(250 - k);
        w.b[k] = w.g[k] = w.r[k] = static_cast<uint8_t>(40 + k * 15);
    }
    const int places[][2] = {{-2, -1}, {8, 6},  {-3, 3}, {7, -2},      {3, 3},         {-4, 0},
                             {10, 0},  {0, -3}, {0, 8},  {-100, -100}, {2000000000, 5}};
    for (const auto& at : places) {
        CompositeDecoration(base.b.data(), base.g.data(), base.r.data(), cur.b.data(), cur.g.data(),
                            cur.r.data(), deco.b.data(), deco.g.data(), deco.r.data(), w.b.data(),
                            w.g.data(), w.r.data(), dw, dh, at[0], at[1], WeightedBlend);
        EXPECT_EQ(cur.b, Reference(base.b, deco.b, w.b, dw, dh, at[0], at[1]))
            << at[0] << "," << at[1];
    }
    // Wholly outside: the current picture is the base picture.
    CompositeDecoration(base.b.data(), base.g.data(), base.r.data(), cur.b.data(), cur.g.data(),
                        cur.r.data(), deco.b.data(), deco.g.data(), deco.r.data(), w.b.data(),
                        w.g.data(), w.r.data(), dw, dh, -4, 2, KeyedBlend);
    EXPECT_EQ(cur.b, base.b);
}

TEST_F(Compositing, FullPictureWeightsEveryPixel) {
    PictureWidth = 3;
    PictureHeight = 2;
    Planes deco(6, 10), base(6, 250), cur(6), w(6);
    const uint8_t weights[6] = {0, 1, 127, 128, 254, 255};
    for (int i = 0; i < 6; ++i)
        w.g[i] = weights[i];
    CompositeFullPicture(deco.b.data(), deco.g.data(), deco.r.data(), base.b.data(), base.g.data(),
                         base.r.data(), cur.b.data(), cur.g.data(), cur.r.data(), w.b.data(),
                         w.g.data(), w.r.data(), 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cur.g[i], (250 * (255 - weights[i]) + 10 * weights[i]) / 255) << i;
    EXPECT_EQ(cur.b, base.b);
}

TEST_F(Compositing, OversizedOrEmptyDecorationOnlyCopiesTheBase) {
    PictureWidth = 4;
    PictureHeight = 4;
    Planes base(16, 9), cur(16, 1), tiny(1, 255);
    CompositeDecoration(base.b.data(), base.g.data(), base.r.data(), cur.b.data(), cur.g.data(),
                        cur.r.data(), tiny.b.data(), tiny.g.data(), tiny.r.data(), tiny.b.data(),
                        tiny.g.data(), tiny.r.data(), 801, 640, 0, 0, WeightedBlend);
    EXPECT_EQ(cur.b, base.b);
    cur = Planes(16, 1);
    CompositeDecoration(base.b.data(), base.g.data(), base.r.data(), cur.b.data(), cur.g.data(),
                        cur.r.data(), tiny.b.data(), tiny.g.data(), tiny.r.data(), tiny.b.data(),
                        tiny.g.data(), tiny.r.data(), 0, 5, 0, 0, WeightedBlend);
    EXPECT_EQ(cur.r, base.r);
}

} // namespace
