#include "picture/history.h"
#include "picture/temporary_picture.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Removed;
void RecordRemoval(const char* path) {
    Removed.push_back(path);
}

class History : public ::testing::Test {
  protected:
    void SetUp() override {
        EmptyHistory(nullptr);
        Removed.clear();
    }
    void TearDown() override { EmptyHistory(nullptr); }
    // An edit: what the screens do after each change.
    static void Edit(const char* name) {
        DiscardRedo(RecordRemoval);
        RecordHistoryState(name, nullptr);
    }
    static int Depth() {
        int n = 0;
        for (HistoryNode* p = HistoryTop; p != nullptr; p = p->older)
            ++n;
        return n;
    }
};

TEST_F(History, NewEditAfterStepsBackDiscardsTheNewerStates) {
    Edit("a");
    Edit("b");
    Edit("c");
    EXPECT_TRUE(StepBack().moved);
    const HistoryStep s = StepBack();
    ASSERT_TRUE(s.moved);
    ASSERT_NE(s.node, nullptr);
    EXPECT_STREQ(s.node->path, "a");
    Edit("d");
    EXPECT_EQ(Removed, (std::vector<std::string>{"c", "b"}));
    EXPECT_EQ(Depth(), 2);
    EXPECT_STREQ(HistoryTop->path, "d");
    EXPECT_EQ(HistoryCursor, HistoryTop);
    EXPECT_STREQ(HistoryTop->older->path, "a");
    EXPECT_EQ(HistoryTop->older->newer, HistoryTop);
}

TEST_F(History, SteppingBelowTheBottomShowsTheEntryAndRemembersTheFloor) {
    Edit("a");
    Edit("b");
    StepBack();
    HistoryStep s = StepBack();
    EXPECT_TRUE(s.moved);
    EXPECT_EQ(s.node, nullptr); // the entry picture
    ASSERT_NE(HistoryFloor, nullptr);
    EXPECT_STREQ(HistoryFloor->path, "a");
    EXPECT_FALSE(StepBack().moved); // nothing below the entry picture
    s = StepForward();
    ASSERT_TRUE(s.moved);
    EXPECT_STREQ(s.node->path, "a");
    s = StepForward();
    EXPECT_STREQ(s.node->path, "b");
    EXPECT_FALSE(StepForward().moved); // at the top
    EXPECT_EQ(HistoryCursor, HistoryTop);
}

TEST_F(History, ClearsWithoutAFloorLeavesNothingToStepForwardTo) {
    Edit("a");
    Edit("b");
    ClearsHistory();
    EXPECT_EQ(HistoryCursor, nullptr);
    EXPECT_EQ(Depth(), 2);
    EXPECT_TRUE(Removed.empty());
    EXPECT_FALSE(StepForward().moved);
    EXPECT_EQ(HistoryCursor, nullptr);
}

TEST_F(History, ClearsAfterReachingTheBottomStepsForwardToIt) {
    Edit("a");
    StepBack();
    Edit("b"); // removes "a", the remembered floor with it
    EXPECT_EQ(HistoryFloor, nullptr);
    EXPECT_EQ(Removed, (std::vector<std::string>{"a"}));
    StepBack();
    ClearsHistory();
    const HistoryStep s = StepForward();
    ASSERT_TRUE(s.moved);
    EXPECT_STREQ(s.node->path, "b");
}

TEST_F(History, PastTheBottomThenAnEditThenClearsGoesNowhere) {
    Edit("a");
    Edit("b");
    StepBack();
    StepBack(); // cursor null, floor "a"
    Edit("c");  // every node goes, the floor included
    EXPECT_EQ(Removed, (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(Depth(), 1);
    ClearsHistory();
    EXPECT_FALSE(StepForward().moved);
    EXPECT_EQ(HistoryCursor, nullptr);
}

// A step whose file could not be written leaves the history as if it had never been recorded.
TEST_F(History, ForgettingAnEntryRelinksItsNeighboursAndMovesCursorAndFloor) {
    Edit("a");
    Edit("b");
    Edit("c");
    EXPECT_TRUE(ForgetHistoryEntry("c")); // the newest, shown: the cursor goes down with it
    EXPECT_STREQ(HistoryTop->path, "b");
    EXPECT_EQ(HistoryTop->newer, nullptr);
    EXPECT_EQ(HistoryCursor, HistoryTop);
    Edit("d");
    StepBack();
    StepBack();
    StepBack(); // below the bottom: floor "a"
    EXPECT_TRUE(ForgetHistoryEntry("a"));
    ASSERT_NE(HistoryFloor, nullptr);
    EXPECT_STREQ(HistoryFloor->path, "b");
    EXPECT_EQ(HistoryFloor->older, nullptr);
    EXPECT_TRUE(ForgetHistoryEntry("b")); // the middle of "b", "d"... now the bottom again
    EXPECT_STREQ(HistoryFloor->path, "d");
    EXPECT_FALSE(ForgetHistoryEntry("b"));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(Removed.empty()); // files are the caller's
    const HistoryStep s = StepForward();
    ASSERT_TRUE(s.moved);
    EXPECT_STREQ(s.node->path, "d");
}

TEST_F(History, EmptyStackAndEdgesChangeNothing) {
    EXPECT_FALSE(StepBack().moved);
    EXPECT_FALSE(StepForward().moved);
    EXPECT_FALSE(PopHistoryNode(&HistoryTop));
    Edit("a");
    EXPECT_FALSE(StepForward().moved);
    EXPECT_EQ(HistoryCursor, HistoryTop);
}

TEST_F(History, EmptyingDeletesFilesOnlyWhereAsked) {
    Edit("a");
    Edit("b");
    StepBack();
    StepBack();
    EmptyHistory(RecordRemoval);
    EXPECT_EQ(Removed, (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(HistoryTop, nullptr);
    EXPECT_EQ(HistoryCursor, nullptr);
    EXPECT_EQ(HistoryFloor, nullptr);
    Removed.clear();
    PushHistoryNode(&HistoryTop, "deco.png", "weights.png");
    EXPECT_STREQ(HistoryTop->secondPath, "weights.png");
    EmptyHistory(nullptr); // the Foreground's decoration files stay
    EXPECT_TRUE(Removed.empty());
    for (int code : {40, 41, 42, 43, 5})
        EXPECT_TRUE(NamesTemporaryFiles(code)) << code;
    for (int code : {44, 45, 0, 1, 2, 3, 6, -1})
        EXPECT_FALSE(NamesTemporaryFiles(code)) << code;
}

TEST_F(History, LongPathsAreCutAndTerminated) {
    const std::string longPath(400, 'x');
    ASSERT_TRUE(PushHistoryNode(&HistoryTop, longPath.c_str(), nullptr));
    EXPECT_EQ(std::string(HistoryTop->path), std::string(PathSize - 1, 'x'));
    EXPECT_EQ(HistoryTop->secondPath[0], '\0');
}

TEST(EffectStack, PushesAndPopsNewestFirst) {
    EmptyEffectStack();
    int32_t v = 0;
    EXPECT_FALSE(PopEffectNode(&EffectTop, &v));
    PushEffectNode(&EffectTop, 3);
    PushEffectNode(&EffectTop, -7);
    EXPECT_EQ(EffectTop->older->newer, EffectTop);
    ASSERT_TRUE(PopEffectNode(&EffectTop, &v));
    EXPECT_EQ(v, -7);
    EXPECT_EQ(EffectTop->newer, nullptr);
    PushEffectNode(&EffectTop, 9);
    EmptyEffectStack();
    EXPECT_EQ(EffectTop, nullptr);
}

// Temporary picture files, on real files in a folder of the test's own.
class TemporaryPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() /
            ("flimmer-pic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        name = (folder / "~00A.TMP").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string name;
};

void FillPicture(ColorPlanes& p, int salt) {
    for (int i = 0; i < PlaneCapacity; ++i) {
        p.blue[i] = static_cast<uint8_t>(i + salt);
        p.green[i] = static_cast<uint8_t>(i * 3 + salt);
        p.red[i] = static_cast<uint8_t>(i * 7 + salt);
    }
}

TEST_F(TemporaryPicture, FileHoldsTheWholeAreaWhateverThePictureSize) {
    static ColorPlanes picture, back;
    FillPicture(picture, 1);
    FillPicture(back, 99);
    // A 300 x 200 picture on the 640 x 512 layout.
    ASSERT_EQ(WriteTemporaryPicture(StandardPictureFileIo, name.c_str(), picture.blue,
                                    picture.green, picture.red, 640, 512),
              1);
    EXPECT_EQ(std::filesystem::file_size(name), 983040u);
    EXPECT_EQ(TemporaryPictureSize(640, 512), 983040u);
    EXPECT_EQ(TemporaryPictureSize(640, 640), 1228800u);
    EXPECT_EQ(TemporaryPictureSize(800, 640), 1536000u);
    ASSERT_EQ(ReadTemporaryPicture(StandardPictureFileIo, name.c_str(), back.blue, back.green,
                                   back.red, 640, 512, 0),
              1);
    EXPECT_TRUE(std::filesystem::exists(name));
    const int n = 640 * 512;
    EXPECT_EQ(std::vector<uint8_t>(back.red, back.red + n),
              std::vector<uint8_t>(picture.red, picture.red + n));
    EXPECT_EQ(back.blue[n], static_cast<uint8_t>(n + 99)); // beyond the area: untouched
    ASSERT_EQ(ReadTemporaryPicture(StandardPictureFileIo, name.c_str(), back.blue, back.green,
                                   back.red, 640, 512, 1),
              1);
    EXPECT_FALSE(std::filesystem::exists(name));
}

TEST_F(TemporaryPicture, TruncatedFileFailsIsDeletedAndLeavesAPartlyReplacedPicture) {
    static ColorPlanes picture, back;
    FillPicture(picture, 5);
    FillPicture(back, 200);
    ASSERT_EQ(WriteTemporaryPicture(StandardPictureFileIo, name.c_str(), picture.blue,
                                    picture.green, picture.red, 640, 512),
              1);
    const int n = 640 * 512;
    std::filesystem::resize_file(name, 2 * n + 1000);
    EXPECT_EQ(ReadTemporaryPicture(StandardPictureFileIo, name.c_str(), back.blue, back.green,
                                   back.red, 640, 512, 0),
              0);
    EXPECT_FALSE(std::filesystem::exists(name));
    EXPECT_EQ(back.blue[n - 1], picture.blue[n - 1]);
    EXPECT_EQ(back.green[n - 1], picture.green[n - 1]);
    EXPECT_EQ(back.red[999], picture.red[999]);
    EXPECT_EQ(back.red[1000], static_cast<uint8_t>(1000 * 7 + 200));
}

std::vector<std::string> FakeRemoved;
int FakeWrites = 0;
void* FakeOpen(const char*) {
    return nullptr;
}
void* FakeCreate(const char*) {
    return &FakeWrites;
}
std::size_t ShortWrite(void*, const uint8_t*, std::size_t n) {
    return ++FakeWrites == 2 ? n - 1 : n;
}
std::size_t NoRead(void*, uint8_t*, std::size_t) {
    return 0;
}
void FakeClose(void*) {}
void FakeRemove(const char* name) {
    FakeRemoved.push_back(name);
}

TEST(TemporaryPictureFailures, ShortWriteDeletesMissingFileIsLeftAlone) {
    FakeWrites = 0;
    FakeRemoved.clear();
    static ColorPlanes picture;
    const PictureFileIo io = {FakeCreate, FakeOpen, ShortWrite, NoRead, FakeClose, FakeRemove};
    EXPECT_EQ(WriteTemporaryPicture(io, "t", picture.blue, picture.green, picture.red, 640, 512),
              0);
    EXPECT_EQ(FakeWrites, 2); // stopped at the short plane
    EXPECT_EQ(FakeRemoved, (std::vector<std::string>{"t"}));
    FakeRemoved.clear();
    EXPECT_EQ(
        ReadTemporaryPicture(io, "gone", picture.blue, picture.green, picture.red, 640, 512, 1), 0);
    EXPECT_TRUE(FakeRemoved.empty());
    // An area the planes cannot hold is never written or read.
    EXPECT_EQ(WriteTemporaryPicture(io, "t", picture.blue, picture.green, picture.red, 801, 640),
              0);
    EXPECT_EQ(FakeWrites, 2);
}

} // namespace
