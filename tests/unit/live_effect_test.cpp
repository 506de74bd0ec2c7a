#include "capture/capture_frames.h"
#include "capture/live_effect.h"
#include "effects/colour_adjust.h"
#include "effects/gallery_effects.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A camera frame as the grabber hands it over: padded rows of a busy pattern (edges, flat areas
// and every byte value), the padding poison.
std::vector<std::uint8_t> CameraFrame(int width, int height, unsigned seed) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> f(stride * height, 0xEE);
    for (int r = 0; r < height; ++r)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 3; ++k) {
                const unsigned v = (x / 7 + r / 5) % 2 != 0 ? 40u + 150u * k / 2
                                                            : x * 5u + r * 3u + k * 77u + seed;
                f[stride * r + 3 * x + k] = static_cast<std::uint8_t>(v * 2654435761u >> 24);
            }
    return f;
}

int ShownCount = 0;
void CountShow(const ColorPlanes&) {
    ++ShownCount;
}

void Scribble(ColorPlanes& p, std::uint8_t v) {
    std::memset(p.blue, v, PlaneCapacity);
    std::memset(p.green, v + 1, PlaneCapacity);
    std::memset(p.red, v + 2, PlaneCapacity);
}

bool SamePicture(const ColorPlanes& a, const ColorPlanes& b, int w, int h) {
    const std::size_t n = static_cast<std::size_t>(w) * h;
    return std::memcmp(a.blue, b.blue, n) == 0 && std::memcmp(a.green, b.green, n) == 0 &&
           std::memcmp(a.red, b.red, n) == 0;
}

// The gallery's own road for the same frame: the snapshot's fitted picture as BasePicture, the
// gallery opened on it (its pictures copies of the base), one press of the effect.
void GalleryReference(const std::uint8_t* upright, int width, int height, int effect,
                      ColorPlanes& out, int& w, int& h) {
    ASSERT_TRUE(FitFrame(upright, width, height, 640, 512, BasePicture.blue, BasePicture.green,
                         BasePicture.red, w, h));
    PictureWidth = w;
    PictureHeight = h;
    CopyPicture(BasePicture, GalleryPicture);
    CopyPicture(BasePicture, CurrentPicture);
    CopyPicture(BasePicture, DecorationPicture);
    ApplyGalleryEffect(effect);
    CopyPicture(GalleryPicture, out);
}

struct Settings {
    int brightness, saturation, hue;
};
void Set(Settings s) {
    BrightnessStep = s.brightness;
    SaturationStep = s.saturation;
    HueShift = s.hue;
}

// Every effect, odd sizes shrunk and not, mirrored and not, both row orders: the preview's picture
// is the gallery's press on the snapshot's picture, pixel for pixel, whatever the planes held.
TEST(LiveEffect, EveryFrameIsTheGalleryPressOnTheFittedFrame) {
    static LivePictures live;
    static ColorPlanes reference;
    const Settings settings{13, 7, 40}; // as a previous road may have left them
    struct Case {
        int width, height;
        bool topDown, mirror;
    };
    for (const Case c : {Case{643, 481, false, true}, Case{161, 121, true, false},
                         Case{1283, 721, false, false}, Case{7, 5, true, true}}) {
        const std::vector<std::uint8_t> frame = CameraFrame(c.width, c.height, c.width);
        std::vector<std::uint8_t> upright(static_cast<std::size_t>(c.width) * 3 * c.height);
        for (int effect = NoLiveEffect; effect < GalleryEffectCount; ++effect) {
            // What the previous frame or the editor left must not show.
            Scribble(live.shown, 3);
            Scribble(live.current, 90);
            Scribble(live.scratch, 200);
            Set(settings);
            ShowPlanesHook = CountShow;
            ShownCount = 0;
            PictureWidth = 17;
            PictureHeight = 19;
            int w = 0, h = 0;
            const ColorPlanes* shown =
                LiveFramePicture(frame.data(), frame.size(), c.width, c.height, c.topDown, c.mirror,
                                 640, 512, effect, upright.data(), live, w, h);
            ASSERT_NE(shown, nullptr);
            // Nothing of the program's state moves with a frame.
            EXPECT_EQ(ShownCount, 0) << effect;
            EXPECT_EQ(PictureWidth, 17);
            EXPECT_EQ(PictureHeight, 19);
            EXPECT_EQ(BrightnessStep, settings.brightness) << effect;
            EXPECT_EQ(SaturationStep, settings.saturation) << effect;
            EXPECT_EQ(HueShift, settings.hue) << effect;
            ShowPlanesHook = nullptr;

            std::vector<std::uint8_t> expectedUpright(upright.size());
            ASSERT_TRUE(UprightFrame(frame.data(), frame.size(), c.width, c.height, 3, c.topDown,
                                     c.mirror, expectedUpright.data()));
            EXPECT_EQ(upright, expectedUpright);
            Scribble(GalleryPicture, 11);
            Scribble(CurrentPicture, 22);
            Scribble(DecorationPicture, 33);
            int rw = 0, rh = 0;
            if (effect == NoLiveEffect) {
                ASSERT_TRUE(FitFrame(expectedUpright.data(), c.width, c.height, 640, 512,
                                     reference.blue, reference.green, reference.red, rw, rh));
            } else {
                GalleryReference(expectedUpright.data(), c.width, c.height, effect, reference, rw,
                                 rh);
                Set(settings);
            }
            ASSERT_EQ(w, rw);
            ASSERT_EQ(h, rh);
            EXPECT_TRUE(SamePicture(*shown, reference, w, h))
                << "effect " << effect << " at " << c.width << " x " << c.height;
        }
    }
    ResetColourSettings();
}

// The snapshot: the picture the preview showed becomes BasePicture, and the colour screen that
// follows starts from the settings as they were.
TEST(LiveEffect, SnapshotBecomesThePreviewedPicture) {
    static LivePictures live;
    const int width = 643, height = 481;
    const std::vector<std::uint8_t> frame = CameraFrame(width, height, 5);
    std::vector<std::uint8_t> upright(static_cast<std::size_t>(width) * 3 * height);
    for (int effect : {0, 7, 8, 12, 13, 14}) {
        ResetColourSettings();
        int w = 0, h = 0;
        const ColorPlanes* shown = LiveFramePicture(frame.data(), frame.size(), width, height,
                                                    false, true, 640, 512, effect, upright.data(),
                                                    live, w, h);
        ASSERT_NE(shown, nullptr);
        // The snapshot's road: the saved frame loaded and fitted into BasePicture.
        Scribble(GalleryPicture, 1);
        Scribble(CurrentPicture, 2);
        Scribble(DecorationPicture, 4);
        ASSERT_TRUE(FitFrame(upright.data(), width, height, 640, 512, BasePicture.blue,
                             BasePicture.green, BasePicture.red, PictureWidth, PictureHeight));
        ApplyLiveEffectToSnapshot(effect);
        EXPECT_TRUE(SamePicture(BasePicture, *shown, w, h)) << effect;
        EXPECT_EQ(BrightnessStep, 10) << effect;
        EXPECT_EQ(SaturationStep, 10) << effect;
    }
    // No effect: the picture as loaded.
    ASSERT_TRUE(FitFrame(upright.data(), width, height, 640, 512, BasePicture.blue,
                         BasePicture.green, BasePicture.red, PictureWidth, PictureHeight));
    CopyPicture(BasePicture, CurrentPicture);
    ApplyLiveEffectToSnapshot(NoLiveEffect);
    EXPECT_TRUE(SamePicture(BasePicture, CurrentPicture, PictureWidth, PictureHeight));
}

TEST(LiveEffect, RefusedFramesAndChoices) {
    static LivePictures live;
    const std::vector<std::uint8_t> frame = CameraFrame(642, 4, 1);
    std::vector<std::uint8_t> upright(642 * 3 * 4);
    int w = -1, h = -1;
    // A short sample is not shown.
    EXPECT_EQ(LiveFramePicture(frame.data(), frame.size() - 3, 642, 4, false, false, 640, 512, 3,
                               upright.data(), live, w, h),
              nullptr);
    // No effect for out-of-range numbers; the picture goes through plain.
    EXPECT_EQ(LiveFramePicture(frame.data(), frame.size(), 642, 4, false, false, 640, 512, 15,
                               upright.data(), live, w, h),
              &live.fitted);
    EXPECT_FALSE(ApplyLiveEffect(3, {BasePicture, GalleryPicture, CurrentPicture,
                                     DecorationPicture},
                                 801, 640));
    for (int choice = 0; choice < LiveEffectChoices; ++choice)
        EXPECT_EQ(ChoiceOfLiveEffect(LiveEffectOfChoice(choice)), choice);
    EXPECT_EQ(LiveEffectOfChoice(0), NoLiveEffect);
    EXPECT_EQ(LiveEffectOfChoice(16), NoLiveEffect);
}

} // namespace
