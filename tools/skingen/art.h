// The skin's pictures and sounds. Each routine draws one kind of asset from its
// parameters, so one design can change without touching the file formats or the tree.
#pragma once
#include "canvas.h"
#include "cur_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace skingen {

enum class Face { Norm, Hover, Pressed };

struct Rect {
    int x, y, w, h;
};

// --- buttons (art_buttons.cpp)
// The word a button shows, or "" for buttons that show only a sign.
std::string ButtonLabel(std::string_view name);
// Every face of a button covers the same pixels; the surroundings are pure black (the
// transparent key) and nothing inside is.
Canvas DrawButton(std::string_view name, int width, int height, Face face);
bool InButtonShape(std::string_view name, double px, double py, int width, int height);
// White where the thumbnail shows through; the frame tints it when ANDed.
Canvas DrawThumbnailMask(int size, Color frame, int thickness);

// --- effect tiles (art_effects.cpp): the program's own gallery effect on a sample of
// the default picture, named below. No black and no pure red anywhere, since the
// gallery keys its tiles on one or the other.
constexpr int EffectCount = 15;
std::string EffectName(int index);
struct EffectTileLayout {
    int size;                      // the square tile
    int pictureHeight;             // the effect's picture fills size x pictureHeight from the top
    int sampleWidth, sampleHeight; // the sample the effect runs on; the tile shows its top-left
};
EffectTileLayout EffectTileGeometry(int size);
Canvas EffectSample(int width, int height);
// ApplyGalleryEffect(index) on the sample as BasePicture, with fresh colour settings and
// the gallery, shown and scratch pictures starting as copies of it (some filters leave
// edge pixels of those as they were): the GalleryPicture it leaves.
Canvas RenderGalleryEffect(int index, const Canvas& sample);
// The colour moved just clear of both key colours (and of what a 16-bit display or
// JPEG makes of them); any other colour unchanged.
Color AwayFromKeys(Color c);
Canvas DrawEffectTile(int index, int size, Face face);
// The camera screen's live-effect tiles: choice 0 is the plain sample ("none"), choice k the
// gallery effect k - 1 on it. Chosen tiles (the pressed face) wear a deep blue frame.
constexpr int LiveEffectChoiceCount = EffectCount + 1;
Canvas DrawLiveEffectTile(int choice, int width, int height, Face face);
// The caption lines above the tiles, one under the other in the tiles' order, on the tray.
Canvas DrawLiveEffectCaptions(int width, int lineHeight);

// --- screens (art_screens.cpp, art_panels.cpp)
enum class Screen { Camera, Colour, Perspective, Background, Pen, Decorate, Effects, Save };
struct ScreenGeometry {
    int width, height;
    Rect picture; // where the picture window lies
};
// Labels and frames follow the slot positions of the skin tables, whose run-time
// cells must be set for this layout.
Canvas DrawScreenBackground(Screen screen, const ScreenGeometry& g);
// The shaped start screen: pure black outside, never pure black inside.
constexpr int StartScreenSize = 365;
bool InStartShape(double px, double py);
Canvas DrawStartScreen();

// --- the default picture (art_picture.cpp)
Canvas DrawDefaultPicture(int width, int height);

// --- sounds (art_sounds.cpp), samples in -1..1
std::vector<double> ClickSound(int sampleRate);
std::vector<double> ShutterSound(int sampleRate);

// --- the camera screen's countdown (art_booth.cpp)
// Digit 1..3 on a round badge, transparent around it (written with its alpha).
Canvas DrawCountdownDigit(int digit, int size);
std::vector<double> TickSound(int sampleRate);

// --- program icon and cursors (art_icons.cpp)
Canvas DrawAppIcon(int size);
MonoCursor OpenHandCursor();
MonoCursor GrabHandCursor();

// A small fixed-seed generator so "random" texture is the same on every run.
class Prng {
  public:
    explicit Prng(std::uint32_t seed) : state_(seed == 0 ? 1 : seed) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double Unit() { return Next() / 4294967296.0; }

  private:
    std::uint32_t state_;
};

} // namespace skingen
