#include "capture/file_dialog.h"
#include "export/bmp_header.h"
#include "export/output_names.h"
#include "skin/file_kind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(BmpHeader, NumbersAtEachDisplayDepth) {
    const BmpLayout a = LayoutBmp(100, 10, 24);
    EXPECT_EQ(a.imageSize, 3000u);
    EXPECT_EQ(a.offBits, 54u);
    EXPECT_EQ(a.fileSize, 3054u);
    EXPECT_EQ(a.colourCount, 0u);

    EXPECT_EQ(LayoutBmp(101, 10, 24).imageSize, 3040u); // rows of 303 bytes padded to 304

    const BmpLayout c = LayoutBmp(100, 10, 16);
    EXPECT_EQ(c.colourCount, 65536u);
    EXPECT_EQ(c.offBits, 262198u);
    EXPECT_EQ(c.imageSize, 2000u);
    EXPECT_EQ(LayoutBmp(101, 10, 16).imageSize, 2040u);

    const BmpLayout d = LayoutBmp(100, 10, 32);
    EXPECT_EQ(d.imageSize, 4000u);
    EXPECT_EQ(d.offBits, 54u);
    EXPECT_EQ(LayoutBmp(101, 10, 32).imageSize, 4040u);
}

TEST(BmpHeader, BitClassRoundsUp) {
    const int in[] = {1, 2, 4, 5, 8, 9, 15, 16, 17, 24, 25, 32, 48};
    const int out[] = {1, 4, 4, 8, 8, 16, 16, 16, 24, 24, 32, 32, 32};
    for (size_t i = 0; i < sizeof in / sizeof in[0]; ++i)
        EXPECT_EQ(BitClassOf(in[i]), out[i]) << in[i];
    EXPECT_EQ(LayoutBmp(8, 1, 1).colourCount, 2u);
    EXPECT_EQ(LayoutBmp(8, 1, 8).colourCount, 256u);
}

TEST(BmpHeader, FileHeaderBytes) {
    uint8_t h[14];
    WriteBmpFileHeader(LayoutBmp(100, 10, 16), h);
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(h[2] | h[3] << 8 | h[4] << 16 | h[5] << 24, 264198);
    EXPECT_EQ(h[10] | h[11] << 8 | h[12] << 16 | h[13] << 24, 262198);
    EXPECT_EQ(h[6] | h[7] | h[8] | h[9], 0);
}

std::string Replaced(std::string path, const char* ext, size_t size = 260) {
    std::vector<char> buffer(size, '\0');
    std::strncpy(buffer.data(), path.c_str(), size - 1);
    ReplaceExtension(buffer.data(), ext, size);
    return buffer.data();
}

TEST(OutputNames, ExtensionOfTheFileNameIsReplaced) {
    EXPECT_EQ(Replaced("C:\\pics\\a.png", "jpg"), "C:\\pics\\a.jpg");
    EXPECT_EQ(Replaced("photo.JPG", "jpg"), "photo.jpg");
    EXPECT_EQ(Replaced("photo.jpeg", "jpg"), "photo.jpg"); // not photo.jjpg
    EXPECT_EQ(Replaced("b.tiff", "tif"), "b.tif");
    EXPECT_EQ(Replaced("C:\\my.folder\\photo", "png"), "C:\\my.folder\\photo.png");
    EXPECT_EQ(Replaced("photo", "bmp"), "photo.bmp");
    EXPECT_EQ(Replaced("a.b.c", "tif"), "a.b.tif");
    // Never past the buffer: the name is cut, still terminated.
    EXPECT_EQ(Replaced("abcdefgh", "png", 10), "abcdefgh.");
}

TEST(OutputNames, TimeStampsAndLastFolder) {
    char name[260];
    TimeStampName({2009, 3, 7, 14, 5, 9}, ".PNG", name, sizeof name);
    EXPECT_STREQ(name, "2009-03-07_14H05M09S.PNG");
    char folder[260];
    LastFolderOf("C:\\photo.jpg", folder, sizeof folder);
    EXPECT_STREQ(folder, "C:");
    LastFolderOf("C:\\photos\\x.jpg", folder, sizeof folder);
    EXPECT_STREQ(folder, "C:\\photos");
    LastFolderOf("photo.jpg", folder, sizeof folder);
    EXPECT_STREQ(folder, "");
    LastFolderOf("\\photo.jpg", folder, sizeof folder); // a separator at index 0 does not count
    EXPECT_STREQ(folder, "");
    LastFolderOf("", folder, sizeof folder);
    EXPECT_STREQ(folder, "");
}

std::vector<std::string> Pairs(const char* filter) {
    std::vector<std::string> parts;
    for (const char* p = filter; *p != '\0'; p += std::strlen(p) + 1)
        parts.emplace_back(p);
    return parts;
}

TEST(FileDialog, FiltersAreDoubleZeroTerminatedPairs) {
    const auto open = Pairs(DialogFilter(OpenAnyPicture));
    ASSERT_EQ(open.size(), 14u);
    EXPECT_EQ(open[0], "Graph Files ");
    EXPECT_EQ(open[1], "*.bmp;*.gif;*.jpg;*.jpeg;*.jfif;*.png;*.tif;*.tiff");
    EXPECT_EQ(open[12], "All Files (*.*)");
    EXPECT_EQ(open[13], "*.*");
    const auto tiff = Pairs(DialogFilter(SaveTiff));
    ASSERT_EQ(tiff.size(), 2u);
    EXPECT_EQ(tiff[0], "TIFF Files (*.TIF)");
    EXPECT_EQ(tiff[1], "*.tif");
}

std::vector<std::string> SortedPatterns(const std::string& list) {
    std::vector<std::string> patterns;
    std::size_t start = 0;
    for (std::size_t end; (end = list.find(';', start)) != std::string::npos; start = end + 1)
        patterns.push_back(list.substr(start, end - start));
    patterns.push_back(list.substr(start));
    std::sort(patterns.begin(), patterns.end());
    return patterns;
}

// The dialog offers exactly the names that the program then takes as pictures.
TEST(FileDialog, OpenPatternsAreThePictureKinds) {
    const auto open = Pairs(DialogFilter(OpenAnyPicture));
    std::string single; // each kind's own patterns, before "All Files"
    for (std::size_t i = 3; i + 2 < open.size(); i += 2)
        single += (single.empty() ? "" : ";") + open[i];
    EXPECT_EQ(SortedPatterns(open[1]), SortedPatterns(single));
    for (const std::string& p : SortedPatterns(single))
        EXPECT_TRUE(IsPictureKind(FileKindOf(("C:\\x" + p.substr(1)).c_str()))) << p;
}

} // namespace
