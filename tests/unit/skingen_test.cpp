// The asset generator: its file writers, its font, and the rules the skin pictures
// and the decorations must keep (key colours, shapes, room for the picture).
#include "skingen/art.h"
#include "skingen/bmp_writer.h"
#include "skingen/decorations.h"
#include "skingen/font.h"
#include "skingen/shapes.h"
#include "skingen/jpeg_writer.h"
#include "skingen/look.h"
#include "skingen/png_writer.h"

#include "effects/colour_adjust.h"
#include "effects/gallery_effects.h"
#include "program/layout.h"
#include "skin/color_planes.h"
#include "skin/file_kind.h"
#include "skin/skin_tables.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

using namespace skingen;

namespace {

std::uint32_t Be32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) << 24 | b.at(at + 1) << 16 | b.at(at + 2) << 8 |
           b.at(at + 3);
}

int Predict(int filter, int a, int b, int c) {
    switch (filter) {
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return (a + b) / 2;
    case 4: {
        const int e = a + b - c, da = std::abs(e - a), db = std::abs(e - b), dc = std::abs(e - c);
        return da <= db && da <= dc ? a : db <= dc ? b : c;
    }
    default:
        return 0;
    }
}

struct DecodedPng {
    std::uint32_t width = 0, height = 0;
    int colourType = -1;
    std::vector<std::string> chunkTypes;
    std::set<int> filters;
    std::vector<std::uint8_t> pixels; // unfiltered, without the filter bytes
};

// An independent reader: checks every CRC, inflates, and undoes the five row filters.
DecodedPng DecodePng(const Bytes& png) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    DecodedPng out;
    Bytes idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Be32(png, at);
        const std::string type(png.begin() + static_cast<long>(at) + 4,
                               png.begin() + static_cast<long>(at) + 8);
        const std::uint8_t* data = png.data() + at + 8;
        const uLong crc = crc32(0L, png.data() + at + 4, length + 4);
        EXPECT_EQ(crc, Be32(png, at + 8 + length)) << type;
        out.chunkTypes.push_back(type);
        if (type == "IHDR") {
            out.width = Be32(png, at + 8);
            out.height = Be32(png, at + 12);
            EXPECT_EQ(data[8], 8); // bit depth
            out.colourType = data[9];
        } else if (type == "IDAT") {
            idat.insert(idat.end(), data, data + length);
        }
        at += 12 + length;
    }
    const int bpp = out.colourType == 6 ? 4 : 3;
    const std::size_t stride = out.width * bpp;
    Bytes raw((stride + 1) * out.height);
    uLongf rawSize = raw.size();
    EXPECT_EQ(uncompress(raw.data(), &rawSize, idat.data(), idat.size()), Z_OK);
    EXPECT_EQ(rawSize, raw.size());
    Bytes prior(stride, 0);
    for (std::size_t y = 0; y < out.height; ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        out.filters.insert(filter);
        Bytes row(raw.begin() + static_cast<long>(y * (stride + 1) + 1),
                  raw.begin() + static_cast<long>((y + 1) * (stride + 1)));
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= static_cast<std::size_t>(bpp) ? row[i - bpp] : 0;
            const int b = prior[i];
            const int c = i >= static_cast<std::size_t>(bpp) ? prior[i - bpp] : 0;
            row[i] = static_cast<std::uint8_t>(row[i] + Predict(filter, a, b, c));
        }
        out.pixels.insert(out.pixels.end(), row.begin(), row.end());
        prior = row;
    }
    return out;
}

// Noise rows, each followed by a row that one filter predicts exactly, so an RGB
// encoding has reason to use all five filters.
Canvas FilterExercise(int w) {
    const int h = 10;
    std::vector<std::vector<int>> rows(h, std::vector<int>(static_cast<std::size_t>(w) * 3));
    Prng rng(99);
    for (int y = 0; y < h; ++y) {
        auto& row = rows[y];
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int a = i >= 3 ? row[i - 3] : 0;
            const int b = y > 0 ? rows[y - 1][i] : 0;
            const int c = y > 0 && i >= 3 ? rows[y - 1][i - 3] : 0;
            if (y % 2 == 0)
                row[i] = static_cast<int>(rng.Next() & 255);
            else if (y == 1)
                row[i] = static_cast<int>(i % 2); // tiny values: no prediction beats none
            else // a small steady residual keeps the predictors from collapsing into one
                row[i] = (Predict(y / 2, a, b, c) + 5) & 255;
        }
    }
    Canvas canvas(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            canvas.Set(x, y,
                       Rgb(rows[y][x * 3], rows[y][x * 3 + 1], rows[y][x * 3 + 2], 255 - x * 7));
    return canvas;
}

bool IsBlack(Color c) {
    return c.r == 0 && c.g == 0 && c.b == 0;
}

} // namespace

TEST(SkingenPng, RgbAndRgbaDecodeToTheSamePixels) {
    const Canvas c = FilterExercise(13);
    for (const PngChannels channels : {PngChannels::Rgb, PngChannels::Rgba}) {
        const DecodedPng d = DecodePng(EncodePng(c, channels));
        const int bpp = channels == PngChannels::Rgba ? 4 : 3;
        ASSERT_EQ(d.width, 13u);
        ASSERT_EQ(d.height, 10u);
        EXPECT_EQ(d.colourType, bpp == 4 ? 6 : 2);
        if (bpp == 3) {
            EXPECT_EQ(d.filters, (std::set<int>{0, 1, 2, 3, 4}));
        }
        ASSERT_EQ(d.pixels.size(), 13u * 10u * bpp);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 13; ++x) {
                const std::uint8_t* p = &d.pixels[(y * 13 + x) * bpp];
                const Color e = c.At(x, y);
                EXPECT_EQ(p[0], e.r);
                EXPECT_EQ(p[1], e.g);
                EXPECT_EQ(p[2], e.b);
                if (bpp == 4) {
                    EXPECT_EQ(p[3], e.a);
                }
            }
    }
}

TEST(SkingenPng, HasNoChunkThatCouldVaryBetweenRuns) {
    const Canvas c = FilterExercise(40);
    const Bytes first = EncodePng(c);
    EXPECT_EQ(first, EncodePng(c));
    EXPECT_EQ(DecodePng(first).chunkTypes, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
}

TEST(SkingenBmp, HeaderAndPaddedBottomUpRows) {
    Canvas c(5, 3, Rgb(10, 20, 30)); // 15 bytes of pixels per row, padded to 16
    c.Set(0, 0, Rgb(1, 2, 3));       // top-left: first pixel of the last stored row
    c.Set(4, 2, Rgb(200, 100, 50));  // bottom-right: last pixel of the first stored row
    const Bytes b = EncodeBmp24(c);
    EXPECT_EQ(BmpRowStride(5, 24), 16u);
    ASSERT_EQ(b.size(), 54u + 16u * 3u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(GetLE32(b, 2), b.size());
    EXPECT_EQ(GetLE32(b, 10), 54u);
    EXPECT_EQ(GetLE32(b, 14), 40u);
    EXPECT_EQ(GetLE32(b, 18), 5u);
    EXPECT_EQ(GetLE32(b, 22), 3u); // positive height: bottom-up
    EXPECT_EQ(GetLE16(b, 26), 1u);
    EXPECT_EQ(GetLE16(b, 28), 24u);
    EXPECT_EQ(GetLE32(b, 30), 0u); // BI_RGB
    EXPECT_EQ(GetLE32(b, 34), 48u);

    const std::size_t firstRow = 54, lastRow = 54 + 2 * 16;
    EXPECT_EQ(b[firstRow + 12], 50); // blue, green, red
    EXPECT_EQ(b[firstRow + 13], 100);
    EXPECT_EQ(b[firstRow + 14], 200);
    EXPECT_EQ(b[lastRow + 0], 3);
    EXPECT_EQ(b[lastRow + 2], 1);
    for (std::size_t row = 0; row < 3; ++row)
        EXPECT_EQ(b[54 + row * 16 + 15], 0) << "padding of stored row " << row;
}

TEST(SkingenJpeg, BaselineFrameOfTheRightSize) {
    const Bytes j = EncodeJpeg(FilterExercise(21)); // partial blocks on both axes
    ASSERT_GT(j.size(), 4u);
    EXPECT_EQ(j[0], 0xFF);
    EXPECT_EQ(j[1], 0xD8);
    EXPECT_EQ(j[j.size() - 2], 0xFF);
    EXPECT_EQ(j[j.size() - 1], 0xD9);
    std::size_t sof = 0;
    for (std::size_t i = 2; i + 1 < j.size() && sof == 0; ++i)
        if (j[i] == 0xFF && j[i + 1] == 0xC0)
            sof = i;
    ASSERT_NE(sof, 0u) << "no baseline frame header";
    EXPECT_EQ(j[sof + 4], 8);                    // precision
    EXPECT_EQ(j[sof + 5] << 8 | j[sof + 6], 10); // height
    EXPECT_EQ(j[sof + 7] << 8 | j[sof + 8], 21); // width
    EXPECT_EQ(j[sof + 9], 3);
}

TEST(SkingenStartScreen, BlackOnlyOutsideTheShape) {
    const Canvas c = DrawStartScreen();
    ASSERT_EQ(c.Width(), 365);
    ASSERT_EQ(c.Height(), 365);
    // The corners and the notch between the lens and the title tab.
    for (auto [x, y] : {std::pair{0, 0}, {0, 364}, {364, 364}, {110, 4}})
        EXPECT_TRUE(IsBlack(c.At(x, y))) << x << "," << y;

    // Every start-screen button and the preview box are fully inside the shape.
    std::vector<Rect> inside = {{32, 49, 300, 240}};
    for (int i = 0; i < SkinChild00.M; ++i)
        inside.push_back(
            {SkinChild00.x[i], SkinChild00.y[i], SkinChild00.width[i], SkinChild00.height[i]});
    for (const Rect& r : inside) {
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                ASSERT_FALSE(IsBlack(c.At(x, y))) << x << "," << y;
            }
        }
    }

    int black = 0;
    for (int y = 0; y < 365; ++y)
        for (int x = 0; x < 365; ++x)
            black += IsBlack(c.At(x, y)) ? 1 : 0;
    EXPECT_GT(black, 500) << "the window would be a plain square";
}

namespace {

// Every button name the tables give pictures to, with the largest size it is shown at.
std::map<std::string, std::pair<int, int>> TableButtons() {
    std::map<std::string, std::pair<int, int>> out;
    auto note = [&](const std::string& path, int w, int h) {
        std::string name = path.substr(path.rfind('\\') + 1);
        name = name.substr(0, name.rfind('.'));
        if (name.size() > 5 && name.compare(name.size() - 5, 5, "_norm") == 0)
            name.resize(name.size() - 5);
        auto& size = out[name];
        size = {std::max(size.first, w), std::max(size.second, h)};
    };
    for (const SkinDescriptor* d : AllSkins)
        for (int i = 0; i < MaxSlots; ++i)
            if (d->norm[i][0] != '\0')
                note(d->norm[i], d->width[i], d->height[i]);
    for (int k = 0; k < 6; k += 3)
        note(SpeakerPaths[k], 46, 29);
    return out;
}

bool IsEffect(const std::string& name) {
    return name.size() >= 2 && name[0] == 'O' && std::isdigit(static_cast<unsigned char>(name[1]));
}

} // namespace

TEST(SkingenButtons, EveryFaceCoversTheSamePixelsAndOnlyTheOutsideIsBlack) {
    for (const auto& [name, size] : TableButtons()) {
        if (IsEffect(name))
            continue;
        const auto [w, h] = size;
        const Canvas norm = DrawButton(name, w, h, Face::Norm);
        const Canvas hover = DrawButton(name, w, h, Face::Hover);
        const Canvas pressed = DrawButton(name, w, h, Face::Pressed);
        int shown = 0, hoverDiffers = 0, pressDiffers = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool inside = InButtonShape(name, x + 0.5, y + 0.5, w, h);
                ASSERT_EQ(inside, !IsBlack(norm.At(x, y))) << name << " " << x << "," << y;
                ASSERT_EQ(inside, !IsBlack(hover.At(x, y))) << name << " " << x << "," << y;
                ASSERT_EQ(inside, !IsBlack(pressed.At(x, y))) << name << " " << x << "," << y;
                shown += inside ? 1 : 0;
                hoverDiffers += inside && norm.At(x, y).g != hover.At(x, y).g ? 1 : 0;
                pressDiffers += inside && norm.At(x, y).g != pressed.At(x, y).g ? 1 : 0;
            }
        EXPECT_GT(shown, w * h * 3 / 5) << name << ": the button is mostly hole";
        EXPECT_GT(hoverDiffers, shown / 3) << name << ": hover looks like rest";
        EXPECT_GT(pressDiffers, shown / 3) << name << ": press looks like rest";
    }
}

TEST(SkingenButtons, TheSwappedUndoRedoNamesShowWhatTheyDo) {
    EXPECT_EQ(ButtonLabel("Redos"), "Undo");
    EXPECT_EQ(ButtonLabel("Undos"), "Redo");
    EXPECT_EQ(ButtonLabel("fun3"), "Stickers 2");
}

namespace {

// What the key compare sees on a 16-bit display: the low bits are gone.
bool SamePixels(const std::vector<Color>& a, const std::vector<Color>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b)
            return false;
    return true;
}

bool NearKey(Color c, Color key) {
    return c.r >> 3 == key.r >> 3 && c.g >> 2 == key.g >> 2 && c.b >> 3 == key.b >> 3;
}

} // namespace

TEST(SkingenEffects, TilesAvoidBothKeyColoursInEveryFace) {
    // Tiles O0..O10 are keyed on black, O11..O14 on pure red; none comes near either.
    for (int k = 0; k < EffectCount; ++k) {
        EXPECT_FALSE(EffectName(k).empty()) << k;
        for (const Face face : {Face::Norm, Face::Hover, Face::Pressed}) {
            const Canvas c = DrawEffectTile(k, 96, face);
            ASSERT_EQ(c.Width(), 96);
            ASSERT_EQ(c.Height(), 96);
            for (const Color& p : c.Pixels()) {
                ASSERT_FALSE(NearKey(p, Rgb(0, 0, 0))) << "O" << k;
                ASSERT_FALSE(NearKey(p, Rgb(255, 0, 0))) << "O" << k;
            }
        }
    }
    EXPECT_EQ(AwayFromKeys(Rgb(0, 0, 0)).r, 24);
    EXPECT_EQ(AwayFromKeys(Rgb(5, 30, 2)).g, 30); // dark green is no key: left alone
    EXPECT_EQ(AwayFromKeys(Rgb(255, 3, 9)).b, 24);
    EXPECT_EQ(AwayFromKeys(Rgb(200, 3, 9)).g, 3);
}

TEST(SkingenEffects, TilesShowTheProgramsOwnEffectOnTheSample) {
    const EffectTileLayout g = EffectTileGeometry(96);
    ASSERT_GE(g.sampleWidth, 96);
    ASSERT_GE(g.sampleHeight, g.pictureHeight);
    const Canvas sample = EffectSample(g.sampleWidth, g.sampleHeight);
    const int width = PictureWidth, height = PictureHeight;
    for (int k = 0; k < EffectCount; ++k) {
        // The effect as the gallery runs it, straight from the core.
        PictureWidth = g.sampleWidth;
        PictureHeight = g.sampleHeight;
        for (int y = 0; y < g.sampleHeight; ++y)
            for (int x = 0; x < g.sampleWidth; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * g.sampleWidth + x);
                BasePicture.red[i] = sample.At(x, y).r;
                BasePicture.green[i] = sample.At(x, y).g;
                BasePicture.blue[i] = sample.At(x, y).b;
            }
        // The repeated filters read the edge rings of the scratch and shown pictures:
        // the tiles start them as copies of the sample.
        ResetColourSettings();
        CopyPicture(BasePicture, GalleryPicture);
        CopyPicture(BasePicture, CurrentPicture);
        CopyPicture(BasePicture, DecorationPicture);
        ApplyGalleryEffect(k);
        std::vector<Color> expected;
        for (int y = 0; y < g.sampleHeight; ++y)
            for (int x = 0; x < g.sampleWidth; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * g.sampleWidth + x);
                expected.push_back(
                    Rgb(GalleryPicture.red[i], GalleryPicture.green[i], GalleryPicture.blue[i]));
            }
        PictureWidth = width;
        PictureHeight = height;
        ResetColourSettings();

        const Canvas norm = DrawEffectTile(k, 96, Face::Norm);
        const Canvas hover = DrawEffectTile(k, 96, Face::Hover);
        int changed = 0;
        // Inside the frame, every pixel of the picture part is the effect's.
        for (int y = 1; y < g.pictureHeight; ++y)
            for (int x = 1; x < 95; ++x) {
                const Color e =
                    AwayFromKeys(expected[static_cast<std::size_t>(y * g.sampleWidth + x)]);
                const Color n = norm.At(x, y);
                ASSERT_TRUE(n.r == e.r && n.g == e.g && n.b == e.b)
                    << "O" << k << " " << x << "," << y;
                if (x >= 6 && x < 90 && y >= 6) { // inside the wider hover frame
                    const Color h = hover.At(x, y);
                    ASSERT_TRUE(h.r == e.r && h.g == e.g && h.b == e.b) << "O" << k;
                }
                const Color s = sample.At(x, y);
                changed += s.r != e.r || s.g != e.g || s.b != e.b ? 1 : 0;
            }
        // Every effect changes the sample visibly: a tile is not the plain picture.
        EXPECT_GT(changed, 96 * g.pictureHeight / 20) << "O" << k;
    }
    // Drawing the tiles leaves the program's state as it found it.
    EXPECT_EQ(PictureWidth, width);
    EXPECT_EQ(PictureHeight, height);
    EXPECT_EQ(BrightnessStep, 10);
    EXPECT_EQ(SaturationStep, 10);
}

// The camera screen keys its buttons on black: no face of a live tile may come near it, the
// chosen face must stand out from the others, and tiles of different effects must differ.
TEST(SkingenEffects, LiveTilesKeepClearOfTheKeyAndTellTheirEffectsApart) {
    const int w = LiveEffectTileWidth, h = LiveEffectTileHeight;
    std::vector<std::vector<Color>> norms;
    for (int k = 0; k < LiveEffectChoiceCount; ++k) {
        std::vector<Color> faces[3];
        for (const Face face : {Face::Norm, Face::Hover, Face::Pressed}) {
            const Canvas c = DrawLiveEffectTile(k, w, h, face);
            ASSERT_EQ(c.Width(), w);
            ASSERT_EQ(c.Height(), h);
            for (const Color& p : c.Pixels())
                ASSERT_FALSE(NearKey(p, Rgb(0, 0, 0))) << "Live" << k;
            faces[static_cast<int>(face)] = c.Pixels();
        }
        EXPECT_FALSE(SamePixels(faces[0], faces[2])) << "Live" << k;
        EXPECT_FALSE(SamePixels(faces[1], faces[2])) << "Live" << k;
        for (std::size_t other = 0; other < norms.size(); ++other)
            EXPECT_FALSE(SamePixels(norms[other], faces[0])) << "Live" << k << " and " << other;
        norms.push_back(faces[0]);
    }
    // One caption line for each tile, each different, on the tray's own colour at its edges.
    const Canvas captions = DrawLiveEffectCaptions(LiveEffectCaptionWidth, LiveEffectCaptionHeight);
    ASSERT_EQ(captions.Height(), LiveEffectCaptionHeight * LiveCaptionLines);
    std::vector<std::vector<Color>> lines;
    for (int k = 0; k < LiveCaptionLines; ++k) {
        std::vector<Color> line;
        for (int y = 0; y < LiveEffectCaptionHeight; ++y)
            for (int x = 0; x < LiveEffectCaptionWidth; ++x)
                line.push_back(captions.At(x, k * LiveEffectCaptionHeight + y));
        for (const auto& other : lines)
            EXPECT_FALSE(SamePixels(other, line)) << "caption " << k;
        lines.push_back(line);
        const Color corner = captions.At(LiveEffectCaptionWidth - 1, k * LiveEffectCaptionHeight);
        EXPECT_TRUE(corner.r == look::Tray.r && corner.g == look::Tray.g && corner.b == look::Tray.b);
    }
}

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

std::string FileOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::vector<std::string> AllDecorationPaths() {
    std::vector<std::string> paths;
    for (const auto& list : {BackgroundArt(), StickerArt(), CoverArt()})
        for (const DecorationArt& a : list)
            paths.push_back(a.path);
    for (const DecorationArt& a : ForegroundArt()) {
        paths.push_back(a.path);
        paths.push_back(WeightsPathOf(a.path));
    }
    return paths;
}

} // namespace

TEST(SkingenDecorations, FoldersHoldPictureKindsInNameOrderWithASecondPage) {
    std::map<std::string, std::vector<std::string>> folders;
    for (const std::string& path : AllDecorationPaths()) {
        EXPECT_TRUE(IsPictureKind(FileKindOf(path.c_str()))) << path;
        EXPECT_EQ(path.find(' '), std::string::npos) << path;
        folders[FolderOf(path)].push_back(FileOf(path));
    }
    // Listed in the order the program's name sort gives, so the pages read as designed.
    for (const auto& [folder, files] : folders) {
        EXPECT_TRUE(std::is_sorted(files.begin(), files.end())) << folder;
        EXPECT_EQ(std::set<std::string>(files.begin(), files.end()).size(), files.size()) << folder;
    }
    EXPECT_GE(folders["Background"].size(), 12u);
    EXPECT_GT(folders["Ornament"].size(), 16u) << "the stickers need a second page";
    EXPECT_GE(folders["Ornament/Party"].size(), 3u);
    EXPECT_GE(folders["Cover"].size(), 4u);
    EXPECT_EQ(folders["Foreground"], folders["ForegroundB"]);
    EXPECT_GE(folders["Foreground"].size(), 4u);
    EXPECT_THROW(WeightsPathOf("Cover/01_x.png"), std::runtime_error);
}

TEST(SkingenDecorations, StickersAreBlackOutsideAndNeverSeeThroughInside) {
    for (const DecorationArt& a : StickerArt()) {
        const Canvas drawn = a.draw();
        const Canvas file = OnBlack(drawn);
        const int w = file.Width(), h = file.Height();
        EXPECT_EQ(w, h) << a.path << ": thumbnails squeeze to a square";
        EXPECT_GE(w, 80) << a.path;
        EXPECT_LE(w, 200) << a.path;
        int body = 0, edge = 0, dull = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Color p = file.At(x, y);
                const int alpha = drawn.At(x, y).a;
                if (alpha == 0) {
                    ASSERT_TRUE(IsBlack(p)) << a.path << " " << x << "," << y;
                } else if (alpha == 255) {
                    // The keyed blend shows every body pixel whole.
                    ASSERT_TRUE(KeyedOpaque(p)) << a.path << " " << x << "," << y;
                    dull += KeyedOpaque(drawn.At(x, y)) ? 0 : 1;
                    ++body;
                }
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                    edge += IsBlack(p) ? 0 : 1;
            }
        EXPECT_EQ(edge, 0) << a.path << ": the cut edge runs off the canvas";
        EXPECT_GT(body, w * h / 8) << a.path;
        // Drawn bright or saturated: only seams between parts need lifting.
        EXPECT_LT(dull, body / 200 + 1) << a.path;
    }
    // The rule itself: black is transparent, grey fringes blend, saturated darks stay.
    EXPECT_FALSE(KeyedOpaque(Rgb(0, 0, 0)));
    EXPECT_FALSE(KeyedOpaque(Rgb(100, 90, 20)));
    EXPECT_TRUE(KeyedOpaque(Rgb(100, 60, 20)));
    EXPECT_TRUE(KeyedOpaque(Rgb(0, 0, 128)));
}

TEST(SkingenDecorations, EachForegroundHasWeightsOfTheSameSize) {
    for (const DecorationArt& a : ForegroundArt()) {
        const Canvas art = a.draw();
        const DecorationSet::Overlay f{a.path, OverlayPicture(art), OverlayWeights(art)};
        ASSERT_EQ(f.picture.Width(), ForegroundWidth) << f.path;
        ASSERT_EQ(f.picture.Height(), ForegroundHeight) << f.path;
        ASSERT_EQ(f.weights.Width(), f.picture.Width()) << f.path;
        ASSERT_EQ(f.weights.Height(), f.picture.Height()) << f.path;
        EXPECT_EQ(FileOf(WeightsPathOf(f.path)), FileOf(f.path));
        long long total = 0;
        int solid = 0;
        for (const Color& w : f.weights.Pixels()) {
            ASSERT_TRUE(w.r == w.g && w.g == w.b) << f.path;
            total += w.r;
            solid += w.r >= 200 ? 1 : 0;
        }
        // Mostly the photo, with something of the decoration that really shows.
        EXPECT_LT(total, 255LL * ForegroundWidth * ForegroundHeight / 2) << f.path;
        EXPECT_GT(solid, 500) << f.path;
    }
    // The colour reaches a little past what shows, so stretching pulls in no stage grey.
    Canvas dot(9, 9, Rgb(0, 0, 0, 0));
    dot.Set(4, 4, Rgb(250, 100, 50));
    const Canvas pic = OverlayPicture(dot);
    EXPECT_EQ(pic.At(6, 4).r, 250);
    EXPECT_EQ(pic.At(0, 0).r, Rgb(72, 64, 74).r);
    EXPECT_EQ(OverlayWeights(dot).At(4, 4).g, 255);
    EXPECT_EQ(OverlayWeights(dot).At(5, 4).g, 0);
}

TEST(SkingenDecorations, CoversLetThePhotoThroughTheMiddleOnly) {
    for (const auto& [path, draw] : CoverArt()) {
        const Canvas c = OnBlack(draw());
        ASSERT_EQ(c.Width(), CoverWidth) << path;
        ASSERT_EQ(c.Height(), CoverHeight) << path;
        EXPECT_TRUE(IsBlack(c.At(CoverWidth / 2, CoverHeight / 2))) << path;
        int black = 0, light = 0;
        for (const Color& p : c.Pixels()) {
            black += IsBlack(p) ? 1 : 0;
            // Under the weighted rule a colour is as solid as it is bright.
            light += std::min({p.r, p.g, p.b}) >= 200 ? 1 : 0;
        }
        EXPECT_GT(black, CoverWidth * CoverHeight / 3) << path;
        EXPECT_GT(light, CoverWidth * CoverHeight / 20) << path;
    }
}

TEST(SkingenDecorations, BackgroundsFillThePictureAreaWithoutThePaintKey) {
    for (const auto& [path, draw] : BackgroundArt()) {
        const Canvas c = draw();
        ASSERT_EQ(c.Width(), BackgroundWidth) << path;
        ASSERT_EQ(c.Height(), BackgroundHeight) << path;
        std::vector<std::uint32_t> colours; // the first three different ones
        for (const Color& p : c.Pixels()) {
            ASSERT_FALSE(NearKey(p, Rgb(255, 255, 0))) << path;
            const auto rgb = static_cast<std::uint32_t>(p.r << 16 | p.g << 8 | p.b);
            if (colours.size() < 3 &&
                std::find(colours.begin(), colours.end(), rgb) == colours.end())
                colours.push_back(rgb);
        }
        EXPECT_GT(colours.size(), 2u) << path;
    }
}

TEST(SkingenFont, EveryWordTheSkinWritesIsInTheFont) {
    std::vector<std::string> words = {"Flimmer", "Smile!", "Pen width", "Colourfulness"};
    for (const auto& [name, size] : TableButtons())
        words.push_back(IsEffect(name) ? EffectName(std::stoi(name.substr(1))) : ButtonLabel(name));
    for (const std::string& w : words)
        for (char ch : w)
            EXPECT_TRUE(FontHas(ch)) << w << " '" << ch << "'";
    EXPECT_FALSE(FontHas('~'));
}

TEST(SkingenFont, InkStaysInsideTheMeasuredBox) {
    const TextStyle style = Style(12, Bold, Rgb(255, 255, 255));
    std::vector<std::string> texts = {"Brightness", "Hello!", "jpg 2x"};
    for (char ch = '!'; ch <= '~'; ++ch)
        if (FontHas(ch))
            texts.push_back(std::string("H") + ch + "H");
    for (const std::string& text : texts) {
        Canvas c(200, 40, Rgb(0, 0, 0));
        const double x = 20, baseline = 24, width = TextWidth(text, style);
        DrawText(c, x, baseline, text, style);
        int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
        for (int py = 0; py < c.Height(); ++py)
            for (int px = 0; px < c.Width(); ++px)
                if (!IsBlack(c.At(px, py))) {
                    minX = std::min(minX, px);
                    maxX = std::max(maxX, px);
                    minY = std::min(minY, py);
                    maxY = std::max(maxY, py);
                }
        EXPECT_NEAR(minX, x, 1.5) << text;
        EXPECT_NEAR(maxX + 1, x + width, 1.5) << text;
        EXPECT_GE(minY, baseline - style.cap - 2) << text;
        EXPECT_LE(maxY, baseline + style.cap * 0.35 + 2) << text; // descenders
    }
    // FitCap shrinks a text to the width asked for, and never grows it.
    const double cap = FitCap("Colourfulness", style, 60, 12);
    EXPECT_LT(cap, 12);
    EXPECT_NEAR(TextWidth("Colourfulness", Style(cap, Bold, Rgb(0, 0, 0))), 60, 0.5);
    EXPECT_EQ(FitCap("OK", style, 60, 12), 12);
}

TEST(SkingenShapes, CoverageIsHalfOnTheEdgeAndFullInside) {
    const Shape r = RoundRect(10, 10, 20, 10, 3);
    EXPECT_DOUBLE_EQ(r.Coverage(20, 15), 1.0);
    EXPECT_DOUBLE_EQ(r.Coverage(10, 15), 0.5);
    EXPECT_DOUBLE_EQ(r.Coverage(5, 15), 0.0);
    // The rounded corner cuts off the rectangle's corner point.
    EXPECT_DOUBLE_EQ(r.Coverage(10.2, 10.2), 0.0);
    const Shape ring = Outline(Circle(0, 0, 10), 2);
    EXPECT_DOUBLE_EQ(ring.Coverage(10, 0), 1.0);
    EXPECT_DOUBLE_EQ(ring.Coverage(0, 0), 0.0);
    const Shape cut = Minus(Circle(0, 0, 10), Circle(0, 0, 5));
    EXPECT_DOUBLE_EQ(cut.Coverage(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(cut.Coverage(7.5, 0), 1.0);
}

TEST(SkingenScreens, EachLayoutLeavesTheWholePictureAreaFree) {
    // The picture window covers the area; the background must not put anything the
    // user needs there, and must reach the layout's size exactly.
    const std::tuple<int, int, Screen> cases[] = {
        {1024, 600, Screen::Colour}, {1024, 768, Screen::Effects}, {1366, 768, Screen::Decorate}};
    for (auto [w, h, s] : cases) {
        const DisplayLayout d = ChooseLayout(w, h);
        SetTitleBarCells(d.width);
        SetBottomRowCells(d.height);
        const Rect area{d.areaOffsetX, d.areaOffsetY, d.areaWidth, d.areaHeight};
        {
            const Canvas c = DrawScreenBackground(s, {d.width, d.height, area});
            ASSERT_EQ(c.Width(), d.width);
            ASSERT_EQ(c.Height(), d.height);
            // The stage is one colour but for the placeholder word in its middle.
            const Color stage = c.At(area.x, area.y);
            int other = 0;
            for (int y = area.y; y < area.y + area.h; ++y)
                for (int x = area.x; x < area.x + area.w; ++x) {
                    const Color p = c.At(x, y);
                    other += p.r != stage.r || p.g != stage.g || p.b != stage.b ? 1 : 0;
                }
            EXPECT_LT(other, area.w * area.h / 50) << w << "x" << h;
            // Just outside the area the frame differs from the stage.
            const Color frame = c.At(area.x - 3, area.y + area.h / 2);
            EXPECT_NE(frame.r, stage.r);
        }
    }
    SetTitleBarCells(1024);
    SetBottomRowCells(600);
}
