#include "decorations/catalogue.h"
#include "decorations/decoration_screens.h"
#include "decorations/thumbnail_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ---- a real tree on disk, seen through the program's backslash paths ----

std::string Native(const char* path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

int DiskLookUp(const char* path, unsigned long* error) {
    struct stat st;
    if (stat(Native(path).c_str(), &st) != 0) {
        *error = 2;
        return LookupFailed;
    }
    return S_ISDIR(st.st_mode) ? LookupFolder : LookupFile;
}

// readdir's order is whatever the file system keeps; shuffled on top so that nothing can
// depend on it.
bool DiskSearch(const char* folder, void (*add)(void*, const char*, bool), void* sink) {
    DIR* dir = opendir(Native(folder).c_str());
    if (dir == nullptr)
        return false;
    std::vector<std::pair<std::string, bool>> entries;
    while (dirent* e = readdir(dir)) {
        struct stat st;
        const std::string full = Native(folder) + "/" + e->d_name;
        entries.emplace_back(e->d_name, stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
    }
    closedir(dir);
    std::mt19937 random(static_cast<unsigned>(entries.size()) * 7919u);
    std::shuffle(entries.begin(), entries.end(), random);
    for (const auto& [name, isFolder] : entries)
        add(sink, name.c_str(), isFolder);
    return true;
}

int MemoryFullCalls = 0;
void CountMemoryFull() {
    ++MemoryFullCalls;
}

const FolderSource Disk = {DiskLookUp, DiskSearch, CountMemoryFull};

struct Listed {
    FileList* head = nullptr;
    FileList* tail = nullptr;
    int count = -7;
    ListingResult result{};
    ~Listed() { RemoveAllPaths(&head, &tail); }
    std::vector<std::string> Paths(const std::string& root) const {
        std::vector<std::string> out;
        for (const FileList* p = head; p != nullptr; p = p->next) {
            std::string s = p->path;
            out.push_back(s.rfind(root, 0) == 0 ? s.substr(root.size()) : s);
        }
        return out;
    }
};

class MadeTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("flimmer-decorations-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        // The program's paths: backslashes below the root.
        programRoot_ = root_.string();
    }
    void TearDown() override { fs::remove_all(root_); }
    void File(const std::string& relative) {
        const fs::path p = root_ / relative;
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "x";
    }
    void Folder(const std::string& relative) { fs::create_directories(root_ / relative); }
    std::string Path(const std::string& relative) const {
        std::string p = programRoot_ + "\\" + relative;
        std::replace(p.begin() + static_cast<long>(programRoot_.size()), p.end(), '/', '\\');
        return p;
    }
    void List(Listed& l, const std::string& relative) {
        l.result = ListPictureFilesFrom(Disk, Path(relative).c_str(), &l.count, &l.head, &l.tail);
    }

    fs::path root_;
    std::string programRoot_;
};

TEST_F(MadeTree, BreadthFirstFilesBeforeSubfoldersSortedByName) {
    for (const char* f : {"Deco/zz.png", "Deco/b.png", "Deco/A.jpg", "Deco/e.Gif", "Deco/f.BMP",
                          "Deco/g.tif", "Deco/c.jpeg", "Deco/h.tiff", "Deco/notes.txt", "Deco/png",
                          "Deco/.hidden.png", "Deco/asub/a1.bmp", "Deco/asub/inner/i.png",
                          "Deco/asub/.secret/s.png", "Deco/zsub/z1.png", "Deco/zsub/ysub/deep.png",
                          "Deco/.git/x.png", "Deco/folder.png/in.png"})
        File(f);
    Folder("Deco/empty");
    Listed l;
    List(l, "Deco");
    EXPECT_EQ(l.result.lookup, LookupFolder);
    const std::vector<std::string> expected = {"\\Deco\\A.jpg",
                                               "\\Deco\\b.png",
                                               "\\Deco\\c.jpeg",
                                               "\\Deco\\e.Gif",
                                               "\\Deco\\f.BMP",
                                               "\\Deco\\g.tif",
                                               "\\Deco\\h.tiff",
                                               "\\Deco\\zz.png",
                                               "\\Deco\\asub\\a1.bmp",
                                               "\\Deco\\folder.png\\in.png",
                                               "\\Deco\\zsub\\z1.png",
                                               "\\Deco\\asub\\inner\\i.png",
                                               "\\Deco\\zsub\\ysub\\deep.png"};
    EXPECT_EQ(l.Paths(programRoot_), expected);
    EXPECT_EQ(l.count, 13);
    EXPECT_EQ(MemoryFullCalls, 0);
    // First in, first out.
    RemoveFirstPath(&l.head);
    ASSERT_NE(l.head, nullptr);
    EXPECT_EQ(std::string(l.head->path), Path("Deco/b.png"));
}

TEST_F(MadeTree, AppendsAfterWhatTheListAlreadyHoldsAndRestartsTheCount) {
    File("One/a.png");
    File("Two/b.png");
    File("Two/c.png");
    Listed l;
    List(l, "One");
    List(l, "Two");
    EXPECT_EQ(l.Paths(programRoot_),
              (std::vector<std::string>{"\\One\\a.png", "\\Two\\b.png", "\\Two\\c.png"}));
    EXPECT_EQ(l.count, 2); // the Foreground's shared count ends as the second folder's
}

TEST_F(MadeTree, MissingFolderEmptyFolderAndAFileInstead) {
    File("Cover");
    Folder("Empty");
    Listed l;
    List(l, "Nothing");
    EXPECT_EQ(l.result.lookup, LookupFailed);
    EXPECT_NE(l.result.error, 0u);
    EXPECT_EQ(l.count, -7);
    EXPECT_EQ(l.head, nullptr);
    List(l, "Cover");
    EXPECT_EQ(l.result.lookup, LookupFile);
    EXPECT_EQ(l.count, 1);
    EXPECT_EQ(l.head, nullptr);
    List(l, "Empty");
    EXPECT_EQ(l.result.lookup, LookupFolder);
    EXPECT_EQ(l.count, 0);
    EXPECT_EQ(l.head, nullptr);
}

// ---- a tree in memory, for what a disk cannot easily show ----

std::map<std::string, std::vector<std::pair<std::string, bool>>> Memory;

int MemoryLookUp(const char* path, unsigned long* error) {
    if (Memory.count(path) != 0)
        return LookupFolder;
    *error = 3;
    return LookupFailed;
}

bool MemorySearch(const char* folder, void (*add)(void*, const char*, bool), void* sink) {
    const auto it = Memory.find(folder);
    if (it == Memory.end())
        return false;
    for (const auto& [name, isFolder] : it->second)
        add(sink, name.c_str(), isFolder);
    return true;
}

const FolderSource InMemory = {MemoryLookUp, MemorySearch, CountMemoryFull};

TEST(Catalogue, UnsearchableSubfolderAndOverlongPathsAreLeftOut) {
    const std::string longName(251, 'n');
    Memory = {{"C:\\P",
               {{".", true},
                {"..", true},
                {"gone", true},
                {"ok", true},
                {longName + ".png", false},
                {"x.PNG", false}}},
              {"C:\\P\\ok", {{".", true}, {"..", true}, {"y.gif", false}}}};
    FileList* head = nullptr;
    FileList* tail = nullptr;
    int count = 0;
    const ListingResult r = ListPictureFilesFrom(InMemory, "C:\\P", &count, &head, &tail);
    EXPECT_EQ(r.lookup, LookupFolder);
    std::vector<std::string> paths;
    for (const FileList* p = head; p != nullptr; p = p->next)
        paths.push_back(p->path);
    // "C:\P\" + 255 characters does not fit a path field: cut short it would name another file.
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\P\\x.PNG", "C:\\P\\ok\\y.gif"}));
    EXPECT_EQ(count, 2);
    RemoveAllPaths(&head, &tail);
    EXPECT_EQ(tail, nullptr);
}

// ---- pages ----

struct Skins {
    std::unique_ptr<SkinDescriptor> dlg4{new SkinDescriptor{}};
    std::unique_ptr<SkinDescriptor> dlg40{new SkinDescriptor{}};
};

struct OwnedList {
    FileList* head = nullptr;
    FileList* tail = nullptr;
    OwnedList(const std::string& prefix, int n) {
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(
                AppendPathNode((prefix + std::to_string(i) + ".png").c_str(), &tail, &head));
    }
    ~OwnedList() { RemoveAllPaths(&head, &tail); }
};

TEST(ThumbnailPages, SixteenFilesAreOnePageSeventeenAreTwo) {
    EXPECT_EQ(PageAfterPgDn(0, 16), 0);
    EXPECT_EQ(PageAfterPgDn(0, 17), 1);
    EXPECT_EQ(PageAfterPgDn(1, 17), 1);
    EXPECT_EQ(PageAfterPgDn(0, 0), 0);
    EXPECT_EQ(PageAfterPgUp(0), 0);
    EXPECT_EQ(PageAfterPgUp(1), 0);

    Skins skins;
    OwnedList list("o", 17);
    std::strcpy(skins.dlg40->hi[18 + 3], "stale");
    RecordPagePaths(list.head, 16, NormTable, RowsOf4x, *skins.dlg4, *skins.dlg40);
    EXPECT_STREQ(skins.dlg4->norm[17], "o16.png");
    for (int s = 1; s < ThumbnailCount; ++s) {
        EXPECT_EQ(skins.dlg4->norm[17 + s][0], '\0') << s;
        EXPECT_EQ(skins.dlg4->hi[17 + s][0], '\0') << s;
        EXPECT_EQ(skins.dlg40->norm[18 + s][0], '\0') << s;
        EXPECT_EQ(skins.dlg40->hi[18 + s][0], '\0') << s;
    }
    // Page 0 of the Background screen writes its own rows, 18 to 33.
    RecordPagePaths(list.head, 0, NormTable, RowsOf40, *skins.dlg4, *skins.dlg40);
    EXPECT_STREQ(skins.dlg40->norm[18], "o0.png");
    EXPECT_STREQ(skins.dlg40->norm[33], "o15.png");
    EXPECT_STREQ(skins.dlg4->norm[17], "o16.png"); // untouched: that slot had an entry
    // A page past the end empties every slot.
    RecordPagePaths(list.head, 32, NormTable, RowsOf40, *skins.dlg4, *skins.dlg40);
    EXPECT_EQ(skins.dlg40->norm[18][0], '\0');
    EXPECT_EQ(skins.dlg4->norm[17][0], '\0');
}

TEST(ThumbnailPages, ForegroundPicturesPairWithTheKthWeightsPicture) {
    Skins skins;
    OwnedList pictures("F", 3);
    OwnedList weights("B", 2);
    RecordForegroundPagePaths(pictures.head, weights.head, 0, *skins.dlg4, *skins.dlg40);
    EXPECT_STREQ(skins.dlg4->norm[17], "F0.png");
    EXPECT_STREQ(skins.dlg4->hi[17], "B0.png");
    EXPECT_STREQ(skins.dlg4->norm[18], "F1.png");
    EXPECT_STREQ(skins.dlg4->hi[18], "B1.png");
    EXPECT_STREQ(skins.dlg4->norm[19], "F2.png");
    EXPECT_EQ(skins.dlg4->hi[19][0], '\0'); // no weights picture for the third
    EXPECT_EQ(skins.dlg4->norm[20][0], '\0');

    // Fewer pictures than weights: the spare weights are not left behind in the slot.
    OwnedList one("F", 1);
    RecordForegroundPagePaths(one.head, weights.head, 0, *skins.dlg4, *skins.dlg40);
    EXPECT_STREQ(skins.dlg4->norm[17], "F0.png");
    EXPECT_STREQ(skins.dlg4->hi[17], "B0.png");
    EXPECT_EQ(skins.dlg4->norm[18][0], '\0');
    EXPECT_EQ(skins.dlg4->hi[18][0], '\0');
}

TEST(ThumbnailPages, PlacementSqueezesLongSidesAndCentresShortOnes) {
    const ThumbnailPlacement wide = PlaceThumbnail(200, 50);
    EXPECT_EQ(wide.x, 0);
    EXPECT_EQ(wide.y, 7);
    EXPECT_EQ(wide.width, 64);
    EXPECT_EQ(wide.height, 50);
    const ThumbnailPlacement small = PlaceThumbnail(32, 32);
    EXPECT_EQ(small.x, 16);
    EXPECT_EQ(small.y, 16);
    EXPECT_EQ(small.width, 32);
    EXPECT_EQ(small.height, 32);
    const ThumbnailPlacement odd = PlaceThumbnail(63, 1000);
    EXPECT_EQ(odd.x, 0); // (64 - 63) / 2
    EXPECT_EQ(odd.width, 63);
    EXPECT_EQ(odd.height, 64);
    // The slots: four columns and rows 70 apart, the first at (36, 194).
    EXPECT_EQ(ThumbnailSlotX(5), 106);
    EXPECT_EQ(ThumbnailSlotY(5), 264);
    EXPECT_EQ(ThumbnailSlotX(15), 246);
    EXPECT_EQ(ThumbnailSlotY(15), 404);
}

TEST(DecorationScreens, PenWidthsStopAt65AndAt0) {
    int w = 10;
    for (int i = 0; i < 55; ++i)
        w = EnlargedWidth(w);
    EXPECT_EQ(w, 65);
    EXPECT_EQ(EnlargedWidth(65), 65);
    EXPECT_EQ(EnlargedWidth(64), 65);
    EXPECT_EQ(ReducedWidth(1), 0);
    EXPECT_EQ(ReducedWidth(0), 0);
    w = 30;
    for (int i = 0; i < 100; ++i)
        w = ReducedWidth(w);
    EXPECT_EQ(w, 0);
}

} // namespace
