#include "capture/capture_frames.h"
#include "capture/frame_mailbox.h"
#include "effects/resample.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

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

// A grabber frame with padded rows whose pixels say where they are; the padding is poison.
std::vector<std::uint8_t> GrabberFrame(int width, int height) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> f(stride * height, 0xEE);
    for (int r = 0; r < height; ++r)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 3; ++k)
                f[stride * r + 3 * x + k] = static_cast<std::uint8_t>(x * 3 + r * 11 + k * 101);
    return f;
}

// Pixel (x, y) of the shown picture, read straight from the stored rows.
const std::uint8_t* Reference(const std::vector<std::uint8_t>& f, int width, int height, int x,
                              int y, bool topDown, bool mirror) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const int row = topDown ? y : height - 1 - y, column = mirror ? width - 1 - x : x;
    return f.data() + stride * row + 3 * column;
}

TEST(UprightFrame, PaddedRowsEitherOrderAndMirrorMatchTheReference) {
    for (int width : {1, 641, 642, 643, 1366})
        for (bool topDown : {false, true})
            for (bool mirror : {false, true}) {
                const int height = 5;
                const std::vector<std::uint8_t> f = GrabberFrame(width, height);
                std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * 3 * height);
                ASSERT_TRUE(UprightFrame(f.data(), f.size(), width, height, 3, topDown, mirror,
                                         out.data()));
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_EQ(
                            0, std::memcmp(&out[3 * (static_cast<std::size_t>(y) * width + x)],
                                           Reference(f, width, height, x, y, topDown, mirror), 3))
                            << width << " " << topDown << mirror << " at " << x << "," << y;
            }
}

TEST(UprightFrame, ShortSourceWritesNothing) {
    const int width = 642, height = 4;
    const std::vector<std::uint8_t> f = GrabberFrame(width, height);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * 3 * height, 7);
    // The last row needs no padding: one byte less than its pixels is too short.
    EXPECT_TRUE(UprightFrame(f.data(), f.size() - 2, width, height, 3, false, false, out.data()));
    std::fill(out.begin(), out.end(), 7);
    EXPECT_FALSE(UprightFrame(f.data(), f.size() - 3, width, height, 3, false, false, out.data()));
    EXPECT_FALSE(UprightFrame(f.data(), f.size(), width, 0, 3, false, false, out.data()));
    EXPECT_EQ(out, std::vector<std::uint8_t>(out.size(), 7));
}

// The preview shows what the snapshot's load makes of the same upright frame.
TEST(FitFrame, AsTheSnapshotArrives) {
    static ColorPlanes fitted, reference;
    for (auto [width, height] : {std::pair{643, 481}, std::pair{1283, 721}}) {
        const std::vector<std::uint8_t> f = GrabberFrame(width, height);
        std::vector<std::uint8_t> upright(static_cast<std::size_t>(width) * 3 * height);
        ASSERT_TRUE(
            UprightFrame(f.data(), f.size(), width, height, 3, false, true, upright.data()));
        int w = 0, h = 0;
        ASSERT_TRUE(FitFrame(upright.data(), width, height, 640, 512, fitted.blue, fitted.green,
                             fitted.red, w, h));
        // 643 x 481 is wider than the area: 99 %; 1283 x 721 fits at 49 %.
        const int p = width == 643 ? 99 : 49;
        EXPECT_EQ(w, ScaledSize(p, width));
        EXPECT_EQ(h, ScaledSize(p, height));
        const std::size_t all = static_cast<std::size_t>(width) * height;
        std::vector<std::uint8_t> b(all), g(all), r(all);
        UnpackPixelsReference(upright.data(), static_cast<std::size_t>(width) * 3, width, height,
                              24, b.data(), g.data(), r.data());
        int rw = width, rh = height;
        ASSERT_TRUE(ResamplePlanes(b.data(), g.data(), r.data(), p, p, reference.blue,
                                   reference.green, reference.red, rw, rh));
        const std::size_t n = static_cast<std::size_t>(w) * h;
        EXPECT_EQ(0, std::memcmp(fitted.red, reference.red, n)) << width;
        EXPECT_EQ(0, std::memcmp(fitted.blue, reference.blue, n)) << width;
    }
    // A frame that fits is shown pixel for pixel.
    const std::vector<std::uint8_t> small = GrabberFrame(321, 241);
    std::vector<std::uint8_t> upright(321 * 3 * 241);
    ASSERT_TRUE(UprightFrame(small.data(), small.size(), 321, 241, 3, true, false, upright.data()));
    int w = 0, h = 0;
    ASSERT_TRUE(
        FitFrame(upright.data(), 321, 241, 640, 512, fitted.blue, fitted.green, fitted.red, w, h));
    EXPECT_EQ(w, 321);
    EXPECT_EQ(h, 241);
    EXPECT_EQ(fitted.green[321 * 240 + 320], Reference(small, 321, 241, 320, 240, true, false)[1]);
}

std::vector<std::uint8_t> Filled(std::uint8_t v) {
    return std::vector<std::uint8_t>(4096, v);
}

TEST(FrameMailbox, NewestFrameWinsAndOneAnnouncementAtATime) {
    FrameMailbox box;
    const auto one = Filled(1), two = Filled(2), three = Filled(3);
    EXPECT_FALSE(PutFrame(box, one.data(), one.size())) << "closed";
    OpenMailbox(box);
    EXPECT_TRUE(PutFrame(box, one.data(), one.size()));
    EXPECT_FALSE(PutFrame(box, two.data(), two.size())) << "already announced";
    std::vector<std::uint8_t> taken;
    ASSERT_TRUE(TakeFrame(box, taken));
    EXPECT_EQ(taken, two);
    EXPECT_FALSE(TakeFrame(box, taken)) << "a stale announcement finds nothing";
    // A lost announcement lets the next frame announce again.
    EXPECT_TRUE(PutFrame(box, three.data(), three.size()));
    AnnouncementLost(box);
    EXPECT_TRUE(PutFrame(box, one.data(), one.size()));
    CloseMailbox(box);
    EXPECT_FALSE(TakeFrame(box, taken));
    EXPECT_FALSE(PutFrame(box, two.data(), two.size()));
}

// A frame taken while the other thread writes is always one whole frame.
TEST(FrameMailbox, FramesAreNeverTornAcrossThreads) {
    FrameMailbox box;
    OpenMailbox(box);
    std::atomic<bool> done{false};
    std::atomic<int> announcements{0};
    std::thread camera([&] {
        for (int n = 0; n < 3000; ++n) {
            const auto frame = Filled(static_cast<std::uint8_t>(n));
            if (PutFrame(box, frame.data(), frame.size()))
                ++announcements;
        }
        done = true;
    });
    int taken = 0;
    std::vector<std::uint8_t> frame;
    for (;;) {
        const bool finished = done;
        if (TakeFrame(box, frame)) {
            ++taken;
            ASSERT_EQ(frame, Filled(frame[0]));
        } else if (finished) {
            break;
        }
    }
    camera.join();
    EXPECT_GT(taken, 0);
    EXPECT_LE(announcements.load(), taken + 1);
}

} // namespace
