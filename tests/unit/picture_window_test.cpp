#include "picture/compositing.h"
#include "picture/picture_window.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

class PictureWindowLogic : public ::testing::Test {
  protected:
    void SetUp() override {
        savedW = PictureWidth;
        savedH = PictureHeight;
        PictureWidth = 20;
        PictureHeight = 10;
        DecorationX = 4;
        DecorationY = 2;
        DecorationWidth = 5;
        DecorationHeight = 3;
        BlendMode = WeightedBlend;
        Dragging = 0;
        DecorationMoved = 0;
        PenStroking = false;
        for (int i = 0; i < 200; ++i) {
            BasePicture.blue[i] = 10;
            CurrentPicture.blue[i] = 10;
        }
        for (int i = 0; i < 15; ++i) {
            DecorationPicture.blue[i] = 250;
            DecorationWeights.blue[i] = 255;
            DecorationWeights.green[i] = DecorationWeights.red[i] = 0;
        }
    }
    void TearDown() override {
        PictureWidth = savedW;
        PictureHeight = savedH;
        Dragging = 0;
    }
    static int DecoratedPixels(const uint8_t* plane) {
        int n = 0;
        for (int i = 0; i < 200; ++i)
            n += plane[i] == 250;
        return n;
    }
    int savedW = 0, savedH = 0;
};

TEST_F(PictureWindowLogic, StartingValues) {
    EXPECT_EQ(KeyColor, 0x0000FFFFu); // yellow
    EXPECT_EQ(KeyWidth, 30);
    EXPECT_EQ(PenColor, ColorValue(255, 80, 255));
    EXPECT_EQ(PenWidth, 10);
}

TEST_F(PictureWindowLogic, DecorationRectangleIncludesItsRightAndBottomEdges) {
    EXPECT_TRUE(InDecorationRectangle(4, 2));
    EXPECT_TRUE(InDecorationRectangle(9, 5));
    EXPECT_FALSE(InDecorationRectangle(10, 5));
    EXPECT_FALSE(InDecorationRectangle(9, 6));
    EXPECT_FALSE(InDecorationRectangle(3, 2));
    // Inside the rectangle but at the picture's edge: the hand shows, no grab.
    DecorationX = 17;
    EXPECT_TRUE(InDecorationRectangle(20, 3));
    EXPECT_FALSE(CanGrabDecoration(20, 3));
    EXPECT_TRUE(CanGrabDecoration(19, 3));
    const PictureWindowWork w = HandlePictureInput(PictureInput::LeftDown, 42, 20, 3, true, false);
    EXPECT_EQ(Dragging, 0);
    EXPECT_TRUE(w.showCurrent); // stamped where it lies instead
    EXPECT_EQ(HandlePictureInput(PictureInput::Move, 42, 20, 3, false, false).cursor,
              PictureCursor::Hand);
}

TEST_F(PictureWindowLogic, LeftDragMovesTheDecorationCentredOnTheMouse) {
    PictureWindowWork w = HandlePictureInput(PictureInput::LeftDown, 42, 6, 3, true, false);
    EXPECT_EQ(Dragging, 1);
    EXPECT_EQ(w.cursor, PictureCursor::Hand);
    EXPECT_FALSE(w.showCurrent);
    w = HandlePictureInput(PictureInput::Move, 42, 12, 7, true, false);
    EXPECT_EQ(DecorationX, 10); // 12 - 5 / 2
    EXPECT_EQ(DecorationY, 6);  // 7 - 3 / 2
    EXPECT_TRUE(w.showCurrent);
    EXPECT_EQ(w.cursor, PictureCursor::Hand);
    EXPECT_EQ(CurrentPicture.blue[6 * 20 + 10], 250);
    EXPECT_EQ(DecoratedPixels(CurrentPicture.blue), 15);
    EXPECT_EQ(DecoratedPixels(BasePicture.blue), 0); // a left drag stamps nothing
    w = HandlePictureInput(PictureInput::Move, 42, 1, 0, true, false);
    EXPECT_EQ(DecorationX, -1);
    EXPECT_EQ(DecorationY, -1);
    EXPECT_EQ(DecoratedPixels(CurrentPicture.blue), 8); // clipped at the top-left
    HandlePictureInput(PictureInput::LeftUp, 42, 1, 1, false, false);
    EXPECT_EQ(Dragging, 0);
    EXPECT_EQ(DecorationMoved, 1);
}

TEST_F(PictureWindowLogic, RightDragLeavesATrailOfStamps) {
    PictureWindowWork w = HandlePictureInput(PictureInput::RightDown, 43, 5, 3, false, true);
    EXPECT_TRUE(w.copyToClipboard);
    EXPECT_EQ(Dragging, 1);
    HandlePictureInput(PictureInput::Move, 43, 3, 2, false, true);
    HandlePictureInput(PictureInput::Move, 43, 13, 6, false, true);
    EXPECT_EQ(DecoratedPixels(BasePicture.blue), 30);
    HandlePictureInput(PictureInput::RightUp, 43, 13, 6, false, false);
    EXPECT_EQ(Dragging, 0);
}

TEST_F(PictureWindowLogic, ClickBesideStampsTheNeverMovedDecoration) {
    const PictureWindowWork w = HandlePictureInput(PictureInput::LeftDown, 42, 15, 8, true, false);
    EXPECT_EQ(Dragging, 0);
    EXPECT_TRUE(w.showCurrent);
    EXPECT_EQ(DecoratedPixels(BasePicture.blue), 15);
    EXPECT_EQ(BasePicture.blue[2 * 20 + 4], 250);
}

TEST_F(PictureWindowLogic, PaintingScreens) {
    PictureWindowWork w = HandlePictureInput(PictureInput::Move, 40, 3, 3, true, false);
    EXPECT_EQ(w.cursor, PictureCursor::Cross);
    EXPECT_EQ(w.dot, PictureDot::Key);
    EXPECT_EQ(w.blend, PictureBlend::Decoration);
    w = HandlePictureInput(PictureInput::Move, 40, 3, 3, false, true);
    EXPECT_EQ(w.dot, PictureDot::Key);
    EXPECT_EQ(w.blend, PictureBlend::Entry);
    w = HandlePictureInput(PictureInput::Move, 40, 3, 3, false, false);
    EXPECT_EQ(w.dot, PictureDot::None);
    EXPECT_EQ(w.blend, PictureBlend::None);
    // The pen's stroke stays on the window until release; its eraser shows the entry picture.
    w = HandlePictureInput(PictureInput::Move, 41, 3, 3, true, false);
    EXPECT_EQ(w.dot, PictureDot::Pen);
    EXPECT_EQ(w.blend, PictureBlend::None);
    EXPECT_EQ(w.commit, StrokeCommit::None);
    w = HandlePictureInput(PictureInput::Move, 41, 3, 3, false, true);
    EXPECT_EQ(w.dot, PictureDot::Eraser);
    EXPECT_EQ(w.blend, PictureBlend::Entry);
    // Releases commit, even after a click without a move; Dragging is left alone there.
    Dragging = 1;
    EXPECT_EQ(HandlePictureInput(PictureInput::LeftUp, 40, 3, 3, false, false).commit,
              StrokeCommit::Paint);
    EXPECT_EQ(HandlePictureInput(PictureInput::RightUp, 41, 3, 3, false, false).commit,
              StrokeCommit::Pen);
    EXPECT_EQ(Dragging, 1);
    EXPECT_EQ(DecorationMoved, 0);
    w = HandlePictureInput(PictureInput::LeftDown, 41, 3, 3, true, false);
    EXPECT_EQ(w.cursor, PictureCursor::Cross);
    EXPECT_EQ(w.dot, PictureDot::Pen); // the pen's stroke starts with a dot where it goes down
    EXPECT_EQ(HandlePictureInput(PictureInput::LeftDown, 40, 3, 3, true, false).dot,
              PictureDot::None);
    // A right click copies the picture and rubs nothing out.
    EXPECT_EQ(HandlePictureInput(PictureInput::RightDown, 41, 3, 3, false, true).dot,
              PictureDot::None);
}

bool Same(PicturePoint a, PicturePoint b) {
    return a.x == b.x && a.y == b.y;
}

TEST(LinePoints, RunFromEndToEndInSingleSteps) {
    const PicturePoint lone{7, 4};
    const std::vector<PicturePoint> dot = LinePoints(lone, lone);
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_TRUE(Same(dot[0], lone));
    const PicturePoint ends[][2] = {{{0, 0}, {38, 0}},
                                    {{38, 5}, {0, 5}},
                                    {{3, 2}, {-4, 30}},
                                    {{10, 10}, {1, 1}},
                                    {{0, 9}, {25, 2}}};
    for (const auto& end : ends) {
        const std::vector<PicturePoint> line = LinePoints(end[0], end[1]);
        const int dx = std::abs(end[1].x - end[0].x), dy = std::abs(end[1].y - end[0].y);
        ASSERT_EQ(line.size(), static_cast<std::size_t>(std::max(dx, dy)) + 1);
        EXPECT_TRUE(Same(line.front(), end[0]));
        EXPECT_TRUE(Same(line.back(), end[1]));
        for (std::size_t i = 1; i < line.size(); ++i) {
            EXPECT_LE(std::abs(line[i].x - line[i - 1].x), 1);
            EXPECT_LE(std::abs(line[i].y - line[i - 1].y), 1);
            // Never farther than half a pixel from the true line.
            const long cross = static_cast<long>(end[1].x - end[0].x) * (line[i].y - end[0].y) -
                               static_cast<long>(end[1].y - end[0].y) * (line[i].x - end[0].x);
            EXPECT_LE(2 * std::abs(cross), std::max(dx, dy));
        }
    }
}

TEST_F(PictureWindowLogic, PenDotsRunOnFromWhereTheStrokeReached) {
    PictureWindowWork w = HandlePictureInput(PictureInput::LeftDown, 41, 2, 3, true, false);
    EXPECT_TRUE(Same(w.dotsFrom, {2, 3}));
    w = HandlePictureInput(PictureInput::Move, 41, 15, 3, true, false);
    EXPECT_EQ(w.dot, PictureDot::Pen);
    EXPECT_TRUE(Same(w.dotsFrom, {2, 3}));
    w = HandlePictureInput(PictureInput::Move, 41, 15, 9, true, false);
    EXPECT_TRUE(Same(w.dotsFrom, {15, 3}));
    HandlePictureInput(PictureInput::LeftUp, 41, 15, 9, false, false);
    // A button pressed outside the picture: the stroke starts where it comes in.
    w = HandlePictureInput(PictureInput::Move, 41, 6, 6, true, false);
    EXPECT_TRUE(Same(w.dotsFrom, {6, 6}));
    // Released outside: the next press starts a stroke of its own.
    HandlePictureInput(PictureInput::Move, 41, 1, 1, false, false);
    w = HandlePictureInput(PictureInput::Move, 41, 9, 1, true, false);
    EXPECT_TRUE(Same(w.dotsFrom, {9, 1}));
    // The eraser alike.
    HandlePictureInput(PictureInput::RightDown, 41, 5, 5, false, true);
    w = HandlePictureInput(PictureInput::Move, 41, 12, 8, false, true);
    EXPECT_EQ(w.dot, PictureDot::Eraser);
    EXPECT_TRUE(Same(w.dotsFrom, {5, 5}));
    // Painting the background in runs on the same way.
    HandlePictureInput(PictureInput::LeftUp, 41, 12, 8, false, false);
    w = HandlePictureInput(PictureInput::LeftDown, 40, 2, 2, true, false);
    EXPECT_EQ(w.dot, PictureDot::None); // a click there paints nothing
    w = HandlePictureInput(PictureInput::Move, 40, 10, 2, true, false);
    EXPECT_EQ(w.dot, PictureDot::Key);
    EXPECT_TRUE(Same(w.dotsFrom, {2, 2}));
}

TEST_F(PictureWindowLogic, DoubleClickPicksTheKeyOnlyOnTheBackgroundScreen) {
    PictureWindowWork w = HandlePictureInput(PictureInput::LeftDoubleClick, 40, 3, 3, true, false);
    EXPECT_TRUE(w.pickKeyColor);
    EXPECT_EQ(w.blend, PictureBlend::Decoration);
    w = HandlePictureInput(PictureInput::LeftDoubleClick, 41, 3, 3, true, false);
    EXPECT_FALSE(w.pickKeyColor);
    EXPECT_EQ(w.blend, PictureBlend::None);
}

TEST_F(PictureWindowLogic, OtherScreensOnlyCopyAndEndDrags) {
    for (int code : {0, 1, 2, 3, 44, 45, 5, 6}) {
        PictureWindowWork w = HandlePictureInput(PictureInput::Move, code, 6, 3, true, true);
        EXPECT_EQ(w.cursor, PictureCursor::Unchanged) << code;
        EXPECT_EQ(w.dot, PictureDot::None);
        w = HandlePictureInput(PictureInput::LeftDown, code, 6, 3, true, false);
        EXPECT_FALSE(w.showCurrent);
        w = HandlePictureInput(PictureInput::RightDown, code, 6, 3, false, true);
        EXPECT_TRUE(w.copyToClipboard) << code;
        EXPECT_EQ(Dragging, 0) << code;
        Dragging = 1;
        HandlePictureInput(PictureInput::LeftUp, code, 6, 3, false, false);
        EXPECT_EQ(Dragging, 0);
        EXPECT_EQ(DecorationMoved, 0);
    }
    EXPECT_EQ(DecoratedPixels(BasePicture.blue), 0);
}

} // namespace
