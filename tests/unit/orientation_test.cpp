#include "skin/orientation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Grid {
    int width, height;
    std::vector<int> cells; // row by row
    int at(int x, int y) const { return cells[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const Grid&) const = default;
};

// The imaging library's rotate-flip: quarter turns clockwise, then a left-right mirror.
Grid Apply(const Grid& g, RotateFlip turn) {
    Grid out = g;
    for (int k = 0; k < (turn & 3); ++k) {
        const Grid from = out;
        out.width = from.height;
        out.height = from.width;
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                out.cells[static_cast<std::size_t>(y * out.width + x)] =
                    from.at(y, from.height - 1 - x);
    }
    if (turn & 4) {
        const Grid from = out;
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                out.cells[static_cast<std::size_t>(y * out.width + x)] =
                    from.at(out.width - 1 - x, y);
    }
    return out;
}

// The picture as the EXIF standard says to show it: orientation o names the sides of the
// view on which the stored first row and first column lie.
Grid Shown(const Grid& stored, int o) {
    enum Side { Top, Bottom, Left, Right };
    static const Side row0[9] = {Top, Top, Top, Bottom, Bottom, Left, Right, Right, Left};
    static const Side col0[9] = {Left, Left, Right, Right, Left, Top, Top, Bottom, Bottom};
    const bool across = row0[o] == Left || row0[o] == Right; // stored rows become columns
    Grid out{across ? stored.height : stored.width, across ? stored.width : stored.height,
             stored.cells};
    for (int y = 0; y < stored.height; ++y)
        for (int x = 0; x < stored.width; ++x) {
            const int rowAt = row0[o] == Top || row0[o] == Left ? y : stored.height - 1 - y;
            const int colAt = col0[o] == Left || col0[o] == Top ? x : stored.width - 1 - x;
            const int vx = across ? rowAt : colAt, vy = across ? colAt : rowAt;
            out.cells[static_cast<std::size_t>(vy * out.width + vx)] = stored.at(x, y);
        }
    return out;
}

TEST(Orientation, EachTurnShowsThePictureAsTheStandardSays) {
    const Grid stored{3, 2, {1, 2, 3, 4, 5, 6}};
    for (int o = 1; o <= 8; ++o)
        EXPECT_EQ(Apply(stored, UprightTurn(o)), Shown(stored, o)) << o;
    for (int o : {0, 9, -1, 0xFFFF})
        EXPECT_EQ(UprightTurn(o), RotateNoneFlipNone) << o;
}

// SOI, a JFIF block, an EXIF block (big-endian) whose first directory holds a width and the
// orientation, then the picture data.
std::vector<uint8_t> JpegHead(uint8_t type, uint8_t orientation) {
    // clang-format off
    return {0xFF, 0xD8,
            0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0,
            0xFF, 0xE1, 0, 46, 'E', 'x', 'i', 'f', 0, 0,
            'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2,
            0x01, 0x00, 0, 3, 0, 0, 0, 1, 0x02, 0x80, 0, 0,
            0x01, 0x12, 0, type, 0, 0, 0, 1, 0, orientation, 0, 0,
            0, 0, 0, 0,
            0xFF, 0xDA, 0, 2, 0x12, 0x34};
    // clang-format on
}

int Read(const std::vector<uint8_t>& head, std::size_t size) {
    const std::vector<uint8_t> exact(head.begin(), head.begin() + static_cast<long>(size));
    return JpegOrientation(exact.data(), exact.size());
}

TEST(Orientation, ReadFromTheJpegsExifBlock) {
    // clang-format off
    const std::vector<uint8_t> little = {0xFF, 0xD8,
                                         0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0,
                                         'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                         0x12, 0x01, 3, 0, 1, 0, 0, 0, 8, 0, 0, 0,
                                         0, 0, 0, 0};
    // clang-format on
    EXPECT_EQ(Read(little, little.size()), 8);
    for (auto [type, value, read] : {std::tuple{3, 6, 6}, {3, 9, 1}, {3, 0, 1}, {4, 6, 1}})
        EXPECT_EQ(Read(JpegHead(type, value), JpegHead(type, value).size()), read) << value;

    // No EXIF block before the picture data, and a file that is no JPEG.
    const auto exif = JpegHead(3, 6);
    std::vector<uint8_t> late = {0xFF, 0xD8, 0xFF, 0xDA, 0, 2};
    late.insert(late.end(), exif.begin() + 20, exif.end());
    EXPECT_EQ(Read(late, late.size()), StoredUpright);
    std::vector<uint8_t> png = exif;
    png[0] = 0x89;
    EXPECT_EQ(Read(png, png.size()), StoredUpright);

    // A head cut anywhere reads nothing beyond its end, and the orientation once its entry is in.
    const std::size_t entryEnd = 30 + 8 + 2 + 2 * 12;
    for (std::size_t n = 0; n <= exif.size(); ++n)
        EXPECT_EQ(Read(exif, n), n >= entryEnd ? 6 : StoredUpright) << n;
}

// The frame header's count of components decides which JPEGs are read straight from the codec.
TEST(JpegComponents, ReadFromTheFrameHeaderAfterTheOtherBlocks) {
    // Huffman tables (C4) look like a frame marker and are not one; then a baseline frame.
    const auto head = [](uint8_t frame, uint8_t components) {
        std::vector<uint8_t> h = JpegHead(3, 1);
        h.resize(h.size() - 6); // the picture data comes after the frame
        const std::vector<uint8_t> rest = {0xFF, 0xC4, 0,    3,    0x00,       0xFF, frame, 0, 8, 8,
                                           0x0B, 0xB8, 0x0F, 0xA0, components, 0xFF, 0xDA,  0, 2};
        h.insert(h.end(), rest.begin(), rest.end());
        return h;
    };
    for (auto [frame, components] : {std::pair{0xC0, 3}, {0xC2, 1}, {0xC1, 4}}) {
        const auto h = head(static_cast<uint8_t>(frame), static_cast<uint8_t>(components));
        EXPECT_EQ(JpegComponents(h.data(), h.size()), components) << frame;
        // Cut before its count, the frame header says nothing.
        for (std::size_t n = 0; n < h.size() - 4; ++n) {
            const std::vector<uint8_t> cut(h.begin(), h.begin() + static_cast<long>(n));
            ASSERT_EQ(JpegComponents(cut.data(), cut.size()), 0) << n;
        }
    }
    const auto noFrame = JpegHead(3, 6);
    EXPECT_EQ(JpegComponents(noFrame.data(), noFrame.size()), 0);
}

} // namespace
