#include "skin/skin_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string FileName(const char* path) {
    const char* cut = std::strrchr(path, '\\');
    return cut ? cut + 1 : path;
}

// The tables are program-wide and rewritten in place (cells, digit, program folder): every test
// puts all of it back, so that none sees what another left and the order does not matter.
class SkinTables : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int k = 0; k < SkinCount; ++k)
            savedSkins[k] = *AllSkins[k];
        std::memcpy(savedSpeakers, SpeakerPaths, sizeof SpeakerPaths);
        std::memcpy(savedHover, HoverMaskPath, sizeof HoverMaskPath);
        std::memcpy(savedSelection, SelectionMaskPath, sizeof SelectionMaskPath);
    }
    void TearDown() override {
        for (int k = 0; k < SkinCount; ++k)
            *AllSkins[k] = savedSkins[k];
        std::memcpy(SpeakerPaths, savedSpeakers, sizeof SpeakerPaths);
        std::memcpy(HoverMaskPath, savedHover, sizeof HoverMaskPath);
        std::memcpy(SelectionMaskPath, savedSelection, sizeof SelectionMaskPath);
    }
    SkinDescriptor savedSkins[SkinCount]; // the fixture lives on the heap, not the stack
    char savedSpeakers[6][PathSize];
    char savedHover[PathSize], savedSelection[PathSize];
};

TEST_F(SkinTables, SlotCountsOfEveryScreen) {
    const struct {
        const SkinDescriptor* skin;
        int n, m;
    } expected[] = {{&SkinChild00, 5, 5},   {&SkinChild01, 26, 26}, {&SkinChild02, 14, 14},
                    {&SkinChild03, 18, 18}, {&SkinChild40, 18, 34}, {&SkinChild41, 17, 17},
                    {&SkinChild4x, 17, 33}, {&SkinChild05, 25, 25}, {&SkinChild06, 11, 11}};
    for (const auto& e : expected) {
        EXPECT_EQ(e.skin->N, e.n) << e.skin->background;
        EXPECT_EQ(e.skin->M, e.m) << e.skin->background;
    }
}

TEST_F(SkinTables, PictureNamesFollowTheButtons) {
    EXPECT_EQ(FileName(SkinChild00.background), "Dlg0.bmp");
    EXPECT_EQ(FileName(SkinChild02.norm[9]), "Milus_norm.PNG");
    EXPECT_EQ(FileName(SkinChild4x.push[16]), "done_push.PNG");
    EXPECT_EQ(FileName(SkinChild40.hi[11]), "fun3_hi.PNG");
    EXPECT_EQ(FileName(SkinChild05.norm[8]), "O0.png");
    EXPECT_EQ(FileName(SkinChild05.hi[22]), "O14h.jpg");
    EXPECT_EQ(FileName(SkinChild05.push[22]), "O14.jpg");
    EXPECT_EQ(FileName(SkinChild06.norm[6]), "Graph_JPEG_norm.PNG");
    EXPECT_STREQ(SkinChild00.norm[3], "\\xDialog\\0\\Button\\SpkON_norm.PNG");
    EXPECT_STREQ(SkinChild05.norm[23], "");
    EXPECT_STREQ(SkinChild06.norm[10], "");
    EXPECT_STREQ(SkinChild40.norm[18], ""); // thumbnails have no pictures of their own
}

TEST_F(SkinTables, ThumbnailAndEffectGrids) {
    // Thumbnail 0 is slot 18 on the Background screen, slot 17 on the others.
    EXPECT_EQ(SkinChild40.x[18], 36);
    EXPECT_EQ(SkinChild40.y[18], 194);
    EXPECT_EQ(SkinChild4x.x[17], 36);
    EXPECT_EQ(SkinChild4x.y[17], 194);
    // Thumbnail 15.
    EXPECT_EQ(SkinChild40.x[33], 36 + 70 * 3);
    EXPECT_EQ(SkinChild40.y[33], 194 + 70 * 3);
    EXPECT_EQ(SkinChild4x.width[32], 64);
    // O14 at column 2, row 4.
    EXPECT_EQ(SkinChild05.x[22], 221);
    EXPECT_EQ(SkinChild05.y[22], 438);
    EXPECT_EQ(SkinChild05.width[23], 0);
    EXPECT_EQ(SkinChild41.x[16], 152); // the pen screen's colour button
}

TEST_F(SkinTables, InitialTitleBarCellsUseWidth1024) {
    EXPECT_EQ(SkinChild05.x[0], 975);
    EXPECT_EQ(SkinChild02.x[1], 946);
    EXPECT_EQ(SkinChild06.x[2], 917);
    EXPECT_EQ(SkinChild41.x[3], 881);
    EXPECT_EQ(SkinChild01.x[0], 975);
    EXPECT_EQ(SkinChild01.x[1], 939);
    EXPECT_EQ(SkinChild00.x[0], 316); // the start screen never moves
}

TEST_F(SkinTables, RunTimeCellsFollowTheLayout) {
    SetTitleBarCells(1366);
    SetBottomRowCells(768);
    EXPECT_EQ(SkinChild05.x[0], 1317);
    EXPECT_EQ(SkinChild05.y[4], 710);
    EXPECT_EQ(SkinChild4x.y[7], 720);
    EXPECT_EQ(SkinChild01.x[1], 1281);
    EXPECT_EQ(SkinChild01.y[2], 710);
    EXPECT_EQ(SkinChild01.y[4], 720);
    EXPECT_EQ(SkinChild01.y[CameraSlot::Mirror], 720);
    EXPECT_EQ(SkinChild01.y[CameraSlot::Countdown], 720);
    EXPECT_EQ(SkinChild01.y[CameraSlot::Strip], 720);
    EXPECT_EQ(SkinChild06.y[4], 720);
    EXPECT_EQ(SkinChild06.y[5], 80); // export buttons other than Exit stay
    // The camera choosers span the wider panel: from x 24 to 14 short of its edge at 427.
    EXPECT_EQ(SkinChild01.x[CameraSlot::CameraName], 24);
    EXPECT_EQ(SkinChild01.x[CameraSlot::CameraSize] + SkinChild01.width[CameraSlot::CameraSize],
              413);
    SetTitleBarCells(1024);
    SetBottomRowCells(600);
    EXPECT_EQ(SkinChild05.x[0], 975);
    EXPECT_EQ(SkinChild05.y[4], 542);
    EXPECT_EQ(SkinChild02.y[5], 552);
    EXPECT_EQ(SkinChild06.y[4], 552);
    // Name, gap, size, inside the panel that ends at 336, under the heading at any height.
    const int name = CameraSlot::CameraName, size = CameraSlot::CameraSize;
    EXPECT_EQ(SkinChild01.x[name], 24);
    EXPECT_EQ(SkinChild01.x[name] + SkinChild01.width[name] + 8, SkinChild01.x[size]);
    EXPECT_EQ(SkinChild01.x[size] + SkinChild01.width[size], 322);
    EXPECT_GE(SkinChild01.width[size], 110);                     // "1920 x 1080" beside its sign
    EXPECT_GT(SkinChild01.width[name], SkinChild01.width[size]); // names are the longer
    for (int slot : {name, size}) {
        EXPECT_EQ(SkinChild01.y[slot], 166);
        EXPECT_EQ(SkinChild01.y[slot] + SkinChild01.height[slot], 200);
    }
}

TEST_F(SkinTables, HitTestIncludesLeftTopEdgesOnly) {
    // OK of the start screen: (257, 307) 50 x 50.
    EXPECT_TRUE(HitSlot(SkinChild00, 2, 257, 307));
    EXPECT_TRUE(HitSlot(SkinChild00, 2, 306, 356));
    EXPECT_FALSE(HitSlot(SkinChild00, 2, 307, 330));
    EXPECT_FALSE(HitSlot(SkinChild00, 2, 280, 357));
    EXPECT_EQ(SlotAtPoint(SkinChild00, 260, 310), 2);
    EXPECT_EQ(SlotAtPoint(SkinChild00, 10, 10), -1);
    // Empty gallery slots can never be hit, not even at the origin.
    EXPECT_FALSE(HitSlot(SkinChild05, 23, 0, 0));
    EXPECT_FALSE(HitSlot(SkinChild05, 24, 0, 0));
}

// One sequence, as the program runs it: the folder first, then the digit and the speaker.
TEST_F(SkinTables, AbsolutePathsDigitAndSpeakerPictures) {
    MakeSkinPathsAbsolute("C:\\Apps");
    EXPECT_STREQ(SkinChild00.background, "C:\\Apps\\xDialog\\0\\DialogBox\\Dlg0.bmp");
    EXPECT_STREQ(HoverMaskPath, "C:\\Apps\\xDialog\\0\\Button\\IconMask.bmp");
    EXPECT_STREQ(SkinChild05.norm[23], "C:\\Apps");
    EXPECT_STREQ(SkinChild06.push[10], "C:\\Apps");
    EXPECT_STREQ(SkinChild40.norm[20], ""); // thumbnail rows untouched
    EXPECT_STREQ(SpeakerPaths[0], "\\xDialog\\0\\Button\\SpkON_norm.PNG");

    SetSkinDigit(6);
    EXPECT_STREQ(SkinChild03.background, "C:\\Apps\\xDialog\\6\\DialogBox\\Dlg3x.PNG");
    EXPECT_STREQ(SkinChild05.hi[12], "C:\\Apps\\xDialog\\6\\Button\\O4h.jpg");
    EXPECT_STREQ(SpeakerPaths[5], "\\xDialog\\6\\Button\\SpkOFF_push.PNG");
    EXPECT_STREQ(SelectionMaskPath, "C:\\Apps\\xDialog\\0\\Button\\IconMaskP.bmp");

    SetSpeakerPictures(SkinChild01, SpeakerSlotCamera, 1, "C:\\Apps");
    EXPECT_STREQ(SkinChild01.norm[4], "C:\\Apps\\xDialog\\6\\Button\\SpkOFF_norm.PNG");
    SetSpeakerPictures(SkinChild01, SpeakerSlotCamera, 0, "C:\\Apps");
    EXPECT_STREQ(SkinChild01.push[4], "C:\\Apps\\xDialog\\6\\Button\\SpkON_push.PNG");
    // The countdown button follows the skin set and shows whether the countdown is on.
    SetCountdownPictures(SkinChild01, CameraSlot::Countdown, true, "C:\\Apps");
    EXPECT_STREQ(SkinChild01.hi[CameraSlot::Countdown],
                 "C:\\Apps\\xDialog\\6\\Button\\TimerOn_hi.PNG");
    SetCountdownPictures(SkinChild01, CameraSlot::Countdown, false, "C:\\Apps");
    EXPECT_STREQ(SkinChild01.norm[CameraSlot::Countdown],
                 "C:\\Apps\\xDialog\\6\\Button\\TimerOff_norm.PNG");

    SetSkinDigit(0);
    EXPECT_STREQ(SkinChild03.background, "C:\\Apps\\xDialog\\0\\DialogBox\\Dlg3x.PNG");
}

} // namespace
