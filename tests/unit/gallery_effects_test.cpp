#include "effects/colour_adjust.h"
#include "effects/gallery_effects.h"
#include "effects/plane_filters.h"
#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include "effects_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using Plane = std::vector<uint8_t>;

struct Picture {
    Plane p[3]; // blue, green, red
};

uint8_t* PlaneOf(ColorPlanes& c, int k) {
    return k == 0 ? c.blue : k == 1 ? c.green : c.red;
}

Picture Take(ColorPlanes& c, int n) {
    Picture p;
    for (int k = 0; k < 3; ++k)
        p.p[k].assign(PlaneOf(c, k), PlaneOf(c, k) + n);
    return p;
}

// Everything an effect reads or changes, as the reference recipes see it.
struct World {
    Picture base, current, gallery, scratch;
    int brightness, saturation, hue;
};

World Capture(int n) {
    return {Take(BasePicture, n),
            Take(CurrentPicture, n),
            Take(GalleryPicture, n),
            Take(DecorationPicture, n),
            BrightnessStep,
            SaturationStep,
            HueShift};
}

float GainOf(int step) {
    return (float)(std::clamp(step, 0, 99) / 10.0);
}

void Adjust(const Picture& in, Picture& out, float luma, float chroma, float hue) {
    for (size_t i = 0; i < in.p[0].size(); ++i)
        reference::AdjustPixel(in.p[0][i], in.p[1][i], in.p[2][i], luma, chroma, hue, out.p[0][i],
                               out.p[1][i], out.p[2][i]);
}

template <typename F> void Each(const Picture& in, Picture& out, F f) {
    for (int k = 0; k < 3; ++k)
        f(in.p[k].data(), out.p[k].data());
}

// The recipes, written out with the reference filters.
void ReferenceEffect(int effect, World& s, int w, int h) {
    auto conv = [&](const int32_t* k) {
        return [=](const uint8_t* i, uint8_t* o) { reference::Convolve(i, o, w, h, k); };
    };
    auto repeated = [&](int passes, const int32_t* k) {
        s.gallery = s.base;
        for (int pass = 0; pass < passes; ++pass) {
            Each(s.gallery, s.scratch,
                 [&](const uint8_t* i, uint8_t* o) { reference::BoxBlur(i, o, w, h); });
            Each(s.scratch, s.current,
                 [&](const uint8_t* i, uint8_t* o) { reference::MedianBubble(i, o, w, h); });
            Each(s.current, s.gallery, conv(k));
        }
    };
    auto emboss = [&] {
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::Emboss(i, o, w, h, 142); });
    };
    switch (effect) {
    case 0:
        s.saturation -= 10;
        Adjust(s.base, s.current, GainOf(s.brightness), GainOf(s.saturation), (float)s.hue);
        s.saturation = 10;
        s.gallery = s.current;
        break;
    case 1:
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::Invert(i, o, w, h); });
        break;
    case 2:
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::FoldDarkTones(i, o, w, h); });
        break;
    case 3:
        Each(s.base, s.gallery, conv(SharpenKernel));
        break;
    case 4:
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::MedianBubble(i, o, w, h); });
        break;
    case 5:
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::BoxBlur(i, o, w, h); });
        break;
    case 6:
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::Mosaic(i, o, w, h); });
        break;
    case 7:
        repeated(3, StrongSharpenKernel);
        break;
    case 8:
        repeated(7, SharpenKernel);
        break;
    case 9:
        repeated(3, SharpenKernel);
        break;
    case 10:
        s.current = s.base;
        s.scratch = s.current;
        Each(s.scratch, s.gallery, conv(SlantKernel));
        break;
    case 11:
    case 12: {
        const float factor = effect == 11 ? 1.1f : 0.8f;
        Each(s.base, s.gallery,
             [&](const uint8_t* i, uint8_t* o) { reference::CompassEdges(i, o, w, h, factor); });
        if (effect == 12) {
            s.brightness = 10;
            Adjust(s.gallery, s.current, 1.0f, 0.0f, (float)s.hue);
            s.saturation = 10;
            Each(s.current, s.gallery,
                 [&](const uint8_t* i, uint8_t* o) { reference::Invert(i, o, w, h); });
        }
        break;
    }
    case 13:
        s.scratch = s.base;
        emboss();
        s.base = s.gallery;
        s.brightness = 13;
        s.saturation = 10;
        Adjust(s.base, s.current, GainOf(13), GainOf(10), (float)s.hue);
        s.gallery = s.current;
        s.base = s.scratch;
        break;
    case 14:
        emboss();
        reference::RecolourRelief(s.gallery.p[0].data(), s.gallery.p[1].data(),
                                  s.gallery.p[2].data(), w * h);
        break;
    }
}

void Fill(ColorPlanes& c, int n, std::mt19937& rng, int w) {
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < n; ++i) {
            // Smooth areas, sharp edges and noise.
            const int x = i % w, y = i / w;
            int v = (x * (5 + k) + y * 3) % 256;
            if ((x / 7 + y / 4) % 3 == 0)
                v = 40 * k + 20;
            if (rng() % 6 == 0)
                v = (int)(rng() % 256);
            PlaneOf(c, k)[i] = (uint8_t)v;
        }
}

// Puts every picture and setting an effect reads or changes back as captured.
void Restore(const World& w) {
    ColorPlanes* pictures[] = {&BasePicture, &CurrentPicture, &GalleryPicture, &DecorationPicture};
    const Picture* saved[] = {&w.base, &w.current, &w.gallery, &w.scratch};
    for (int which = 0; which < 4; ++which)
        for (int k = 0; k < 3; ++k)
            std::copy(saved[which]->p[k].begin(), saved[which]->p[k].end(),
                      PlaneOf(*pictures[which], k));
    BrightnessStep = w.brightness;
    SaturationStep = w.saturation;
    HueShift = w.hue;
}

class Gallery : public ::testing::Test {
  protected:
    void SetUp() override {
        savedWidth = PictureWidth;
        savedHeight = PictureHeight;
        savedWide = WideVectorsAllowed;
        ResetColourSettings();
    }
    void TearDown() override {
        PictureWidth = savedWidth;
        PictureHeight = savedHeight;
        WideVectorsAllowed = savedWide;
        ResetColourSettings();
        ShowPlanesHook = nullptr;
    }
    // A fresh base and different leftovers in every other picture the effects touch.
    void Scene(int w, int h, unsigned seed) {
        PictureWidth = w;
        PictureHeight = h;
        std::mt19937 rng(seed);
        Fill(BasePicture, w * h, rng, w);
        Fill(CurrentPicture, w * h, rng, w + 1);
        Fill(GalleryPicture, w * h, rng, w + 2);
        Fill(DecorationPicture, w * h, rng, w + 3);
    }
    int savedWidth = 0, savedHeight = 0;
    bool savedWide = true;
};

// Every gallery test runs with each body of the vector routines (the filters, the colour
// adjustment and the relief colouring): with wide vectors allowed, the AVX2 bodies, otherwise
// the baseline ones.
class GalleryEffects : public Gallery, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        Gallery::SetUp();
        WideVectorsAllowed = GetParam();
        if (GetParam() && !UseAvx2())
            GTEST_SKIP() << "no AVX2 on this processor: the baseline run covers it";
    }
};

INSTANTIATE_TEST_SUITE_P(Bodies, GalleryEffects, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Avx2" : "Baseline";
                         });

TEST_P(GalleryEffects, EveryEffectFollowsItsRecipeIncludingTheLeftovers) {
    const struct { int w, h; } sizes[] = {{61, 37}, {20, 9}};
    for (auto size : sizes)
        for (int effect = 0; effect < GalleryEffectCount; ++effect) {
            Scene(size.w, size.h, 100u + (unsigned)effect);
            BrightnessStep = 12;
            SaturationStep = 7;
            HueShift = 40;
            const int n = size.w * size.h;
            World expected = Capture(n);
            ReferenceEffect(effect, expected, size.w, size.h);
            ApplyGalleryEffect(effect);
            const World got = Capture(n);
            const char* names[] = {"base", "current", "gallery", "scratch"};
            const Picture* e[] = {&expected.base, &expected.current, &expected.gallery,
                                  &expected.scratch};
            const Picture* g[] = {&got.base, &got.current, &got.gallery, &got.scratch};
            for (int which = 0; which < 4; ++which)
                for (int k = 0; k < 3; ++k)
                    ASSERT_EQ(g[which]->p[k], e[which]->p[k])
                        << "effect " << effect << " " << names[which] << " plane " << k << " at "
                        << size.w << " x " << size.h;
            EXPECT_EQ(got.brightness, expected.brightness) << "effect " << effect;
            EXPECT_EQ(got.saturation, expected.saturation) << "effect " << effect;
            EXPECT_EQ(got.hue, 40);
        }
}

TEST_P(GalleryEffects, EffectsStartFromTheBaseEveryTime) {
    Scene(50, 40, 1);
    ApplyGalleryEffect(1);
    const World first = Capture(2000);
    ApplyGalleryEffect(5);
    ApplyGalleryEffect(1);
    const World again = Capture(2000);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(again.gallery.p[k], first.gallery.p[k]);
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ(again.gallery.p[k][(size_t)i], 255 - first.base.p[k][(size_t)i]);
    }
}

TEST_P(GalleryEffects, MosaicLeavesTheRaggedEdgeBlack) {
    Scene(642, 482, 2);
    ApplyGalleryEffect(6);
    for (int k = 0; k < 3; ++k) {
        const uint8_t* out = PlaneOf(GalleryPicture, k);
        const uint8_t* in = PlaneOf(BasePicture, k);
        for (int y = 0; y < 482; ++y) {
            EXPECT_EQ(out[y * 642 + 640], 0);
            EXPECT_EQ(out[y * 642 + 641], 0);
        }
        for (int x = 0; x < 642; ++x) {
            EXPECT_EQ(out[480 * 642 + x], 0);
            EXPECT_EQ(out[481 * 642 + x], 0);
        }
        // The last whole block: rows 475..479, columns 635..639.
        int sum = 0;
        for (int y = 475; y < 480; ++y)
            for (int x = 635; x < 640; ++x)
                sum += in[y * 642 + x];
        EXPECT_EQ(out[479 * 642 + 639], sum / 25);
        EXPECT_EQ(out[475 * 642 + 635], sum / 25);
    }
}

TEST_P(GalleryEffects, GlowingEdgesOfAFlatPictureAreBlackInside) {
    Scene(80, 30, 3);
    std::fill(BasePicture.green, BasePicture.green + 2400, 140);
    const uint8_t before = GalleryPicture.green[0];
    ApplyGalleryEffect(11);
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 79; ++x)
            ASSERT_EQ(GalleryPicture.green[y * 80 + x], 0);
    EXPECT_EQ(GalleryPicture.green[0], before); // the border is left as it was
}

TEST_P(GalleryEffects, ColouredReliefIsRedWithGreenAtLeastBlue) {
    Scene(300, 200, 4);
    ApplyGalleryEffect(14);
    for (int i = 0; i < 300 * 200; ++i) {
        ASSERT_EQ(GalleryPicture.red[i], 255);
        ASSERT_GE(GalleryPicture.green[i], GalleryPicture.blue[i]);
        ASSERT_GE(GalleryPicture.green[i], 150);
    }
    // The folds one by one: blue 184..189 lifts to 250..255, below 150 drops by 90 (wrapping),
    // 90 lands on 0 and becomes 50; green 201 wraps to 0 and becomes 188.
    PictureWidth = 6;
    PictureHeight = 1;
    uint8_t b[6] = {184, 189, 10, 90, 100, 160}, g[6] = {201, 255, 0, 100, 10, 150}, r[6] = {};
    RecolourRelief(b, g, r);
    const uint8_t eb[6] = {188, 188, 176, 50, 10, 160}, eg[6] = {250, 255, 188, 155, 188, 205};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(b[i], eb[i]) << i;
        EXPECT_EQ(g[i], eg[i]) << i;
        EXPECT_EQ(r[i], 255);
    }
}

// Every blue and green byte pair through the colouring, with a length that leaves a tail after
// the last whole vector, on planes of exactly that length.
TEST_P(GalleryEffects, ReliefColouringOfEveryBlueGreenPairMatchesTheReference) {
    PictureWidth = 263;
    PictureHeight = 251;
    const int n = 263 * 251; // 65536 pairs, then 477 more pixels, 29 of them after the vectors
    std::mt19937 rng(7);
    Plane b((size_t)n), g((size_t)n), r((size_t)n);
    for (int i = 0; i < n; ++i) {
        b[(size_t)i] = (uint8_t)(i < 65536 ? i : rng());
        g[(size_t)i] = (uint8_t)(i < 65536 ? i >> 8 : rng());
        r[(size_t)i] = (uint8_t)rng();
    }
    Plane eb = b, eg = g, er = r;
    reference::RecolourRelief(eb.data(), eg.data(), er.data(), n);
    RecolourRelief(b.data(), g.data(), r.data());
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(b[(size_t)i], eb[(size_t)i]) << "blue at " << i;
        ASSERT_EQ(g[(size_t)i], eg[(size_t)i]) << "green at " << i;
        ASSERT_EQ(r[(size_t)i], 255) << i;
    }
}

TEST_P(GalleryEffects, SettingsLeftBehindAndWhatTheyDoNext) {
    Scene(40, 20, 5);
    BrightnessStep = 17;
    SaturationStep = 4;
    ApplyGalleryEffect(0);
    EXPECT_EQ(BrightnessStep, 17);
    EXPECT_EQ(SaturationStep, 10);
    ApplyGalleryEffect(12);
    EXPECT_EQ(BrightnessStep, 10);
    EXPECT_EQ(SaturationStep, 10);
    ApplyGalleryEffect(13);
    EXPECT_EQ(BrightnessStep, 13);
    EXPECT_EQ(SaturationStep, 10);
    // Bright relief puts the committed picture back.
    const World after = Capture(800);
    std::mt19937 rng(5);
    Fill(DecorationPicture, 800, rng, 40);
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(std::equal(after.base.p[k].begin(), after.base.p[k].end(),
                               PlaneOf(DecorationPicture, k)));

    // Grey after bright relief is the luma picture at gain 1.3.
    ApplyGalleryEffect(0);
    for (int i = 0; i < 800; ++i) {
        const int y =
            reference::ToLumaChroma(BasePicture.blue[i], BasePicture.green[i], BasePicture.red[i])
                .y;
        const int lifted = std::min(255, (int)(y * (double)1.3f));
        ASSERT_EQ(GalleryPicture.blue[i], lifted);
        ASSERT_EQ(GalleryPicture.green[i], lifted);
        ASSERT_EQ(GalleryPicture.red[i], lifted);
    }
}

TEST_P(GalleryEffects, AdjustingEffectsShowTheirPictures) {
    static std::vector<const ColorPlanes*> shown;
    shown.clear();
    ShowPlanesHook = [](const ColorPlanes& p) { shown.push_back(&p); };
    Scene(40, 20, 6);
    ApplyGalleryEffect(13);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], &CurrentPicture);
    EXPECT_EQ(shown[1], &GalleryPicture);
    shown.clear();
    ApplyGalleryEffect(0);
    EXPECT_EQ(shown.size(), 1u);
    shown.clear();
    for (int effect : {1, 8, 12, 14, -1, 15})
        ApplyGalleryEffect(effect);
    EXPECT_TRUE(shown.empty());
}

// The two bodies side by side on the working size, where the picture fills the planes and the
// gallery's red plane ends where its ColorPlanes ends: every picture and setting the same.
TEST_F(Gallery, BothBodiesAgreeOnEveryEffectAtTheWorkingSize) {
    WideVectorsAllowed = true;
    if (!UseAvx2())
        GTEST_SKIP() << "no AVX2 on this processor: there is one body only";
    const int n = PlaneCapacity;
    Scene(800, 640, 9);
    BrightnessStep = 12;
    SaturationStep = 7;
    HueShift = 40;
    const World start = Capture(n);
    for (int effect = 0; effect < GalleryEffectCount; ++effect) {
        auto run = [&](bool wide) {
            Restore(start);
            WideVectorsAllowed = wide;
            ApplyGalleryEffect(effect);
            return Capture(n);
        };
        const World avx2 = run(true), baseline = run(false);
        const Picture* a[] = {&avx2.base, &avx2.current, &avx2.gallery, &avx2.scratch};
        const Picture* b[] = {&baseline.base, &baseline.current, &baseline.gallery,
                              &baseline.scratch};
        for (int which = 0; which < 4; ++which)
            for (int k = 0; k < 3; ++k) // not ASSERT_EQ: it would print both planes
                ASSERT_TRUE(a[which]->p[k] == b[which]->p[k])
                    << "effect " << effect << " picture " << which << " plane " << k;
        EXPECT_EQ(avx2.brightness, baseline.brightness) << "effect " << effect;
        EXPECT_EQ(avx2.saturation, baseline.saturation) << "effect " << effect;
    }
}

} // namespace
