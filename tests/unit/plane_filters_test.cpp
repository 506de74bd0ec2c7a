#include "effects/plane_filters.h"
#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include "effects_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace {

using Plane = std::vector<uint8_t>;

class PlaneFilters : public ::testing::Test {
  protected:
    void SetUp() override {
        savedWidth = PictureWidth;
        savedHeight = PictureHeight;
    }
    void TearDown() override {
        PictureWidth = savedWidth;
        PictureHeight = savedHeight;
        WideVectorsAllowed = true;
    }
    int savedWidth = 0, savedHeight = 0;
};

// Every plane has exactly the picture's size, as the program's planes have no room after the
// picture (at 800 x 640 the last plane ends where its ColorPlanes ends), so that the address
// sanitizer catches a read or write past the end.
Plane Noise(int n, std::mt19937& rng, int spread = 256) {
    Plane p(static_cast<size_t>(n));
    for (auto& v : p)
        v = static_cast<uint8_t>(rng() % spread);
    return p;
}

// A picture of soft shapes and noise: long runs, strong edges and flat patches.
Plane Photo(int w, int h, std::mt19937& rng) {
    Plane p(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int v = (x * 7 + y * 3) % 256;
            if ((x / 9 + y / 5) % 3 == 0)
                v = 250;
            if (rng() % 8 == 0)
                v = static_cast<int>(rng() % 256);
            p[static_cast<size_t>(y * w + x)] = static_cast<uint8_t>(v);
        }
    return p;
}

using Fast = std::function<void(const uint8_t*, uint8_t*)>;
using Slow = std::function<void(const uint8_t*, uint8_t*, int, int)>;

// The fast filter against the reference over many sizes, both bodies, with an output plane
// full of other content so that the pixels a filter must leave are checked too.
void CompareOnSizes(const char* name, const Fast& fast, const Slow& slow) {
    std::mt19937 rng(11);
    const int widths[] = {1, 2, 3, 5, 33, 34, 35, 47, 66, 451};
    const int heights[] = {1, 2, 3, 4, 9};
    for (bool wide : {true, false}) {
        WideVectorsAllowed = wide;
        for (int w : widths)
            for (int h : heights) {
                PictureWidth = w;
                PictureHeight = h;
                const Plane in = (w + h) % 2 ? Photo(w, h, rng) : Noise(w * h, rng);
                Plane out = Noise(w * h, rng), expected = out;
                fast(in.data(), out.data());
                slow(in.data(), expected.data(), w, h);
                ASSERT_EQ(out, expected) << name << " at " << w << " x " << h << " wide " << wide;
            }
        // One working-size plane, with each body.
        PictureWidth = 800;
        PictureHeight = 24;
        const Plane in = Photo(800, 24, rng);
        Plane out = Noise(800 * 24, rng), expected = out;
        fast(in.data(), out.data());
        slow(in.data(), expected.data(), 800, 24);
        ASSERT_EQ(out, expected) << name << " at 800 x 24 wide " << wide;
    }
}

TEST_F(PlaneFilters, EveryFilterMatchesTheReferenceAndLeavesWhatItMustLeave) {
    CompareOnSizes("invert", InvertPlane, reference::Invert);
    CompareOnSizes("median", Median3x3, reference::MedianBubble);
    CompareOnSizes("blur", BoxBlur3x3, reference::BoxBlur);
    CompareOnSizes("mosaic", Mosaic5x5, reference::Mosaic);
    const int32_t unusual[9] = {2, -7, 1, 0, 3, -1, 5, 0, -2};
    const int32_t huge[9] = {0, 0, 0, 0, 1000, 0, 0, 0, -999};
    for (const int32_t* k : {SharpenKernel, StrongSharpenKernel, SlantKernel, unusual, huge})
        CompareOnSizes(
            "convolve", [k](const uint8_t* in, uint8_t* out) { Convolve3x3(in, out, k); },
            [k](const uint8_t* in, uint8_t* out, int w, int h) {
                reference::Convolve(in, out, w, h, k);
            });
    for (float factor : {1.1f, 0.8f, 0.1f, 3.7f})
        CompareOnSizes(
            "compass", [factor](const uint8_t* in, uint8_t* out) { CompassEdges(in, out, factor); },
            [factor](const uint8_t* in, uint8_t* out, int w, int h) {
                reference::CompassEdges(in, out, w, h, factor);
            });
}

TEST_F(PlaneFilters, ThreePlaneFiltersMatchTheReference) {
    std::mt19937 rng(5);
    for (int w : {1, 2, 7, 451})
        for (int h : {1, 2, 5}) {
            PictureWidth = w;
            PictureHeight = h;
            Plane in[3], out[3], expected[3];
            for (int k = 0; k < 3; ++k) {
                in[k] = Noise(w * h, rng);
                out[k] = expected[k] = Noise(w * h, rng);
            }
            FoldDarkTones(in[0].data(), in[1].data(), in[2].data(), out[0].data(), out[1].data(),
                          out[2].data());
            for (int k = 0; k < 3; ++k)
                reference::FoldDarkTones(in[k].data(), expected[k].data(), w, h);
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(out[k], expected[k]) << "fold " << w << " x " << h;
            for (int offset : {142, 0, -3, 300}) {
                EmbossPlanes(in[0].data(), in[1].data(), in[2].data(), out[0].data(), out[1].data(),
                             out[2].data(), offset);
                for (int k = 0; k < 3; ++k)
                    reference::Emboss(in[k].data(), expected[k].data(), w, h, offset);
                for (int k = 0; k < 3; ++k)
                    ASSERT_EQ(out[k], expected[k]) << "emboss " << w << " x " << h;
            }
        }
}

TEST_F(PlaneFilters, MedianIsTheTrueMedianOfEveryWindow) {
    std::mt19937 rng(3);
    for (int spread : {256, 3}) { // many ties with a narrow spread
        for (bool wide : {true, false}) {
            WideVectorsAllowed = wide;
            PictureWidth = 97;
            PictureHeight = 31;
            const Plane in = Noise(97 * 31, rng, spread);
            Plane out(97 * 31);
            Median3x3(in.data(), out.data());
            for (int r = 1; r < 30; ++r)
                for (int c = 1; c < 96; ++c) {
                    uint8_t window[9];
                    for (int k = 0; k < 9; ++k)
                        window[k] = in[static_cast<size_t>((r + k / 3 - 1) * 97 + c + k % 3 - 1)];
                    std::nth_element(window, window + 4, window + 9);
                    ASSERT_EQ(out[static_cast<size_t>(r * 97 + c)], window[4]) << r << "," << c;
                }
        }
    }
}

TEST_F(PlaneFilters, KnownValues) {
    PictureWidth = 4;
    PictureHeight = 2;
    // Dark tones fold up, 128 and above stay; the last row and column are left.
    const uint8_t tones[8] = {0, 127, 128, 9, 255, 60, 61, 62};
    uint8_t folded[3][8] = {};
    FoldDarkTones(tones, tones, tones, folded[0], folded[1], folded[2]);
    const uint8_t foldedRow[4] = {180, 53, 128, 0};
    EXPECT_TRUE(std::equal(foldedRow, foldedRow + 4, folded[2]));
    EXPECT_EQ(folded[0][4], 0);

    // Emboss wraps: +200 with offset 142 is 86, not 255.
    const uint8_t ramp[8] = {10, 210, 0, 0, 0, 0, 0, 0};
    uint8_t embossed[3][8] = {};
    EmbossPlanes(ramp, ramp, ramp, embossed[0], embossed[1], embossed[2], 142);
    EXPECT_EQ(embossed[1][0], 86);
    EXPECT_EQ(embossed[1][1], 188); // -210 + 142 wraps up
    EXPECT_EQ(embossed[1][3], 0);   // the last column is left

    // Flat areas have no edges; a lone bright pixel sharpens to the limit on both signs.
    PictureWidth = 40;
    PictureHeight = 5;
    Plane flat(200, 77), out(200, 9);
    CompassEdges(flat.data(), out.data(), 1.1f);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 39; ++c)
            ASSERT_EQ(out[static_cast<size_t>(r * 40 + c)], 0);
    EXPECT_EQ(out[0], 9);
    Plane dot(200, 0);
    dot[2 * 40 + 20] = 200;
    Convolve3x3(dot.data(), out.data(), SharpenKernel);
    EXPECT_EQ(out[2 * 40 + 20], 255);
    EXPECT_EQ(out[2 * 40 + 21], 200);
    EXPECT_EQ(out[1 * 40 + 21], 0);
}

TEST_F(PlaneFilters, PicturesLargerThanThePlanesAreLeftAlone) {
    PictureWidth = 801;
    PictureHeight = 640;
    const Plane in(PlaneCapacity);
    Plane out(PlaneCapacity, 7);
    Median3x3(in.data(), out.data());
    Mosaic5x5(in.data(), out.data());
    InvertPlane(in.data(), out.data());
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t v) { return v == 7; }));
}

} // namespace
