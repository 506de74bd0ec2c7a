#include "effects/colour_adjust.h"
#include "common/vector_dispatch.h"

#include "effects_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

class ColourAdjust : public ::testing::Test {
  protected:
    void SetUp() override {
        savedWidth = PictureWidth;
        savedHeight = PictureHeight;
        ResetColourSettings();
    }
    void TearDown() override {
        PictureWidth = savedWidth;
        PictureHeight = savedHeight;
        ResetColourSettings();
        ShowPlanesHook = nullptr;
        WideVectorsAllowed = true;
    }
    // A one-row base picture of the given (b, g, r) pixels.
    static void SetBase(const std::vector<std::array<uint8_t, 3>>& pixels) {
        PictureWidth = static_cast<int>(pixels.size());
        PictureHeight = 1;
        for (size_t i = 0; i < pixels.size(); ++i) {
            BasePicture.blue[i] = pixels[i][0];
            BasePicture.green[i] = pixels[i][1];
            BasePicture.red[i] = pixels[i][2];
        }
    }
    static std::array<uint8_t, 3> Shown(int i) {
        return {CurrentPicture.blue[i], CurrentPicture.green[i], CurrentPicture.red[i]};
    }
    int savedWidth = 0, savedHeight = 0;
};

using Px = std::array<uint8_t, 3>;

TEST_F(ColourAdjust, GreysAtTheStartValues) {
    SetBase({{128, 128, 128},
             {1, 1, 1},
             {100, 100, 100},
             {200, 200, 200},
             {254, 254, 254},
             {255, 255, 255},
             {0, 0, 0}});
    ApplyColourAdjust();
    const uint8_t expected[] = {127, 0, 100, 200, 254, 255, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Shown(i), (Px{expected[i], expected[i], expected[i]})) << "pixel " << i;
}

TEST_F(ColourAdjust, GreyStaysGreyUnderChromaAndHue) {
    SetBase({{90, 90, 90}, {200, 200, 200}});
    SaturationStep = 37;
    HueShift = 120;
    ApplyColourAdjust();
    EXPECT_EQ(Shown(0), (Px{90, 90, 90}));
    EXPECT_EQ(Shown(1), (Px{200, 200, 200}));
    BrightnessStep = 5;
    ApplyColourAdjust();
    EXPECT_EQ(Shown(0), (Px{45, 45, 45}));
    EXPECT_EQ(Shown(1), (Px{100, 100, 100}));
}

TEST_F(ColourAdjust, NoLumaLeavesTheColourDifferences) {
    // Pure red: Y 76, R - Y 178, B - Y -76; blue clamps to 0 and red keeps the difference
    // (give or take the polar round trip's truncation).
    SetBase({{0, 0, 255}, {255, 0, 0}});
    BrightnessStep = 0;
    ApplyColourAdjust();
    EXPECT_EQ(CurrentPicture.blue[0], 0);
    EXPECT_GE(CurrentPicture.red[0], 176);
    EXPECT_LE(CurrentPicture.red[0], 178);
    EXPECT_EQ(CurrentPicture.red[1], 0);
    EXPECT_GE(CurrentPicture.blue[1], 222); // B - Y is 226
}

TEST_F(ColourAdjust, NoChromaGivesTheLumaPicture) {
    SetBase({{0, 0, 255}, {30, 200, 90}, {255, 0, 255}});
    SaturationStep = 0;
    ApplyColourAdjust();
    for (int i = 0; i < 3; ++i) {
        const int y =
            reference::ToLumaChroma(BasePicture.blue[i], BasePicture.green[i], BasePicture.red[i])
                .y;
        EXPECT_EQ(Shown(i), (Px{(uint8_t)y, (uint8_t)y, (uint8_t)y}));
    }
}

TEST_F(ColourAdjust, GainsPastTheirEndsStoreButDoNotShow) {
    SetBase({{20, 20, 20}, {10, 20, 30}});
    BrightnessStep = 99;
    ApplyColourAdjust();
    const Px at99 = Shown(0);
    for (int i = 0; i < 3; ++i)
        StepBrightness(+1);
    EXPECT_EQ(BrightnessStep, 102);
    EXPECT_EQ(Shown(0), at99);
    for (int i = 0; i < 3; ++i)
        StepBrightness(-1);
    EXPECT_EQ(Shown(0), at99);
    StepBrightness(-1);
    EXPECT_NE(Shown(0), at99);

    SaturationStep = -3;
    StepSaturation(+1);
    EXPECT_EQ(SaturationStep, -2);
    EXPECT_EQ(Shown(0)[0], Shown(0)[2]); // still no colour: use is clamped at 0

    // The stored value stops at its ends instead of wrapping round; there it steps no more.
    BrightnessStep = 32766;
    StepBrightness(+1);
    EXPECT_EQ(BrightnessStep, 32767);
    StepBrightness(+1);
    EXPECT_EQ(BrightnessStep, 32767);
    StepBrightness(-1);
    EXPECT_EQ(BrightnessStep, 32767);
    SaturationStep = -32765;
    StepSaturation(-1);
    EXPECT_EQ(SaturationStep, -32766);
    StepSaturation(-1);
    EXPECT_EQ(SaturationStep, -32766);
    StepSaturation(+1);
    EXPECT_EQ(SaturationStep, -32766);
}

TEST_F(ColourAdjust, HueWrapsAtBothEnds) {
    SetBase({{40, 120, 200}, {200, 30, 10}});
    ApplyColourAdjust();
    const Px at0[2] = {Shown(0), Shown(1)};
    HueShift = 350;
    StepHue(+10);
    EXPECT_EQ(HueShift, 360);
    EXPECT_EQ(Shown(0), at0[0]); // 360 turns like 0
    EXPECT_EQ(Shown(1), at0[1]);
    StepHue(+10);
    EXPECT_EQ(HueShift, 0);
    StepHue(-10);
    EXPECT_EQ(HueShift, 360);
    StepHue(-10);
    EXPECT_EQ(HueShift, 350);
    EXPECT_NE(Shown(1), at0[1]);
}

TEST_F(ColourAdjust, StagesOnTheirOwn) {
    PictureWidth = 3;
    PictureHeight = 1;
    const uint8_t b[] = {255, 128, 0}, g[] = {255, 128, 0}, r[] = {255, 128, 255};
    int32_t y[3], u[3], v[3], m[3], h[3];
    ToLumaChroma(b, g, r, y, u, v);
    EXPECT_EQ(y[0], 255);
    EXPECT_EQ(y[1], 127); // the luma sum lands just below 128
    EXPECT_EQ(y[2], 76);
    EXPECT_EQ(u[2], 178);
    EXPECT_EQ(v[2], -76);
    ChromaToPolar(u, v, m, h);
    EXPECT_EQ(m[0], 0);
    EXPECT_EQ(h[0], 0);
    EXPECT_EQ(m[2], 193); // sqrt(178^2 + 76^2) = 193.5
    EXPECT_EQ(h[2], 113); // atan2(178, -76) = 113.1 degrees
    // In place, the top gains: white's luma goes to 2524.
    AdjustLumaChroma(y, m, h, y, m, h, 9.9f, 1.0f, 300.0f);
    EXPECT_EQ(y[0], 2524);
    EXPECT_EQ(h[0], 300);
    EXPECT_EQ(h[2], 53); // 413 wraps once
    uint8_t ob[3], og[3], orr[3];
    PolarToChroma(m, h, u, v);
    LumaChromaToPlanes(y, u, v, ob, og, orr);
    EXPECT_EQ(ob[0], 255);
    EXPECT_EQ(og[0], 255);
    EXPECT_EQ(orr[0], 255);

    // A hue sum of exactly 360 stays 360 and points like 0 (its cosine lies just below 1).
    int32_t hue360[1] = {300}, mag[1] = {100}, y1[1] = {50};
    PictureWidth = 1;
    AdjustLumaChroma(y1, mag, hue360, y1, mag, hue360, 1.0f, 1.0f, 60.0f);
    EXPECT_EQ(hue360[0], 360);
    int32_t uu[1], vv[1], zero[1] = {0};
    PolarToChroma(mag, hue360, uu, vv);
    int32_t u0[1], v0[1];
    PolarToChroma(mag, zero, u0, v0);
    EXPECT_EQ(uu[0], u0[0]);
    EXPECT_EQ(v0[0], 100);
    EXPECT_EQ(vv[0], 99);
    hue360[0] = -5; // below 0 wraps up once
    AdjustLumaChroma(y1, mag, hue360, y1, mag, hue360, 1.0f, 1.0f, 0.0f);
    EXPECT_EQ(hue360[0], 355);
}

TEST_F(ColourAdjust, ShowsTheAdjustedPicture) {
    static int shown = 0;
    static const ColorPlanes* what = nullptr;
    shown = 0;
    ShowPlanesHook = [](const ColorPlanes& p) {
        ++shown;
        what = &p;
    };
    SetBase({{1, 2, 3}});
    StepHue(10);
    StepSaturation(1);
    StepBrightness(-1);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(what, &CurrentPicture);
    ResetColourSettings();
    EXPECT_EQ(BrightnessStep, 10);
    EXPECT_EQ(SaturationStep, 10);
    EXPECT_EQ(HueShift, 0);
    BrightnessStep = -4;
    SaturationStep = 500;
    EXPECT_EQ(LumaGain(), 0.0f);
    EXPECT_EQ(ChromaGain(), 9.9f);
}

struct Settings {
    float luma, chroma, hue;
};

// The reference, with stages 2 to 4 remembered per colour-difference pair (they depend on
// nothing else), so that all 16.7 million byte triples can be checked.
class MemoReference {
  public:
    explicit MemoReference(Settings s) : s_(s), pairs_(361 * 457, Unset) {}
    void Pixel(uint8_t b, uint8_t g, uint8_t r, uint8_t& bo, uint8_t& go, uint8_t& ro) {
        const reference::LumaChroma c = reference::ToLumaChroma(b, g, r);
        int64_t& pair = pairs_[(size_t)((c.u + 180) * 457 + c.v + 228)];
        if (pair == Unset) {
            int u, v;
            reference::AdjustDiffs(c.u, c.v, s_.chroma, s_.hue, u, v);
            pair = (int64_t)(uint32_t)u | (int64_t)(uint32_t)v << 32;
        }
        reference::ToBytes((int)(c.y * (double)s_.luma), (int32_t)(uint32_t)pair,
                           (int32_t)(uint32_t)(pair >> 32), bo, go, ro);
    }

  private:
    static constexpr int64_t Unset = INT64_MIN;
    Settings s_;
    std::vector<int64_t> pairs_;
};

TEST_F(ColourAdjust, EveryByteTripleMatchesTheReference) {
    auto in = std::make_unique<ColorPlanes>();
    auto out = std::make_unique<ColorPlanes>();
    const Settings settings[] = {{1.0f, 1.0f, 0.0f}, {1.3f, 0.7f, 40.0f}, {9.9f, 9.9f, 360.0f}};
    PictureWidth = 800;
    PictureHeight = 640;
    const int batch = PictureWidth * PictureHeight;
    for (const Settings& s : settings) {
        MemoReference ref(s);
        for (bool wide : {true, false}) {
            WideVectorsAllowed = wide;
            int mismatches = 0;
            // Every triple once; a sample of them for the rest, to keep the test short.
            const int stride = wide && &s == settings ? 1 : 17;
            for (int start = 0; start < (1 << 24); start += batch * stride) {
                int n = 0;
                for (int t = start; t < (1 << 24) && n < batch; t += stride, ++n) {
                    in->blue[n] = (uint8_t)t;
                    in->green[n] = (uint8_t)(t >> 8);
                    in->red[n] = (uint8_t)(t >> 16);
                }
                PictureWidth = n; // the last batch is shorter
                PictureHeight = 1;
                AdjustColours(*in, *out, s.luma, s.chroma, s.hue);
                PictureWidth = 800;
                PictureHeight = 640;
                for (int i = 0; i < n && mismatches < 5; ++i) {
                    uint8_t b, g, r;
                    ref.Pixel(in->blue[i], in->green[i], in->red[i], b, g, r);
                    if (b != out->blue[i] || g != out->green[i] || r != out->red[i]) {
                        ++mismatches;
                        ADD_FAILURE() << "triple " << (int)in->blue[i] << "," << (int)in->green[i]
                                      << "," << (int)in->red[i] << " gains " << s.luma << "/"
                                      << s.chroma << " hue " << s.hue << " wide " << wide;
                    }
                }
            }
        }
    }
}

TEST_F(ColourAdjust, PhotoThroughFusedAndStagedChainsMatchesTheReference) {
    const std::string path = reference::PhotoPath("chelsea.bmp");
    if (path.empty())
        GTEST_SKIP() << "test photos not found";
    int w = 0, h = 0;
    std::vector<uint8_t> b, g, r;
    ASSERT_TRUE(reference::LoadBmp24(path.c_str(), w, h, b, g, r));
    PictureWidth = w; // 451: an odd width leaves a tail after the vector groups
    PictureHeight = h;
    std::copy(b.begin(), b.end(), BasePicture.blue);
    std::copy(g.begin(), g.end(), BasePicture.green);
    std::copy(r.begin(), r.end(), BasePicture.red);
    // The last gains are far beyond what the program sets: they take the stage-by-stage road.
    const Settings settings[] = {
        {1.0f, 1.0f, 0.0f}, {0.3f, 2.5f, 190.0f}, {0.0f, 0.0f, 70.0f}, {2000.0f, 150.0f, 10.0f}};
    auto staged = std::make_unique<ColorPlanes>();
    for (const Settings& s : settings) {
        AdjustColours(BasePicture, CurrentPicture, s.luma, s.chroma, s.hue);
        ToLumaChroma(BasePicture.blue, BasePicture.green, BasePicture.red, LumaPlane, ChromaRPlane,
                     ChromaBPlane);
        ChromaToPolar(ChromaRPlane, ChromaBPlane, ChromaMagnitudePlane, ChromaHuePlane);
        AdjustLumaChroma(LumaPlane, ChromaMagnitudePlane, ChromaHuePlane, LumaPlane,
                         ChromaMagnitudePlane, ChromaHuePlane, s.luma, s.chroma, s.hue);
        PolarToChroma(ChromaMagnitudePlane, ChromaHuePlane, ChromaRPlane, ChromaBPlane);
        LumaChromaToPlanes(LumaPlane, ChromaRPlane, ChromaBPlane, staged->blue, staged->green,
                           staged->red);
        int mismatches = 0;
        for (int i = 0; i < w * h && mismatches < 5; ++i) {
            uint8_t eb, eg, er;
            reference::AdjustPixel(b[i], g[i], r[i], s.luma, s.chroma, s.hue, eb, eg, er);
            const bool fused = CurrentPicture.blue[i] == eb && CurrentPicture.green[i] == eg &&
                               CurrentPicture.red[i] == er;
            const bool stages =
                staged->blue[i] == eb && staged->green[i] == eg && staged->red[i] == er;
            if (!fused || !stages) {
                ++mismatches;
                ADD_FAILURE() << "pixel " << i << " fused " << fused << " staged " << stages;
            }
        }
    }
    // Into the very picture it reads: the same result.
    CopyPicture(BasePicture, *staged);
    AdjustColours(*staged, *staged, 1.3f, 0.7f, 40.0f);
    AdjustColours(BasePicture, CurrentPicture, 1.3f, 0.7f, 40.0f);
    EXPECT_TRUE(std::equal(staged->red, staged->red + w * h, CurrentPicture.red));
    EXPECT_TRUE(std::equal(staged->green, staged->green + w * h, CurrentPicture.green));
}

} // namespace
