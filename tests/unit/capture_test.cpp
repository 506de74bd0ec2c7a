#include "capture/capture_frames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A frame whose every byte says which row and column it came from.
std::vector<std::uint8_t> NumberedFrame(int width, int height, int bpp) {
    std::vector<std::uint8_t> f(static_cast<std::size_t>(width) * height * bpp);
    for (std::size_t i = 0; i < f.size(); ++i)
        f[i] = static_cast<std::uint8_t>(i * 7 + i / (static_cast<std::size_t>(width) * bpp));
    return f;
}

// Row r of the result must be row height - 1 - r of the original, for every height parity.
TEST(FlipRows, RowsSwapTopToBottom) {
    for (int height : {1, 2, 480, 481}) {
        const int width = 5, bpp = 3;
        const std::vector<std::uint8_t> original = NumberedFrame(width, height, bpp);
        std::vector<std::uint8_t> f = original;
        FlipRows(f.data(), width, height, bpp);
        const std::size_t row = static_cast<std::size_t>(width) * bpp;
        for (int r = 0; r < height; ++r)
            ASSERT_EQ(
                0, std::memcmp(f.data() + row * r, original.data() + row * (height - 1 - r), row))
                << "height " << height << " row " << r;
        FlipRows(f.data(), width, height, bpp);
        EXPECT_EQ(f, original) << "height " << height;
    }
}

TEST(FlipRows, NothingMovesWithoutRowsOrPixels) {
    std::vector<std::uint8_t> f = NumberedFrame(4, 3, 3);
    const std::vector<std::uint8_t> original = f;
    FlipRows(f.data(), 4, 0, 3);
    FlipRows(f.data(), 4, -3, 3); // a top-down frame reports a negative height
    FlipRows(f.data(), 0, 3, 3);
    FlipRows(nullptr, 4, 3, 3);
    EXPECT_EQ(f, original);
}

FrameCapability Video(int w, int h) {
    return {true, true, true, 88, w, h};
}

TEST(LargestFrame, TallestWinsAndTiesKeepTheEarlier) {
    const FrameCapability caps[] = {Video(640, 480), Video(1280, 720), Video(960, 720)};
    const FrameSize s = PickLargestFrame(caps, 3);
    EXPECT_EQ(s.width, 1280);
    EXPECT_EQ(s.height, 720);
    // The width plays no part: the narrower first 720 stays.
    const FrameCapability narrowFirst[] = {Video(960, 720), Video(1280, 720), Video(1920, 480)};
    EXPECT_EQ(PickLargestFrame(narrowFirst, 3).width, 960);
}

TEST(LargestFrame, OnlyVideoInfoCapabilitiesWithTheirFormatCount) {
    FrameCapability notVideo = Video(1920, 1080);
    notVideo.video = false;
    FrameCapability otherFormat = Video(1920, 1080);
    otherFormat.videoInfo = false;
    FrameCapability noBlock = Video(1920, 1080);
    noBlock.formatPresent = false;
    FrameCapability shortBlock = Video(1920, 1080);
    shortBlock.formatSize = 87;
    const FrameCapability caps[] = {notVideo, otherFormat, noBlock, shortBlock, Video(320, 240)};
    const FrameSize s = PickLargestFrame(caps, 5);
    EXPECT_EQ(s.width, 320);
    EXPECT_EQ(s.height, 240);
    // None qualifying, or none at all: nothing is asked for.
    EXPECT_EQ(PickLargestFrame(caps, 4).height, 0);
    EXPECT_EQ(PickLargestFrame(caps, 4).width, 0);
    EXPECT_EQ(PickLargestFrame(nullptr, 0).height, 0);
}

TEST(FrameBytes, SizesAndRefusals) {
    EXPECT_EQ(FrameBytes(640, 480, 3), 921600);
    EXPECT_EQ(FrameBytes(1, 1, 4), 4);
    EXPECT_EQ(FrameBytes(0, 480, 3), -1);
    EXPECT_EQ(FrameBytes(640, -480, 3), -1);
    EXPECT_EQ(FrameBytes(640, 480, 0), -1);
    EXPECT_EQ(FrameBytes(65536, 65536, 3), -1); // past 32 bits
}

TEST(SnapshotPath, TimeStampNameInTheTemporaryFolder) {
    char name[260], path[260];
    SnapshotPath({2009, 3, 7, 14, 5, 9}, "C:\\Temp\\", name, path, sizeof name);
    EXPECT_STREQ(name, "2009-03-07_14H05M09S.png");
    EXPECT_STREQ(path, "C:\\Temp\\2009-03-07_14H05M09S.png");

    // A folder that leaves no room for the whole name is cut, never overrun.
    const std::string folder(250, 'f');
    SnapshotPath({2024, 12, 31, 23, 59, 58}, folder.c_str(), name, path, sizeof path);
    EXPECT_EQ(std::strlen(path), 259u);
    EXPECT_EQ(std::string(path), folder + std::string("2024-12-31_23H59M58S.png").substr(0, 9));
}

} // namespace
