#include "export/save_failure.h"
#include "program/temporary_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FailureText(const char* path, unsigned long error, std::size_t size = 400) {
    char out[400];
    SaveFailureText(path, error, out, size);
    return out;
}

TEST(SaveFailure, NamesTheFileTheReasonAndWhatToDoThenTheNumber) {
    EXPECT_EQ(FailureText("C:\\photos\\photo.jpg", 32),
              "Flimmer could not save photo.jpg: the file is open in another program. Close it "
              "there and save again, or choose another name.\n\nWindows error 32.");
    EXPECT_EQ(FailureText("Z:/tmp/a.bmp", 112),
              "Flimmer could not save a.bmp: the disk is full. Make some room on the disk, or "
              "choose another disk.\n\nWindows error 112.");
    // An error without words of its own still says what to try.
    EXPECT_EQ(FailureText("C:\\a.tif", 1117),
              "Flimmer could not save a.tif: Windows reported an error. Try another name or "
              "folder.\n\nWindows error 1117.");
    // The imaging library's failure has no number of the system's.
    EXPECT_EQ(FailureText("a.png", 0), "Flimmer could not save a.png: the picture could not be "
                                       "written in that format. Try another format.");
    // Too small a buffer is cut and terminated, in the sentence or in the number.
    EXPECT_EQ(FailureText("C:\\a.tif", 32, 12), "Flimmer cou");
    const std::string whole = FailureText("a.tif", 2);
    EXPECT_EQ(FailureText("a.tif", 2, whole.size() - 2), whole.substr(0, whole.size() - 3));
}

TEST(SaveFailure, SameFileNameIgnoresCaseOnly) {
    EXPECT_TRUE(SameFileName("C:\\Photos\\A.JPG", "c:\\photos\\a.jpg"));
    EXPECT_FALSE(SameFileName("C:\\photo.jpeg", "C:\\photo.jpg"));
    EXPECT_FALSE(SameFileName("C:\\photo.jpg", "C:\\photo.jpg2"));
    EXPECT_TRUE(SameFileName("", ""));
}

TEST(TemporaryNames, MadeNamesAreRecognisedWithTheirRun) {
    char name[260];
    ASSERT_TRUE(TemporaryFileName("C:\\Temp\\", "", 4242, 7, name, sizeof name));
    EXPECT_STREQ(name, "C:\\Temp\\flimmer-4242-7.tmp");
    unsigned long pid = 0;
    EXPECT_TRUE(IsTemporaryFileName("flimmer-4242-7.tmp", &pid));
    EXPECT_EQ(pid, 4242u);
    ASSERT_TRUE(TemporaryFileName("D:\\pictures", "~", 1, 4294967295UL, name, sizeof name));
    EXPECT_STREQ(name, "D:\\pictures\\~flimmer-1-4294967295.tmp");
    EXPECT_TRUE(IsTemporaryFileName("~flimmer-1-4294967295.tmp", &pid));
    EXPECT_EQ(pid, 1u);
    EXPECT_TRUE(IsTemporaryFileName("FLIMMER-9-1.TMP", &pid)); // names compare without case
    EXPECT_EQ(pid, 9u);
}

TEST(TemporaryNames, OthersFilesAreNeverTakenForOurs) {
    unsigned long pid = 99;
    for (const char* other : {"~00~1A2B.tmp", "flimmer-.tmp", "flimmer-12.tmp", "flimmer-12-.tmp",
                              "flimmer-x-1.tmp", "flimmer-1-2.tmp.bak", "flimmer-1-2.png",
                              "xflimmer-1-2.tmp", "flimmer-99999999999-1.tmp", "flimmer-1-2.tm",
                              "~~flimmer-1-2.tmp"})
        EXPECT_FALSE(IsTemporaryFileName(other, &pid)) << other;
    EXPECT_EQ(pid, 99u);
}

TEST(TemporaryNames, ANameThatDoesNotFitIsRefused) {
    const std::string folder(240, 'a');
    char name[260] = "untouched";
    // 240 + "\\" + "flimmer-123456-1.tmp" is 261 characters: one more than the field holds.
    EXPECT_FALSE(TemporaryFileName(folder.c_str(), "", 123456, 1, name, sizeof name));
    EXPECT_STREQ(name, "");
    EXPECT_TRUE(TemporaryFileName(folder.c_str(), "", 1, 1, name, sizeof name));
    EXPECT_EQ(std::string(name).size(), 256u);
}

} // namespace
