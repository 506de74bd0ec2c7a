// The live preview's frame pipeline: a camera frame of any small size, either row order,
// mirrored or not, a sample that may be short, any area and any effect number, into a frame
// buffer of exactly width x height x 3 bytes.
//
// Input: width (1..200), height (1..160), flags (bit 0 top-down, bit 1 mirrored), bytes cut
// off the sample's end (0..7), effect (-2..16), area width and height (1..900, 1..700), a pixel
// pattern length and its bytes.
#include "fuzz_support.h"

#include "capture/capture_frames.h"
#include "capture/live_effect.h"
#include "effects/colour_adjust.h"
#include "picture/picture_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const int width = in.Between(1, 200), height = in.Between(1, 160);
    const int flags = in.Byte();
    const int cut = in.Between(0, 7);
    const int effect = in.Between(-2, 16);
    const int areaWidth = in.Between(1, 900), areaHeight = in.Between(1, 700);
    const std::vector<uint8_t> pattern = in.Bytes(in.Byte());

    // The grabber's sample: padded rows, the last row without its padding, less `cut` bytes.
    const std::size_t stride = GrabberStride(width, 3);
    const std::size_t whole = stride * (height - 1) + static_cast<std::size_t>(width) * 3;
    const std::size_t length = cut <= static_cast<int>(whole) ? whole - cut : 0;
    const ExactBuffer sample(Tiled(pattern, length, flags));
    ExactBuffer upright(static_cast<std::size_t>(width) * height * 3);
    static const auto pictures = std::make_unique<LivePictures>();

    PictureWidth = 33;
    PictureHeight = 44;
    BrightnessStep = 12;
    SaturationStep = 9;
    HueShift = 7;
    int w = -1, h = -1;
    const ColorPlanes* shown =
        LiveFramePicture(sample.data(), sample.size(), width, height, (flags & 1) != 0,
                         (flags & 2) != 0, areaWidth, areaHeight, effect, upright.data(),
                         *pictures, w, h);
    // A short sample is never shown; a whole one is whenever the snapshot's load would take
    // the frame, at the size that load gives it.
    const LoadPlan plan =
        PlanPictureLoad(width, height, FitToArea, areaWidth, areaHeight, 0, 0);
    FUZZ_CHECK((shown != nullptr) == (cut == 0 && plan.verdict == LoadGoesAhead));
    if (shown != nullptr) {
        FUZZ_CHECK(w == plan.width && h == plan.height);
        FUZZ_CHECK(w <= areaWidth && h <= areaHeight);
        const bool plain = effect < 0 || effect >= GalleryEffectCount;
        FUZZ_CHECK((shown == &pictures->fitted) == plain);
    }
    // A frame leaves the program's own state as it was.
    FUZZ_CHECK(PictureWidth == 33 && PictureHeight == 44);
    FUZZ_CHECK(BrightnessStep == 12 && SaturationStep == 9 && HueShift == 7);
    return 0;
}
