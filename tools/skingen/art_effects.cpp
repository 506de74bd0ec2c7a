// The gallery's effect tiles: the program's own effect applied to a small copy of the
// default picture, with the effect's name below. What a tile shows is what the button
// does, because the same code computes both.
#include "art.h"

#include "font.h"
#include "look.h"
#include "shapes.h"

#include "effects/colour_adjust.h"
#include "effects/gallery_effects.h"
#include "skin/color_planes.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace skingen {

namespace {

const char* const EffectNames[EffectCount] = {
    "Grey",  "Negative",   "Tone fold",  "Sharpen",       "Median",
    "Blur",  "Mosaic",     "Paint bold", "Paint x7",      "Paint x3",
    "Slant", "Glow edges", "Sketch",     "Bright relief", "Colour relief",
};

// Whole 5 x 5 mosaic blocks and a ring of pixels that the 3 x 3 filters leave as they
// were both fall outside the part a tile shows.
int SampleSide(int shown) {
    return (shown / 5 + 1) * 5;
}

} // namespace

std::string EffectName(int index) {
    return index >= 0 && index < EffectCount ? EffectNames[index] : "";
}

EffectTileLayout EffectTileGeometry(int size) {
    const int pictureHeight = size * 3 / 4;
    return {size, pictureHeight, SampleSide(size), SampleSide(pictureHeight)};
}

Canvas EffectSample(int width, int height) {
    return DrawDefaultPicture(width * 2, height * 2).Downsample(2);
}

Canvas RenderGalleryEffect(int index, const Canvas& sample) {
    const int w = sample.Width(), h = sample.Height();
    if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > PlaneCapacity)
        throw std::runtime_error("effect sample does not fit the picture planes");
    const KeptEffectSettings borrowed;
    PictureWidth = w;
    PictureHeight = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Color p = sample.At(x, y);
            const std::size_t i = static_cast<std::size_t>(y * w + x);
            BasePicture.blue[i] = p.b;
            BasePicture.green[i] = p.g;
            BasePicture.red[i] = p.r;
        }
    // As on the gallery's first press: the settings fresh, the shown picture the base.
    ResetColourSettings();
    CopyPicture(BasePicture, GalleryPicture);
    CopyPicture(BasePicture, CurrentPicture);
    CopyPicture(BasePicture, DecorationPicture);
    ApplyGalleryEffect(index);
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * w + x);
            out.Set(x, y,
                    Rgb(GalleryPicture.red[i], GalleryPicture.green[i], GalleryPicture.blue[i]));
        }
    return out;
}

Color AwayFromKeys(Color c) {
    // A 16-bit display drops the low bits before the key is compared, and JPEG moves
    // dark pixels by a few steps: keep a margin around black and pure red.
    static constexpr int margin = 24;
    const auto lift = [](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::max<int>(v, margin));
    };
    if (c.r < margin && c.g < margin && c.b < margin)
        return Rgb(lift(c.r), lift(c.g), lift(c.b));
    if (c.r > 255 - margin && c.g < margin && c.b < margin)
        return Rgb(c.r, lift(c.g), lift(c.b));
    return Rgb(c.r, c.g, c.b);
}

Canvas DrawEffectTile(int index, int size, Face face) {
    const EffectTileLayout g = EffectTileGeometry(size);
    // Every face and all three layouts show the same result: compute it once.
    static std::map<std::pair<int, int>, Canvas> rendered;
    auto found = rendered.find({index, size});
    if (found == rendered.end()) {
        const Canvas sample = EffectSample(g.sampleWidth, g.sampleHeight);
        found = rendered.emplace(std::pair{index, size}, RenderGalleryEffect(index, sample)).first;
    }
    const Canvas& result = found->second;

    Canvas c(size, size, look::Paper);
    for (int y = 0; y < g.pictureHeight; ++y)
        for (int x = 0; x < size; ++x)
            c.Set(x, y, result.At(x, y));
    if (face == Face::Pressed)
        Fill(c, RoundRect(0, 0, size, g.pictureHeight, 0), Rgb(40, 20, 60, 50));

    // The name on a paper band along the bottom.
    const Color band = face == Face::Hover     ? look::Glow
                       : face == Face::Pressed ? Mix(look::Sky, look::Paper, 0.6)
                                               : look::Paper;
    c.FillRect(0, g.pictureHeight, size, size - g.pictureHeight, band);
    c.FillRect(0, g.pictureHeight, size, 1, Shade(band, -0.18));
    TextStyle s = Style(10, Bold, look::Ink);
    const std::string name = EffectName(index);
    s.cap = FitCap(name, s, size - 8, 10);
    DrawTextCentered(c, size / 2.0,
                     g.pictureHeight + (size - g.pictureHeight) / 2.0 + (face == Face::Pressed),
                     name, s);

    // Rest: a thin frame. Hover: a warm glow. Pressed: a deep blue frame.
    const Shape edge = Minus(RoundRect(0, 0, size, size, 0),
                             face == Face::Norm ? RoundRect(1, 1, size - 2, size - 2, 0)
                                                : RoundRect(3, 3, size - 6, size - 6, 3));
    const Color frame = face == Face::Hover     ? look::Amber
                        : face == Face::Pressed ? Shade(look::Sky, -0.25)
                                                : look::PaperEdge;
    Fill(c, edge, frame);

    // The gallery keys its tiles on black or on pure red.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            c.Set(x, y, AwayFromKeys(c.At(x, y)));
    return c;
}

} // namespace skingen

namespace skingen {

namespace {

// The tile shows the middle of the default picture at twice the tile's size, where the
// small effects (sharpen, median, blur) still show; the edges the 3 x 3 filters leave and the
// mosaic's partial blocks fall outside it.
const Canvas& LiveSample(int width, int height) {
    static std::map<std::pair<int, int>, Canvas> samples;
    auto found = samples.find({width, height});
    if (found == samples.end())
        found = samples
                    .emplace(std::pair{width, height},
                             EffectSample(SampleSide(2 * width), SampleSide(2 * height)))
                    .first;
    return found->second;
}

std::string LiveCaption(int choice) {
    return choice == 0 ? "No live effect: pick one below"
                       : "Live effect: " + EffectName(choice - 1);
}

} // namespace

Canvas DrawLiveEffectTile(int choice, int width, int height, Face face) {
    static std::map<std::tuple<int, int, int>, Canvas> rendered;
    auto found = rendered.find({choice, width, height});
    if (found == rendered.end()) {
        const Canvas& sample = LiveSample(width, height);
        found = rendered
                    .emplace(std::tuple{choice, width, height},
                             choice == 0 ? sample : RenderGalleryEffect(choice - 1, sample))
                    .first;
    }
    const Canvas& result = found->second;
    Canvas c(width, height, look::Paper);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c.Set(x, y, result.At(x + width / 2, y + height / 2));
    if (choice == 0) {
        // "None" says so: the plain picture, veiled, with the word over it.
        Fill(c, RoundRect(0, 0, width, height, 0), Rgb(255, 251, 245, 120));
        TextStyle s = Style(10, Bold, look::Ink);
        DrawTextCentered(c, width / 2.0, height / 2.0, "None", s);
    }
    // Rest: a thin frame. Hover: a warm glow. Chosen: a deep blue frame, the picture a shade
    // darker.
    if (face == Face::Pressed)
        Fill(c, RoundRect(0, 0, width, height, 0), Rgb(20, 30, 80, 40));
    const Shape edge = Minus(RoundRect(0, 0, width, height, 0),
                             face == Face::Norm ? RoundRect(1, 1, width - 2, height - 2, 0)
                                                : RoundRect(3, 3, width - 6, height - 6, 2));
    const Color frame = face == Face::Hover     ? look::Amber
                        : face == Face::Pressed ? Shade(look::Sky, -0.35)
                                                : look::PaperEdge;
    Fill(c, edge, frame);
    // The camera screen keys its buttons on black.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c.Set(x, y, AwayFromKeys(c.At(x, y)));
    return c;
}

Canvas DrawLiveEffectCaptions(int width, int lineHeight) {
    Canvas c(width, lineHeight * LiveEffectChoiceCount, look::Tray);
    for (int k = 0; k < LiveEffectChoiceCount; ++k) {
        TextStyle s = Style(9.5, Bold, k == 0 ? look::SoftInk : look::Ink);
        s.cap = FitCap(LiveCaption(k), s, width - 4, 9.5);
        DrawText(c, 2, k * lineHeight + lineHeight / 2.0 + s.cap / 2.0, LiveCaption(k), s);
    }
    return c;
}

} // namespace skingen
