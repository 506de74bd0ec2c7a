// The placeholder pictures and sounds. Each routine draws one kind of asset from its
// parameters alone, so a later design can replace one routine without touching the
// file formats or the tree layout.
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
// The text a button shows; names without a known label show themselves.
std::string ButtonLabel(std::string_view name);
// A rounded button; the surroundings outside the rounded corners are pure black (the
// transparent key) and every face covers the same pixels.
Canvas DrawButton(std::string_view name, int width, int height, Face face);
bool InButtonShape(double px, double py, int width, int height);
// A square effect tile (no black anywhere: the gallery keys on black).
Canvas DrawEffectTile(int index, int size, Face face);
// White where the thumbnail shows through; the frame tints it when ANDed.
Canvas DrawThumbnailMask(int size, Color frame, int thickness);

// --- screens (art_screens.cpp)
Canvas DrawScreenBackground(std::string_view title, int width, int height, Rect picture,
                            Color tint);
// The shaped start screen: pure black outside, never pure black inside.
constexpr int StartScreenSize = 365;
bool InStartShape(double px, double py);
Canvas DrawStartScreen();

// --- the default picture (art_picture.cpp)
Canvas DrawDefaultPicture(int width, int height);

// --- sounds (art_sounds.cpp), samples in -1..1
std::vector<double> ClickSound(int sampleRate);
std::vector<double> ShutterSound(int sampleRate);

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
