#include "skin/file_kind.h"
#include "skin/region_runs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FileKind, ThreeLetterExtensionsAndTheLongPictureNames) {
    EXPECT_EQ(FileKindOf("C:\\a\\photo.JpG"), JpgKind);
    EXPECT_EQ(FileKindOf("photo.jpeg"), JpgKind);
    EXPECT_EQ(FileKindOf("C:\\a.b\\photo.JFIF"), JpgKind);
    EXPECT_EQ(FileKindOf("scan.Tiff"), TifKind);
    EXPECT_EQ(FileKindOf(".tiff"), TifKind);
    EXPECT_EQ(FileKindOf("page.html"), UnknownKind);
    EXPECT_EQ(FileKindOf("photo.jpegs"), UnknownKind);
    EXPECT_EQ(FileKindOf("photo.jpg.tmp"), UnknownKind);
    EXPECT_EQ(FileKindOf("jpeg"), UnknownKind);
    EXPECT_EQ(FileKindOf("x.EPC"), EpcKind);
    EXPECT_EQ(FileKindOf("bmp"), UnknownKind);
    EXPECT_EQ(FileKindOf(".gif"), GifKind);
    EXPECT_EQ(FileKindOf("archive.tar"), UnknownKind);
    EXPECT_EQ(FileKindOf(""), UnknownKind);
    EXPECT_TRUE(IsPictureKind(FileKindOf("a.tif")));
    EXPECT_FALSE(IsPictureKind(FileKindOf("a.exe")));
    EXPECT_FALSE(IsPictureKind(FileKindOf("a.epc")));
}

TEST(FileKind, FitPercentOnlyReduces) {
    EXPECT_EQ(FitPercent(600, 480, 300, 240), 50);
    EXPECT_EQ(FitPercent(200, 100, 300, 240), 100);
    EXPECT_EQ(FitPercent(900, 240, 300, 240), 33);
    EXPECT_EQ(FitPercent(0, 5, 300, 240), 100);
    EXPECT_EQ(FitPercent(3000, 2, 640, 512), 21);
}

TEST(FileKind, PreviewIsCentredInItsBox) {
    const PreviewPlacement a = PlacePreview(600, 300);
    EXPECT_EQ(a.width, 300);
    EXPECT_EQ(a.height, 150);
    EXPECT_EQ(a.x, 32);
    EXPECT_EQ(a.y, 94);
    const PreviewPlacement b = PlacePreview(200, 100);
    EXPECT_EQ(b.width, 200);
    EXPECT_EQ(b.height, 100);
    EXPECT_EQ(b.x, 82);
    EXPECT_EQ(b.y, 119);
}

// A w x h 32-bit picture whose pixels are black where shape(x, y) is false.
std::vector<uint8_t> Picture(int w, int h, bool (*shape)(int, int)) {
    std::vector<uint8_t> p(static_cast<size_t>(w * h * 4), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (shape(x, y))
                p[static_cast<size_t>((y * w + x) * 4 + 1)] = 200;
    return p;
}

struct Runs {
    std::vector<RegionRect> rects;
    int batches = 0;
};

Runs Collect(const std::vector<uint8_t>& pixels, int w, int h) {
    const uint8_t key[3] = {0, 0, 0}, tolerance[3] = {0, 0, 0};
    const KeyRange range = MakeKeyRange(key, tolerance);
    Runs runs;
    RegionBuffer buffer;
    auto take = [&runs](const RegionBuffer& b) {
        ++runs.batches;
        for (uint32_t i = 0; i < b.Header().count; ++i)
            runs.rects.push_back(b.Rect(i));
    };
    for (int y = 0; y < h; ++y)
        AppendRowRuns(buffer, pixels.data() + static_cast<size_t>(y * w * 4), w, y, range, take);
    take(buffer);
    return runs;
}

TEST(RegionRuns, OneRunPerRowOfOpaquePixels) {
    const auto full = Picture(365, 365, [](int, int) { return true; });
    const Runs r = Collect(full, 365, 365);
    ASSERT_EQ(r.rects.size(), 365u);
    EXPECT_EQ(r.rects[0].left, 0);
    EXPECT_EQ(r.rects[0].right, 365);
    EXPECT_EQ(r.rects[364].top, 364);
    EXPECT_EQ(r.rects[364].bottom, 365);

    const auto black = Picture(365, 365, [](int, int) { return false; });
    EXPECT_TRUE(Collect(black, 365, 365).rects.empty());
}

TEST(RegionRuns, BatchesOf2000KeepEveryRun) {
    // Every other pixel opaque: 50 runs a row, 4000 runs in 80 rows.
    const auto comb = Picture(100, 80, [](int x, int) { return x % 2 == 0; });
    const Runs r = Collect(comb, 100, 80);
    EXPECT_EQ(r.rects.size(), 4000u);
    EXPECT_EQ(r.batches, 3); // two full batches and the empty remainder
    for (const RegionRect& rect : r.rects) {
        EXPECT_EQ(rect.right - rect.left, 1);
        EXPECT_EQ(rect.left % 2, 0);
    }
}

TEST(RegionRuns, BufferGrowsByHundredAndTracksBounds) {
    RegionBuffer b;
    EXPECT_EQ(b.Capacity(), 100u);
    EXPECT_EQ(b.AllocatedBytes(), 32u + 100u * 16u);
    for (int i = 0; i < 101; ++i)
        EXPECT_FALSE(b.Append({i, 3, i + 1, 4}));
    EXPECT_EQ(b.Capacity(), 200u);
    EXPECT_EQ(b.AllocatedBytes(), 32u + 200u * 16u);
    EXPECT_EQ(b.Header().count, 101u);
    EXPECT_EQ(b.Header().bounds.left, 0);
    EXPECT_EQ(b.Header().bounds.right, 101);
    EXPECT_EQ(b.Header().bounds.top, 3);
    EXPECT_EQ(b.Rect(100).left, 100);
    b.Reset();
    EXPECT_EQ(b.Header().count, 0u);
    EXPECT_EQ(b.Header().bounds.left, 2147483647);
}

TEST(RegionRuns, ToleranceWidensTheKeyWithoutWrapping) {
    const uint8_t key[3] = {250, 0, 10}, tolerance[3] = {20, 5, 0};
    const KeyRange k = MakeKeyRange(key, tolerance);
    const uint8_t inside[4] = {255, 5, 10, 0}, outside[4] = {249, 0, 10, 0};
    EXPECT_TRUE(IsKeyPixel(inside, k));
    EXPECT_FALSE(IsKeyPixel(outside, k));
    EXPECT_EQ(k.high[0], 255);
}

} // namespace
