#include "common/message_text.h"
#include "common/text.h"
#include "program/layout.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>

namespace {

TEST(Layout, RefusesDisplaysBelow1024x600) {
    EXPECT_FALSE(DisplayTooSmall(1024, 600));
    EXPECT_TRUE(DisplayTooSmall(1023, 768));
    EXPECT_TRUE(DisplayTooSmall(1280, 599));
    EXPECT_TRUE(DisplayTooSmall(1000, 600));
}

TEST(Layout, ChoosesTheLayoutFromTheDisplay) {
    struct Case {
        int dw, dh, width, height, skinSet, ax, ay, aw, ah, exact;
    };
    const Case cases[] = {
        {1024, 600, 1024, 600, 0, 352, 49, 640, 512, 0},
        {1280, 720, 1024, 600, 0, 352, 49, 640, 512, 1},
        {1024, 768, 1024, 768, 3, 352, 62, 640, 640, 0},
        {1280, 1024, 1024, 768, 3, 352, 62, 640, 640, 1},
        {1359, 768, 1024, 768, 3, 352, 62, 640, 640, 1},
        {1360, 768, 1366, 768, 6, 443, 62, 800, 640, 1},
        {1366, 768, 1366, 768, 6, 443, 62, 800, 640, 0},
        {1920, 1080, 1366, 768, 6, 443, 62, 800, 640, 1},
    };
    for (const Case& c : cases) {
        const DisplayLayout l = ChooseLayout(c.dw, c.dh);
        EXPECT_EQ(l.width, c.width) << c.dw << "x" << c.dh;
        EXPECT_EQ(l.height, c.height) << c.dw << "x" << c.dh;
        EXPECT_EQ(l.skinSet, c.skinSet) << c.dw << "x" << c.dh;
        EXPECT_EQ(l.areaOffsetX, c.ax);
        EXPECT_EQ(l.areaOffsetY, c.ay);
        EXPECT_EQ(l.areaWidth, c.aw);
        EXPECT_EQ(l.areaHeight, c.ah);
        EXPECT_EQ(IsExactDisplayValue(c.dw, c.dh), c.exact) << c.dw << "x" << c.dh;
    }
}

TEST(Layout, PictureIsCentredInTheArea) {
    SetLayoutValues(ChooseLayout(1024, 768));
    int x = 0, y = 0;
    CentredPicturePosition(500, 400, x, y);
    EXPECT_EQ(x, 422);
    EXPECT_EQ(y, 182);
    CentredPicturePosition(641, 640, x, y); // halves truncate toward zero
    EXPECT_EQ(x, 352);
    EXPECT_EQ(y, 62);
    SetLayoutValues(ChooseLayout(1024, 600));
}

TEST(ScreenTable, CodesClassesAndCounts) {
    EXPECT_STREQ(ScreenTable[0].className, "Child00");
    EXPECT_STREQ(ScreenTable[12].className, "ChildImage");
    EXPECT_EQ(ScreenIdOfCode(40), BackgroundScreenId);
    EXPECT_EQ(ScreenIdOfCode(5), GalleryScreenId);
    EXPECT_EQ(ScreenIdOfCode(6), ExportScreenId);
    EXPECT_EQ(ScreenIdOfCode(4), -1);
    EXPECT_EQ(ScreenIdOfCode(-1), -1);
    // What a screen releases when it hands over, and what a display change releases.
    const int slots[] = {5, 26, 14, 18, 34, 17, 33, 33, 33, 33, 25, 11};
    const int loaded[] = {5, 26, 14, 18, 18, 17, 17, 17, 17, 17, 25, 11};
    for (int id = 0; id < PictureScreenId; ++id) {
        EXPECT_EQ(ScreenSlotCount(id), slots[id]) << id;
        EXPECT_EQ(ScreenLoadedCount(id), loaded[id]) << id;
    }
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(ScreenTable[DecorationScreenOfSelector(k)].screenCode, 40 + k);
    EXPECT_TRUE(ScreenHasThumbnails(BackgroundScreenId));
    EXPECT_FALSE(ScreenHasThumbnails(PenScreenId));
    EXPECT_TRUE(ScreenHasThumbnails(CoverScreenId));
    EXPECT_FALSE(ScreenHasThumbnails(GalleryScreenId));
}

TEST(Text, BoundedCopiesAlwaysTerminate) {
    char small[8];
    CopyText(small, "abcdefghijkl", sizeof small);
    EXPECT_STREQ(small, "abcdefg");
    AppendText(small, "xyz", sizeof small);
    EXPECT_STREQ(small, "abcdefg");
    char path[16] = "\\xDialog\\0";
    PrefixText(path, "C:\\Apps", sizeof path);
    EXPECT_STREQ(path, "C:\\Apps\\xDialog");
    char folder[16];
    FolderOfPath("C:\\Apps\\x.exe", folder, sizeof folder);
    EXPECT_STREQ(folder, "C:\\Apps");
    FolderOfPath("x.exe", folder, sizeof folder);
    EXPECT_STREQ(folder, "");
    FolderOfPath("C:\\a-very-long-folder\\x.exe", folder, sizeof folder);
    EXPECT_EQ(std::string(folder), "C:\\a-very-long-");
}

TEST(Text, FieldsWithoutTerminatorOrRoomStayInBounds) {
    // A field that lost its terminator is cut to its last byte, not left open.
    char field[8];
    std::memset(field, 'x', sizeof field);
    AppendText(field, "y", sizeof field);
    EXPECT_EQ(std::string(field), "xxxxxxx");
    // A field of no size gets nothing, not even when the path has a folder.
    char none[4] = "abc";
    FolderOfPath("C:\\Apps\\x.exe", none, 0);
    EXPECT_STREQ(none, "abc");
}

std::string Format(const char* format, ...) {
    char text[MessageTextSize];
    va_list args;
    va_start(args, format);
    FormatMessageText(text, format, args);
    va_end(args);
    return text;
}

TEST(Text, MessagesAreCutAt1023Characters) {
    EXPECT_EQ(Format("RegCreateKeyEx, Error Code=%i", 5), "RegCreateKeyEx, Error Code=5");
    const std::string long_text(3000, 'x');
    EXPECT_EQ(Format("%s", long_text.c_str()).size(), 1023u);
}

std::string Report(const char* sentence, const char* format, ...) {
    char text[MessageTextSize];
    std::memset(text, 'z', sizeof text);
    va_list args;
    va_start(args, format);
    FormatReportText(text, sentence, format, args);
    va_end(args);
    return text;
}

TEST(Text, ReportsPutTheDetailAfterABlankLineWithinTheSameBound) {
    EXPECT_EQ(Report("It failed. Try again.", "Error Code=%i", 5),
              "It failed. Try again.\n\nError Code=5");
    const std::string long_text(3000, 'x');
    EXPECT_EQ(Report("Short.", "%s", long_text.c_str()), "Short.\n\n" + long_text.substr(0, 1015));
    // A sentence that fills the box leaves no room for the detail, and is still terminated.
    EXPECT_EQ(Report(long_text.c_str(), "%s", "detail"), long_text.substr(0, 1023));
}

TEST(ColorPlanes, CopyPlaneCopiesOnlyThePictureSize) {
    static ColorPlanes a, b;
    PictureWidth = 3;
    PictureHeight = 2;
    for (int i = 0; i < 8; ++i) {
        a.red[i] = static_cast<uint8_t>(i + 1);
        b.red[i] = 0;
    }
    CopyPlane(a.red, b.red);
    EXPECT_EQ(b.red[5], 6);
    EXPECT_EQ(b.red[6], 0);
    PictureWidth = 0;
    b.red[0] = 0;
    CopyPlane(a.red, b.red);
    EXPECT_EQ(b.red[0], 0);
}

} // namespace
