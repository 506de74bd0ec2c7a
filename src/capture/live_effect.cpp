#include "capture/live_effect.h"

#include "capture/capture_frames.h"
#include "effects/colour_adjust.h"

int LiveEffect = NoLiveEffect;

namespace {

bool IsEffect(int effect) {
    return effect >= 0 && effect < GalleryEffectCount;
}

} // namespace

int LiveEffectOfChoice(int choice) {
    return choice >= 1 && choice < LiveEffectChoices ? choice - 1 : NoLiveEffect;
}

int ChoiceOfLiveEffect(int effect) {
    return IsEffect(effect) ? effect + 1 : 0;
}

bool ApplyLiveEffect(int effect, const EffectPictures& p, int w, int h) {
    if (!IsEffect(effect) || w <= 0 || h <= 0 || static_cast<long long>(w) * h > PlaneCapacity)
        return false;
    // The colour settings stay as the user left them: the effect is part of the photo, not a
    // colour press, and every frame must start from the same settings as the snapshot does.
    const KeptEffectSettings kept;
    PictureWidth = w;
    PictureHeight = h;
    CopyPicture(p.base, p.gallery);
    // Only the repeated sharpening reads the edges of these two before writing them.
    if (effect >= 7 && effect <= 9) {
        CopyPicture(p.base, p.current);
        CopyPicture(p.base, p.scratch);
    }
    ApplyGalleryEffectTo(effect, p);
    return true;
}

const ColorPlanes* LiveFramePicture(const std::uint8_t* frame, std::size_t frameSize, int width,
                                    int height, bool topDown, bool mirror, int areaWidth,
                                    int areaHeight, int effect, std::uint8_t* upright,
                                    LivePictures& pictures, int& w, int& h) {
    if (!UprightFrame(frame, frameSize, width, height, 3, topDown, mirror, upright))
        return nullptr;
    if (!FitFrame(upright, width, height, areaWidth, areaHeight, pictures.fitted.blue,
                  pictures.fitted.green, pictures.fitted.red, w, h))
        return nullptr;
    const EffectPictures p{pictures.fitted, pictures.shown, pictures.current, pictures.scratch};
    return ApplyLiveEffect(effect, p, w, h) ? &pictures.shown : &pictures.fitted;
}

void ApplyLiveEffectToSnapshot(int effect) {
    const EffectPictures p{BasePicture, GalleryPicture, CurrentPicture, DecorationPicture};
    if (ApplyLiveEffect(effect, p, PictureWidth, PictureHeight))
        CopyPicture(GalleryPicture, BasePicture);
}
