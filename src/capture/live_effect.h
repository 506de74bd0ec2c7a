// A gallery effect on every camera frame, and on the snapshot that the frame becomes.
//
// Order of work per frame: upright (and mirrored) → fitted to the area → effect → shown. The
// effect runs on the fitted picture, not the camera's frame, because that is the picture the
// snapshot arrives as and the gallery works on: the same pixels in, the same function, the same
// pixels out, at a quarter of the work or less when the frame is shrunk to fit.
#pragma once
#include "effects/gallery_effects.h"
#include "skin/color_planes.h"

#include <cstddef>
#include <cstdint>

// No effect: the plain picture.
constexpr int NoLiveEffect = -1;
// "None" and the fifteen gallery effects, in the picker's order.
constexpr int LiveEffectChoices = GalleryEffectCount + 1;

// The effect chosen on the camera screen (NoLiveEffect or 0..14); kept for the run, not across
// starts: a new session starts with the plain camera.
extern int LiveEffect;

// Effect choice k of the picker (0 = none) and back.
int LiveEffectOfChoice(int choice);
int ChoiceOfLiveEffect(int effect);

// The effect on a w x h picture in p.base, as the gallery's first press applies it: every
// picture whose edge pixels the effect reads without writing them starts as a copy of it, nothing
// is shown meanwhile, and the colour settings and PictureWidth x PictureHeight are as before
// afterwards. False, with nothing done, for no effect or a size the planes cannot hold.
bool ApplyLiveEffect(int effect, const EffectPictures& p, int w, int h);

// The live preview's own pictures: the effect never touches the editor's.
struct LivePictures {
    ColorPlanes fitted, shown, current, scratch;
};

// One camera frame as the grabber hands it over (padded rows, bottom-up unless topDown) to the
// picture to draw: upright and mirrored into `upright` (width x height x 3 bytes, what the
// snapshot saves), fitted to the area as the snapshot's load fits it, then the effect. Null
// when the frame is short or cannot be fitted; otherwise the planes to draw, w x h.
const ColorPlanes* LiveFramePicture(const std::uint8_t* frame, std::size_t frameSize, int width,
                                    int height, bool topDown, bool mirror, int areaWidth,
                                    int areaHeight, int effect, std::uint8_t* upright,
                                    LivePictures& pictures, int& w, int& h);

// The snapshot, loaded into BasePicture at PictureWidth x PictureHeight, with the effect applied
// as the preview showed it; the effect's result becomes BasePicture.
void ApplyLiveEffectToSnapshot(int effect);
