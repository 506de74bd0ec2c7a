// The asset generator's file writers and the shaped start screen.
#include "skingen/art.h"
#include "skingen/bmp_writer.h"
#include "skingen/font.h"
#include "skingen/jpeg_writer.h"
#include "skingen/png_writer.h"

#include "skin/skin_tables.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <set>
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

TEST(SkingenButtons, EveryFaceCoversTheSamePixels) {
    for (auto [name, w, h] : {std::tuple{"Close", 42, 23},
                              {"fun3", 72, 50},
                              {"Undos", 46, 29},
                              {"done", 24, 28},
                              {"Graph_JPEG", 77, 77}}) {
        const Canvas norm = DrawButton(name, w, h, Face::Norm);
        const Canvas hover = DrawButton(name, w, h, Face::Hover);
        const Canvas pressed = DrawButton(name, w, h, Face::Pressed);
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool shown = !IsBlack(norm.At(x, y));
                ASSERT_EQ(shown, !IsBlack(hover.At(x, y))) << name << " " << x << "," << y;
                ASSERT_EQ(shown, !IsBlack(pressed.At(x, y))) << name << " " << x << "," << y;
                ASSERT_EQ(shown, InButtonShape(x + 0.5, y + 0.5, w, h)) << name;
                differing += norm.At(x, y).r != hover.At(x, y).r ? 1 : 0;
            }
        EXPECT_GT(differing, w * h / 2) << name << ": hover looks like rest";
    }
}

TEST(SkingenButtons, SwappedUndoRedoNamesGetTheirActionsLabels) {
    EXPECT_EQ(ButtonLabel("Redos"), "Undo");
    EXPECT_EQ(ButtonLabel("Undos"), "Redo");
    EXPECT_EQ(ButtonLabel("SpkOFF"), "Mute");
}

TEST(SkingenButtons, EveryLabelIsInTheFont) {
    // A missing glyph would silently draw '?' on a shipped button.
    for (const SkinDescriptor* d : AllSkins)
        for (int i = 0; i < MaxSlots; ++i) {
            const std::string path = d->norm[i];
            if (path.empty())
                continue;
            std::string name = path.substr(path.rfind('\\') + 1);
            name = name.substr(0, name.rfind('.'));
            if (name.size() > 5 && name.compare(name.size() - 5, 5, "_norm") == 0)
                name.resize(name.size() - 5);
            for (char ch : ButtonLabel(name))
                EXPECT_TRUE(BuiltinFont().Has(ch)) << name << " '" << ch << "'";
        }
}
