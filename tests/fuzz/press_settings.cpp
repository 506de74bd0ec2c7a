// Presses, undos and redos on the colour and perspective screens from any start the settings
// can reach, then the picture made from the settings: the warp on every vector path into
// planes of exactly the picture's size, the colour chain in one pass and stage by stage.
//
// Input: picture width and height (0..40 each), the picture's pattern, flags, start settings
// (flag 1), ten raw float warp settings, NaN and infinities included (flag 4), then one
// operation per byte (64 at most): press, undo, redo, switch screen, or make the picture.
#include "fuzz_support.h"

#include "effects/colour_adjust.h"
#include "common/vector_dispatch.h"
#include "effects/warp.h"
#include "picture/history.h"
#include "picture/press_history.h"
#include "skin/color_planes.h"

namespace {

// Each colour press remakes the picture and its tables: longer runs would only be slower.
constexpr int MostOperations = 64;

// Stepped settings stay within the guard range plus one step: -32766 .. 32767.
constexpr int LowestReachable = -32766, HighestReachable = 32767;

struct Settings {
    int brightness, saturation, hue;
    int turnX, turnY, turnZ, scaleX, scaleY;
    bool operator==(const Settings&) const = default;
};

Settings Current() {
    return {BrightnessStep, SaturationStep, HueShift,   WarpTurnX,
            WarpTurnY,      WarpTurnZ,      WarpScaleX, WarpScaleY};
}

int Reachable(FuzzInput& in) {
    switch (in.Byte() % 4) {
    case 0:
        return in.Between(-20, 120); // where people press
    case 1:
        return in.Between(HighestReachable - 40, HighestReachable);
    case 2:
        return in.Between(LowestReachable, LowestReachable + 40);
    default:
        return in.Between(LowestReachable, HighestReachable);
    }
}

// The hue only ever moves by ten from zero, wrapping within 0..360.
int ReachableHue(FuzzInput& in) {
    return 10 * in.Between(0, 36);
}

// No setting can meet the guard range in `presses` steps: every undo then reverses its press.
bool FarFromGuards(const Settings& s, int presses) {
    for (int v : {s.brightness, s.saturation, s.turnX, s.turnY, s.turnZ, s.scaleX, s.scaleY})
        if (v < -32765 + presses || v > 32766 - presses)
            return false;
    return true;
}

void WarpEveryPath(const std::vector<ExactBuffer*>& sources, const WarpValues& v) {
    const std::size_t n = sources[0]->size();
    for (const ExactBuffer* source : sources) {
        ExactBuffer scalar(n), sse2(n), avx2(n);
        ExactBuffer* outputs[3] = {&scalar, &sse2, &avx2};
        for (int path = WarpPathScalar; path <= WarpPathAvx2; ++path) {
            LimitWarpPath(path);
            WarpPlane(source->data(), outputs[path]->data(), v.scaleX, v.scaleY, v.shiftX, v.shiftY,
                      v.shiftZ, v.tilt, v.turnY, v.spin, v.distance, v.focal);
        }
        LimitWarpPath(WarpPathAvx2);
        // Every path gives the same bytes.
        FUZZ_CHECK(sse2.Equals(scalar.data(), n) && avx2.Equals(scalar.data(), n));
    }
}

// The colour chain stage by stage over exact planes, against the one-pass chain on both bodies.
void CheckColourChain(const ExactBuffer& b, const ExactBuffer& g, const ExactBuffer& r) {
    const std::size_t n = b.size();
    std::vector<int32_t> luma(n), chromaR(n), chromaB(n), magnitude(n), hue(n);
    ExactBuffer ob(n), og(n), orr(n);
    ToLumaChroma(b.data(), g.data(), r.data(), luma.data(), chromaR.data(), chromaB.data());
    ChromaToPolar(chromaR.data(), chromaB.data(), magnitude.data(), hue.data());
    AdjustLumaChroma(luma.data(), magnitude.data(), hue.data(), luma.data(), magnitude.data(),
                     hue.data(), LumaGain(), ChromaGain(), static_cast<float>(HueShift));
    PolarToChroma(magnitude.data(), hue.data(), chromaR.data(), chromaB.data());
    LumaChromaToPlanes(luma.data(), chromaR.data(), chromaB.data(), ob.data(), og.data(),
                       orr.data());
    for (bool wide : {false, true}) {
        WideVectorsAllowed = wide;
        AdjustColours(BasePicture, CurrentPicture, LumaGain(), ChromaGain(),
                      static_cast<float>(HueShift));
        FUZZ_CHECK(ob.Equals(CurrentPicture.blue, n) && og.Equals(CurrentPicture.green, n) &&
                   orr.Equals(CurrentPicture.red, n));
    }
    WideVectorsAllowed = true;
}

enum Screen { ColourScreen, WarpScreen };

bool Undo(Screen s) {
    return s == ColourScreen ? UndoColourPress() : UndoWarpPress();
}
bool Redo(Screen s) {
    return s == ColourScreen ? RedoColourPress() : RedoWarpPress();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    PictureWidth = in.Between(0, 40);
    PictureHeight = in.Between(0, 40);
    const std::size_t n = static_cast<std::size_t>(PictureWidth) * PictureHeight;
    const std::vector<uint8_t> pattern = in.Bytes(in.Byte());
    ExactBuffer blue(Tiled(pattern, n, 0)), green(Tiled(pattern, n, 1)), red(Tiled(pattern, n, 2));
    std::memcpy(BasePicture.blue, blue.data(), n);
    std::memcpy(BasePicture.green, green.data(), n);
    std::memcpy(BasePicture.red, red.data(), n);

    ResetColourSettings();
    ResetWarpSettings();
    EmptyEffectStack();
    const uint8_t flags = in.Byte();
    if (flags & 1) {
        BrightnessStep = Reachable(in);
        SaturationStep = Reachable(in);
        HueShift = ReachableHue(in);
        WarpTurnX = Reachable(in);
        WarpTurnY = Reachable(in);
        WarpTurnZ = Reachable(in);
        WarpScaleX = Reachable(in);
        WarpScaleY = Reachable(in);
    }
    Screen screen = (flags & 2) ? WarpScreen : ColourScreen;
    WarpValues raw{};
    if (flags & 4)
        for (float* f : {&raw.scaleX, &raw.scaleY, &raw.shiftX, &raw.shiftY, &raw.shiftZ, &raw.tilt,
                         &raw.turnY, &raw.spin, &raw.distance, &raw.focal})
            *f = in.F32();
    Settings opened = Current(); // as the screen was opened
    int operations = 0, allOperations = 0;
    while (!in.Empty() && allOperations < MostOperations) {
        const uint8_t op = in.Byte();
        ++operations;
        ++allOperations;
        switch (op % 8) {
        case 0:
        case 1:
        case 2:
            if (screen == ColourScreen) {
                FUZZ_CHECK(!PressColour(BrightnessPlus + in.Between(0, 5)).memoryFull);
            } else {
                const int code = in.Between(FirstWarpCode, LastWarpCode);
                const bool allowed = WarpPressAllowed(code);
                const PressOutcome outcome = PressWarp(code);
                FUZZ_CHECK(!outcome.memoryFull && outcome.changed == allowed);
            }
            break;
        case 3:
            Undo(screen);
            break;
        case 4:
            Redo(screen);
            break;
        case 5:
            // Leaving a screen empties the stack; the settings stay as they are.
            EmptyEffectStack();
            screen = screen == ColourScreen ? WarpScreen : ColourScreen;
            opened = Current();
            operations = 0;
            break;
        case 6:
            if (screen == ColourScreen)
                CheckColourChain(blue, green, red);
            else
                WarpEveryPath({&blue, &green, &red}, CurrentWarpValues());
            break;
        default:
            ApplyPerspective();
            ApplyColourAdjust();
            break;
        }
        FUZZ_CHECK(HueShift >= 0 && HueShift <= 360 && HueShift % 10 == 0);
        // The cursor is always on the stack or below its bottom.
        bool onStack = EffectCursor == nullptr;
        for (EffectNode* e = EffectTop; e != nullptr && !onStack; e = e->older)
            onStack = e == EffectCursor;
        FUZZ_CHECK(onStack);
    }

    // Undoing everything returns to the settings the screen opened with, and redoing
    // everything to those of the newest press, unless a setting could have met its guard.
    if (FarFromGuards(opened, operations + 1)) {
        while (Redo(screen)) {
        }
        const Settings newest = Current();
        while (Undo(screen)) {
        }
        FUZZ_CHECK(Current() == opened);
        while (Redo(screen)) {
        }
        FUZZ_CHECK(Current() == newest);
    }
    CheckColourChain(blue, green, red);
    WarpEveryPath({&blue}, CurrentWarpValues());

    // The warp itself with settings no screen can give.
    if (flags & 4)
        WarpEveryPath({&red}, raw);

    EmptyEffectStack();
    PictureWidth = PictureHeight = 0;
    return 0;
}
