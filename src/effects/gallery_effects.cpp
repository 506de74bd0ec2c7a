#include "effects/gallery_effects.h"

#include "effects/colour_adjust.h"
#include "effects/plane_filters.h"
#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

namespace {

ColorPlanes& Scratch = DecorationPicture;

uint8_t* PlaneOf(ColorPlanes& p, int k) {
    return k == 0 ? p.blue : k == 1 ? p.green : p.red;
}

template <typename Filter> void EachPlane(ColorPlanes& in, ColorPlanes& out, Filter filter) {
    for (int k = 0; k < 3; ++k)
        filter(PlaneOf(in, k), PlaneOf(out, k));
}

// Blur, median and sharpen, passes times, through the scratch and the shown picture. Edge
// pixels the filters leave are read as they are (the base's in Gallery, whatever Scratch and
// Current held), so each plane runs its passes straight through: the planes never mix.
void RepeatedSharpen(const EffectPictures& p, int passes, const int32_t* kernel) {
    CopyPicture(p.base, p.gallery);
    for (int k = 0; k < 3; ++k)
        for (int pass = 0; pass < passes; ++pass) {
            BoxBlur3x3(PlaneOf(p.gallery, k), PlaneOf(p.scratch, k));
            Median3x3(PlaneOf(p.scratch, k), PlaneOf(p.current, k));
            Convolve3x3(PlaneOf(p.current, k), PlaneOf(p.gallery, k), kernel);
        }
}

// The colour adjustment as a press runs it (StepSaturation, StepBrightness), on these pictures.
void AdjustAndShow(const EffectPictures& p) {
    AdjustColours(p.base, p.current, LumaGain(), ChromaGain(), static_cast<float>(HueShift));
    if (ShowPlanesHook)
        ShowPlanesHook(p.current);
}

void Show(const ColorPlanes& picture) {
    if (ShowPlanesHook)
        ShowPlanesHook(picture);
}

FLIMMER_INLINE void RecolourBody(uint8_t* blue, uint8_t* green, int n) {
    const V32u8 c55 = V32u8{} + 55, c150 = V32u8{} + 150, c188 = V32u8{} + 188,
                c184 = V32u8{} + 184, c189 = V32u8{} + 189, c66 = V32u8{} + 66, c90 = V32u8{} + 90,
                c50 = V32u8{} + 50, zero = {};
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        V32u8 g = LoadVector<V32u8>(green + i) + c55; // wraps modulo 256
        g = g < c150 ? c188 : g;
        V32u8 b = LoadVector<V32u8>(blue + i);
        b = (b >= c184 && b <= c189) ? b + c66 : b;
        b = b < c150 ? b - c90 : b;
        b = b == zero ? c50 : b;
        StoreVector(blue + i, Min(b, g));
        StoreVector(green + i, Max(b, g));
    }
    for (; i < n; ++i) {
        uint8_t g = static_cast<uint8_t>(green[i] + 55);
        if (g < 150)
            g = 188;
        uint8_t b = blue[i];
        if (b >= 184 && b <= 189)
            b = static_cast<uint8_t>(b + 66);
        if (b < 150)
            b = static_cast<uint8_t>(b - 90);
        if (b == 0)
            b = 50;
        blue[i] = b < g ? b : g;
        green[i] = b < g ? g : b;
    }
}

void RecolourBase(uint8_t* blue, uint8_t* green, int n) {
    RecolourBody(blue, green, n);
}
FLIMMER_AVX2 void RecolourAvx2(uint8_t* blue, uint8_t* green, int n) {
    RecolourBody(blue, green, n);
}

} // namespace

void RecolourRelief(uint8_t* blue, uint8_t* green, uint8_t* red) {
    if (PictureWidth <= 0 || PictureHeight <= 0 ||
        static_cast<long long>(PictureWidth) * PictureHeight > PlaneCapacity)
        return;
    const int n = PictureWidth * PictureHeight;
    for (int i = 0; i < n; ++i)
        red[i] = 255;
    if (UseAvx2())
        RecolourAvx2(blue, green, n);
    else
        RecolourBase(blue, green, n);
}

void ApplyGalleryEffect(int effect) {
    ApplyGalleryEffectTo(effect, {BasePicture, GalleryPicture, CurrentPicture, Scratch});
}

KeptEffectSettings::KeptEffectSettings()
    : width_(PictureWidth), height_(PictureHeight), hook_(ShowPlanesHook),
      brightness_(BrightnessStep), saturation_(SaturationStep), hue_(HueShift) {
    ShowPlanesHook = nullptr;
}

KeptEffectSettings::~KeptEffectSettings() {
    PictureWidth = width_;
    PictureHeight = height_;
    ShowPlanesHook = hook_;
    BrightnessStep = brightness_;
    SaturationStep = saturation_;
    HueShift = hue_;
}

void ApplyGalleryEffectTo(int effect, const EffectPictures& p) {
    switch (effect) {
    case 0:
        ChangeSaturation(-10);
        AdjustAndShow(p);
        SaturationStep = 10;
        CopyPicture(p.current, p.gallery);
        break;
    case 1:
        EachPlane(p.base, p.gallery, InvertPlane);
        break;
    case 2:
        FoldDarkTones(p.base.blue, p.base.green, p.base.red, p.gallery.blue,
                      p.gallery.green, p.gallery.red);
        break;
    case 3:
        EachPlane(p.base, p.gallery,
                  [](const uint8_t* in, uint8_t* out) { Convolve3x3(in, out, SharpenKernel); });
        break;
    case 4:
        EachPlane(p.base, p.gallery, Median3x3);
        break;
    case 5:
        EachPlane(p.base, p.gallery, BoxBlur3x3);
        break;
    case 6:
        EachPlane(p.base, p.gallery, Mosaic5x5);
        break;
    case 7:
        RepeatedSharpen(p, 3, StrongSharpenKernel);
        break;
    case 8:
        RepeatedSharpen(p, 7, SharpenKernel);
        break;
    case 9:
        RepeatedSharpen(p, 3, SharpenKernel);
        break;
    case 10:
        CopyPicture(p.base, p.current);
        CopyPicture(p.current, p.scratch);
        EachPlane(p.scratch, p.gallery,
                  [](const uint8_t* in, uint8_t* out) { Convolve3x3(in, out, SlantKernel); });
        break;
    case 11:
        EachPlane(p.base, p.gallery,
                  [](const uint8_t* in, uint8_t* out) { CompassEdges(in, out, 1.1f); });
        break;
    case 12:
        EachPlane(p.base, p.gallery,
                  [](const uint8_t* in, uint8_t* out) { CompassEdges(in, out, 0.8f); });
        BrightnessStep = 10;
        SaturationStep = 0;
        AdjustColours(p.gallery, p.current, 1.0f, 0.0f, static_cast<float>(HueShift));
        SaturationStep = 10;
        EachPlane(p.current, p.gallery, InvertPlane);
        break;
    case 13:
        CopyPicture(p.base, p.scratch);
        BrightnessStep = 10;
        SaturationStep = 10;
        EmbossPlanes(p.base.blue, p.base.green, p.base.red, p.gallery.blue,
                     p.gallery.green, p.gallery.red, 142);
        CopyPicture(p.gallery, p.base);
        ChangeBrightness(+3);
        AdjustAndShow(p);
        CopyPicture(p.current, p.gallery);
        Show(p.gallery);
        CopyPicture(p.scratch, p.base);
        break;
    case 14:
        EmbossPlanes(p.base.blue, p.base.green, p.base.red, p.gallery.blue,
                     p.gallery.green, p.gallery.red, 142);
        RecolourRelief(p.gallery.blue, p.gallery.green, p.gallery.red);
        break;
    default:
        break;
    }
}
