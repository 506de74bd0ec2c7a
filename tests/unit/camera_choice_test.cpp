#include "capture/camera_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

FrameCapability Video(int w, int h) {
    return {true, true, true, 88, w, h};
}

const std::vector<std::string> Cameras = {"Desk Camera", "Laptop Camera", "Desk Camera 2"};

TEST(CameraChoice, RememberedCameraByExactNameElseTheFirst) {
    EXPECT_EQ(ChooseCamera(Cameras, "Laptop Camera"), 1);
    EXPECT_EQ(ChooseCamera(Cameras, "Desk Camera 2"), 2);
    // Gone, a prefix of another, another case, nothing remembered: the first device.
    EXPECT_EQ(ChooseCamera(Cameras, "Phone Camera"), 0);
    EXPECT_EQ(ChooseCamera(Cameras, "Desk"), 0);
    EXPECT_EQ(ChooseCamera(Cameras, "laptop camera"), 0);
    EXPECT_EQ(ChooseCamera(Cameras, ""), 0);
    EXPECT_EQ(ChooseCamera(Cameras, nullptr), 0);
    EXPECT_EQ(ChooseCamera({}, "Laptop Camera"), -1);
}

TEST(CameraChoice, NextCameraGoesRoundAndSurvivesOddInput) {
    EXPECT_EQ(NextCamera(0, 3), 1);
    EXPECT_EQ(NextCamera(2, 3), 0);
    EXPECT_EQ(NextCamera(0, 1), 0);
    EXPECT_EQ(NextCamera(-1, 3), 0);
    EXPECT_EQ(NextCamera(7, 3), 0);
    EXPECT_EQ(NextCamera(0, 0), -1);
}

TEST(CameraSizes, LargestFirstEachOnceAndTheFirstIsTheDefaultPick) {
    const FrameCapability caps[] = {Video(640, 480),  Video(960, 720), Video(320, 240),
                                    Video(1280, 720), Video(640, 480), Video(638, 480)};
    const std::vector<FrameSize> sizes = OfferedSizes(caps, 6);
    const std::vector<std::string> got = [&] {
        std::vector<std::string> s;
        for (FrameSize f : sizes)
            s.push_back(SizeText(f));
        return s;
    }();
    EXPECT_EQ(got, (std::vector<std::string>{"960x720", "1280x720", "640x480", "638x480",
                                             "320x240"}));
    const FrameSize largest = PickLargestFrame(caps, 6);
    EXPECT_EQ(sizes[ChooseSize(sizes, nullptr)].width, largest.width);
    EXPECT_EQ(sizes[ChooseSize(sizes, nullptr)].height, largest.height);
}

TEST(CameraSizes, OnlyQualifyingCapabilitiesAreOffered) {
    FrameCapability otherFormat = Video(1920, 1080);
    otherFormat.videoInfo = false;
    FrameCapability shortBlock = Video(1600, 1200);
    shortBlock.formatSize = 87;
    const FrameCapability caps[] = {otherFormat, shortBlock, Video(0, 480), Video(320, 240)};
    const std::vector<FrameSize> sizes = OfferedSizes(caps, 4);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(SizeText(sizes[0]), "320x240");
    EXPECT_TRUE(OfferedSizes(caps, 0).empty());
    EXPECT_EQ(ChooseSize({}, "320x240"), -1);
}

TEST(CameraSizes, RememberedSizeWhenOfferedElseTheLargest) {
    const std::vector<FrameSize> sizes = {{1280, 720}, {640, 480}, {638, 480}};
    EXPECT_EQ(ChooseSize(sizes, "640x480"), 1);
    EXPECT_EQ(ChooseSize(sizes, "638 x 480"), 2);
    EXPECT_EQ(ChooseSize(sizes, "1920x1080"), 0); // no longer offered
    for (const char* bad : {"", "640", "640x", "x480", "640x480x3", "-640x480", "640x480 px"})
        EXPECT_EQ(ChooseSize(sizes, bad), 0) << bad;
    // Each press steps to the next smaller size, then round to the largest.
    EXPECT_EQ(NextSize(0, 3), 1);
    EXPECT_EQ(NextSize(1, 3), 2);
    EXPECT_EQ(NextSize(2, 3), 0);
    FrameSize parsed{};
    ASSERT_TRUE(ParseSize(SizeText({638, 480}).c_str(), parsed));
    EXPECT_EQ(parsed.width, 638);
    EXPECT_EQ(parsed.height, 480);
}

TEST(CameraNoticeRule, LostWinsThenSilenceAfterItsTime) {
    EXPECT_EQ(NoticeFor(true, false, 2999, 3000), CameraNotice::None);
    EXPECT_EQ(NoticeFor(true, false, 3000, 3000), CameraNotice::Silent);
    EXPECT_EQ(NoticeFor(false, false, 60000, 3000), CameraNotice::None);
    EXPECT_EQ(NoticeFor(false, true, 0, 3000), CameraNotice::Disconnected);
    EXPECT_EQ(NoticeFor(true, true, 60000, 3000), CameraNotice::Disconnected);
}

} // namespace
