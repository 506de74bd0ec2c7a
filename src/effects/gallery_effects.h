// The fifteen one-press effects of the gallery. Each reads BasePicture and leaves its result
// in GalleryPicture; some also use CurrentPicture and the decoration planes (DecorationPicture)
// as scratch, and three change the colour settings.
#pragma once
#include "skin/color_planes.h"

#include <cstdint>

constexpr int GalleryEffectCount = 15;

// Effect 0..14 (the thumbnails O0..O14); any other number does nothing.
//   0 grey (colour adjustment with the chroma step lowered by 10, then SaturationStep = 10)
//   1 negative, 2 tone fold, 3 sharpen, 4 median, 5 blur, 6 mosaic
//   7..9 repeated blur, median and sharpen (3 x strong, 7 x, 3 x), 10 slant
//   11 glowing edges, 12 sketch (BrightnessStep 10, SaturationStep 10 afterwards)
//   13 bright relief (BrightnessStep 13, SaturationStep 10 afterwards), 14 coloured relief
// Effects 0 and 13 show intermediate pictures through ShowPlanesHook as the adjustment runs.
void ApplyGalleryEffect(int effect);

// The pictures one effect works on: it reads base (and hands it back unchanged), leaves its
// result in gallery and may overwrite current and scratch. Four different pictures.
struct EffectPictures {
    ColorPlanes& base;
    ColorPlanes& gallery;
    ColorPlanes& current;
    ColorPlanes& scratch;
};
// The same effects on pictures of one's own, at PictureWidth x PictureHeight; what
// ApplyGalleryEffect does with BasePicture, GalleryPicture, CurrentPicture and the scratch.
void ApplyGalleryEffectTo(int effect, const EffectPictures& p);

// For an effect run on pictures of one's own: the picture size, the colour settings and the show
// hook that effects change are kept, the hook is off meanwhile, and all are handed back after.
class KeptEffectSettings {
  public:
    KeptEffectSettings();
    ~KeptEffectSettings();
    KeptEffectSettings(const KeptEffectSettings&) = delete;
    KeptEffectSettings& operator=(const KeptEffectSettings&) = delete;

  private:
    int width_, height_;
    void (*hook_)(const ColorPlanes&);
    int brightness_, saturation_, hue_;
};

// The colouring of effect 14, over every pixel of the picture's planes: red 255, green and
// blue folded so that green is never below blue.
void RecolourRelief(uint8_t* blue, uint8_t* green, uint8_t* red);
