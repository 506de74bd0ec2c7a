#include "effects/colour_adjust.h"
#include "effects/warp.h"
#include "picture/press_history.h"
#include "picture/history.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

namespace {

void Press(int code) { ASSERT_FALSE(PressColour(code).memoryFull); }

void Undo() { UndoColourPress(); }

void Redo() { RedoColourPress(); }

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

// Clears takes back every press at once: the settings come back without the picture being made
// again press by press, and the presses stay for redo.
TEST_F(PressHistory, UndoingAllPressesRestoresTheSettingsAndKeepsThemForRedo) {
    Press(BrightnessPlus);
    Press(HueMinus);
    Press(SaturationMinus);
    CurrentPicture.blue[0] = 77; // not recomputed by the undo
    UndoAllColourPresses();
    EXPECT_EQ(BrightnessStep, 10);
    EXPECT_EQ(SaturationStep, 10);
    EXPECT_EQ(HueShift, 0);
    EXPECT_EQ(CurrentPicture.blue[0], 77);
    EXPECT_FALSE(UndoColourPress());
    Redo();
    EXPECT_EQ(BrightnessStep, 11);
    Redo();
    EXPECT_EQ(HueShift, 360);
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

namespace {

class WarpPresses : public ::testing::Test {
  protected:
    void SetUp() override {
        EmptyEffectStack();
        ResetWarpSettings();
    }
    void TearDown() override { EmptyEffectStack(); }
    static void Press(int code) { ASSERT_FALSE(PressWarp(code).memoryFull); }
};

TEST_F(WarpPresses, CodesStepTheirOwnSetting) {
    const int start[5] = {WarpTurnX, WarpTurnY, WarpTurnZ, WarpScaleX, WarpScaleY};
    for (int code = FirstWarpCode; code <= LastWarpCode; ++code)
        Press(code);
    // Each setting went up and down once.
    EXPECT_EQ(WarpTurnX, start[0]);
    EXPECT_EQ(WarpScaleY, start[4]);
    Press(12); // spin +1
    Press(15); // width -1
    EXPECT_EQ(WarpTurnZ, start[2] + 1);
    EXPECT_EQ(WarpScaleX, start[3] - 1);
    const int code = UndoPress();
    EXPECT_EQ(code, 15);
    ChangeWarpSetting(code, true);
    EXPECT_EQ(WarpScaleX, start[3]);
}

TEST_F(WarpPresses, ThreeTiltsTwoUndosAndANewPress) {
    Press(8);
    Press(8);
    Press(8);
    UndoWarpPress();
    UndoWarpPress();
    EXPECT_EQ(WarpTurnX, 1);
    Press(10);
    EXPECT_EQ(RedoPress(), 0); // the undone tilts are gone for good
    EXPECT_EQ(WarpTurnX, 1);
    EXPECT_EQ(WarpTurnY, 1);
}

TEST_F(WarpPresses, SettingsOutsideTheGuardRangeStayAndAreNotRecorded) {
    WarpTurnX = 32766;
    Press(8);
    EXPECT_EQ(WarpTurnX, 32767);
    Press(8); // now outside: no change, no record
    EXPECT_EQ(WarpTurnX, 32767);
    EXPECT_EQ(EffectTop->older, nullptr);
    // An undo of a setting that has left the range changes nothing either.
    EXPECT_FALSE(UndoWarpPress());
    EXPECT_EQ(WarpTurnX, 32767);
    WarpScaleY = -32766;
    Press(17);
    EXPECT_EQ(WarpScaleY, -32766);
}

} // namespace
