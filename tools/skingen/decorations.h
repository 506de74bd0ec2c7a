// The decoration pictures beside the program: backgrounds, stickers, foregrounds with
// their weights, and covers. Each comes with the path it is written to under the
// program folder; within a folder the names sort in the order they are listed.
#pragma once
#include "canvas.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace skingen {

struct DecorationArt {
    std::string path; // "Ornament/01_Party_hat.png"
    std::function<Canvas()> draw;
};

// Opaque pictures of the picture area's size, painted in through the key colour.
constexpr int BackgroundWidth = 800, BackgroundHeight = 640;
std::vector<DecorationArt> BackgroundArt();

// Stickers are drawn with alpha onto transparency and written with OnBlack: black is
// what the program keys out, and each pixel of a fringe keeps the share of its colour
// that the keyed blend gives back. Inside its body every pixel is bright or saturated.
std::vector<DecorationArt> StickerArt();
Canvas OnBlack(const Canvas& art);
// What the keyed blend does with a pixel whose weights are its own colour.
bool KeyedOpaque(Color c);

// Foregrounds are drawn with alpha too: the picture is the colour, its weights picture
// (same name under ForegroundB/) the alpha in all three channels.
constexpr int ForegroundWidth = 800, ForegroundHeight = 640;
std::vector<DecorationArt> ForegroundArt();
// The colour, spread a few pixels into the see-through parts so that stretching the
// picture does not pull a dark seam in along the edges of what shows.
Canvas OverlayPicture(const Canvas& art);
Canvas OverlayWeights(const Canvas& art);
// "Foreground/name" -> "ForegroundB/name".
std::string WeightsPathOf(const std::string& foregroundPath);

// Covers are blended by their own colours channel by channel: light and pale shows,
// black lets the photo through. Drawn with alpha and written with OnBlack.
constexpr int CoverWidth = 640, CoverHeight = 512;
std::vector<DecorationArt> CoverArt();

// Every decoration picture as it is written, with its path under the program folder.
struct DecorationSet {
    struct Overlay {
        std::string path;
        Canvas picture, weights;
    };
    std::vector<std::pair<std::string, Canvas>> backgrounds, stickers, covers;
    std::vector<Overlay> foregrounds;
};
DecorationSet DrawDecorations();

} // namespace skingen
