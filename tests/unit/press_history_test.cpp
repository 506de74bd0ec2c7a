#include "effects/colour_adjust.h"
#include "effects/press_history.h"
#include "picture/history.h"

#include <gtest/gtest.h>

namespace {

// The colour screen's way of taking a press.
void Press(int code) {
    DropRedoPresses();
    ApplyColourPress(code, false);
    ASSERT_TRUE(PushEffectNode(&EffectTop, code));
    EffectCursor = EffectTop;
}

void Undo() {
    if (const int code = UndoPress())
        ApplyColourPress(code, true);
}

void Redo() {
    if (const int code = RedoPress())
        ApplyColourPress(code, false);
}

class PressHistory : public ::testing::Test {
  protected:
    void SetUp() override {
        PictureWidth = 2;
        PictureHeight = 2;
        EmptyEffectStack();
        BrightnessStep = 10;
        SaturationStep = 10;
        HueShift = 0;
    }
    void TearDown() override { EmptyEffectStack(); }
};

TEST_F(PressHistory, NewPressAfterUndoDropsTheUndonePresses) {
    Press(BrightnessPlus);
    Press(BrightnessPlus);
    Press(SaturationMinus);
    Undo();
    Undo();
    EXPECT_EQ(BrightnessStep, 11);
    EXPECT_EQ(SaturationStep, 10);
    Press(HuePlus);
    EXPECT_EQ(HueShift, 10);
    Redo(); // nothing left to redo
    EXPECT_EQ(BrightnessStep, 11);
    EXPECT_EQ(SaturationStep, 10);
    int depth = 0;
    for (EffectNode* n = EffectTop; n != nullptr; n = n->older)
        ++depth;
    EXPECT_EQ(depth, 2);
}

TEST_F(PressHistory, RedoAfterUndoingEverythingStartsAtTheOldestPress) {
    Press(BrightnessMinus);
    Press(HueMinus);
    EXPECT_EQ(HueShift, 360); // below 0 wraps to 360
    Undo();
    Undo();
    Undo(); // nothing more to undo
    EXPECT_EQ(BrightnessStep, 10);
    EXPECT_EQ(HueShift, 0);
    Redo();
    EXPECT_EQ(BrightnessStep, 9);
    EXPECT_EQ(HueShift, 0);
    Redo();
    EXPECT_EQ(HueShift, 360);
    Redo();
    EXPECT_EQ(HueShift, 360);
}

TEST_F(PressHistory, PressAfterUndoingEverythingForgetsTheOldestPress) {
    Press(SaturationPlus);
    Undo();
    Press(BrightnessPlus); // drops the remembered oldest press too
    Undo();
    EXPECT_EQ(BrightnessStep, 10);
    Redo();
    EXPECT_EQ(BrightnessStep, 11);
    EXPECT_EQ(SaturationStep, 10);
}

TEST_F(PressHistory, HueWrapsBothWaysAndUndoes) {
    HueShift = 350;
    Press(HuePlus);
    EXPECT_EQ(HueShift, 360);
    Undo();
    EXPECT_EQ(HueShift, 350);
    HueShift = 360;
    Press(HuePlus);
    EXPECT_EQ(HueShift, 0);
    Undo();
    EXPECT_EQ(HueShift, 360);
}

} // namespace
