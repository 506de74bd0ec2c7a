#include "picture/picture_file.h"
#include "skin/color_planes.h"
#include "skin/file_kind.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(FitPercent, AtTheLayoutAreas) {
    EXPECT_EQ(FitPercent(2000, 1000, 640, 512), 32);
    EXPECT_EQ(FitPercent(300, 200, 640, 512), 100);
    EXPECT_EQ(FitPercent(640, 512, 640, 512), 100);
    EXPECT_EQ(FitPercent(1280, 1024, 640, 512), 50);
    EXPECT_EQ(FitPercent(700, 100, 640, 512), 91); // too wide only
    EXPECT_EQ(FitPercent(100, 1300, 640, 640), 49);
    EXPECT_EQ(FitPercent(1600, 1200, 800, 640), 50);
    EXPECT_EQ(FitPercent(4000, 3000, 800, 640), 20);
}

TEST(LoadPlan, FitToAreaShrinksNeverEnlarges) {
    LoadPlan p = PlanPictureLoad(2000, 1000, FitToArea, 640, 512, 0, 0);
    EXPECT_EQ(p.verdict, LoadGoesAhead);
    EXPECT_EQ(p.percent, 32);
    EXPECT_EQ(p.bitmapWidth, 2000);
    EXPECT_EQ(p.width, 640);
    EXPECT_EQ(p.height, 320);
    p = PlanPictureLoad(300, 200, FitToArea, 640, 512, 0, 0);
    EXPECT_EQ(p.percent, 100);
    EXPECT_EQ(p.width, 300);
    EXPECT_EQ(p.height, 200);
}

TEST(LoadPlan, FittedSizeKeepsOnePixelEachWay) {
    const LoadPlan p = PlanPictureLoad(3000, 2, FitToArea, 640, 512, 0, 0);
    EXPECT_EQ(p.verdict, LoadGoesAhead);
    EXPECT_EQ(p.percent, 21);
    EXPECT_EQ(p.width, 630);
    EXPECT_EQ(p.height, 1);
    // Not even one percent fits: refused instead of a zero factor.
    EXPECT_EQ(PlanPictureLoad(70000, 10, FitToArea, 640, 512, 0, 0).verdict, RefusedOverBitmap);
}

TEST(LoadPlan, FittedPicturesStayInsideTheAreaAndThePlanes) {
    const int areas[3][2] = {{640, 512}, {640, 640}, {800, 640}};
    for (const auto& a : areas)
        for (int w = 1; w <= 9000; w += 997)
            for (int h = 1; h <= 9000; h += 1231) {
                const LoadPlan p = PlanPictureLoad(w, h, FitToArea, a[0], a[1], 0, 0);
                ASSERT_EQ(p.verdict, LoadGoesAhead) << w << "x" << h;
                ASSERT_GE(p.width, 1);
                ASSERT_GE(p.height, 1);
                ASSERT_LE(p.width, a[0]) << w << "x" << h;
                ASSERT_LE(p.height, a[1]) << w << "x" << h;
                ASSERT_LE(p.width * p.height, PlaneCapacity);
            }
}

TEST(LoadPlan, FittedPictureThatWouldOutgrowThePlanesIsRefused) {
    // An area wider than a plane: 4000 x 3000 at 21 % is 840 x 630, more than a plane holds.
    EXPECT_EQ(PlanPictureLoad(4000, 3000, FitToArea, 17184, 640, 0, 0).verdict, RefusedOverPlanes);
    const LoadPlan p = PlanPictureLoad(4000, 3000, FitToArea, 17184, 600, 0, 0);
    EXPECT_EQ(p.verdict, LoadGoesAhead); // 20 %: 800 x 600 fits
    EXPECT_EQ(p.width, 800);
}

TEST(LoadPlan, NaturalSizeBeyondThePlanesIsRefused) {
    EXPECT_EQ(PlanPictureLoad(800, 640, NaturalSize, 640, 512, 0, 0).verdict, LoadGoesAhead);
    EXPECT_EQ(PlanPictureLoad(2000, 256, NaturalSize, 640, 512, 0, 0).verdict, LoadGoesAhead);
    EXPECT_EQ(PlanPictureLoad(801, 640, NaturalSize, 640, 512, 0, 0).verdict, RefusedOverPlanes);
    EXPECT_EQ(PlanPictureLoad(100000, 100000, NaturalSize, 640, 512, 0, 0).verdict,
              RefusedOverPlanes);
    const LoadPlan p = PlanPictureLoad(1000, 200, NaturalSize, 640, 512, 300, 200);
    EXPECT_EQ(p.bitmapWidth, 1000);
    EXPECT_EQ(p.width, 1000);
    EXPECT_EQ(p.percent, 100);
}

TEST(LoadPlan, HugePicturesAreRefusedBeforeDrawing) {
    EXPECT_EQ(PlanPictureLoad(20000, 20000, FitToArea, 640, 512, 0, 0).verdict, RefusedOverBitmap);
    EXPECT_EQ(PlanPictureLoad(0, 10, FitToArea, 640, 512, 0, 0).verdict, RefusedEmpty);
    EXPECT_EQ(PlanPictureLoad(10, -1, NaturalSize, 640, 512, 0, 0).verdict, RefusedEmpty);
}

TEST(LoadPlan, PictureSizeStretchesAnySquare) {
    const LoadPlan p = PlanPictureLoad(100, 100, StretchToPicture, 640, 512, 300, 200);
    EXPECT_EQ(p.verdict, LoadGoesAhead);
    EXPECT_EQ(p.bitmapWidth, 300);
    EXPECT_EQ(p.bitmapHeight, 200);
    EXPECT_EQ(p.width, 300);
    EXPECT_EQ(p.height, 200);
    EXPECT_EQ(PlanPictureLoad(100, 100, StretchToPicture, 640, 512, 0, 200).verdict, RefusedEmpty);
}

// Rows of 24-bit pixels whose values differ from row to row and column to column.
std::vector<uint8_t> PhotoRows(int w, int h, std::size_t stride) {
    std::vector<uint8_t> rows(stride * static_cast<std::size_t>(h));
    uint32_t x = 12345u + static_cast<uint32_t>(w * 31 + h);
    for (auto& v : rows) {
        x = x * 1103515245u + 12345u;
        v = static_cast<uint8_t>(x >> 16);
    }
    return rows;
}

struct Planes {
    std::vector<uint8_t> b, g, r;
    int w = 0, h = 0;
    explicit Planes(std::size_t n) : b(n), g(n), r(n) {}
    bool operator==(const Planes& o) const {
        return w == o.w && h == o.h && b == o.b && g == o.g && r == o.r;
    }
};

// A photo that arrives row by row becomes the same planes as one read whole, from only the rows
// the resampler reads, each fetched once and in order.
TEST(PlanesFromRows, SameAsTheWholePictureFromFewerRows) {
    const int sizes[][2] = {{4000, 3000}, {1283, 721}, {451, 300}, {3000, 2},
                            {1, 700},     {2, 2},      {7, 5}};
    for (const auto& size : sizes)
        for (const auto& area : {std::pair{640, 512}, std::pair{800, 640}, std::pair{64, 48}}) {
            const int w = size[0], h = size[1];
            const LoadPlan plan = PlanPictureLoad(w, h, FitToArea, area.first, area.second, 0, 0);
            ASSERT_EQ(plan.verdict, LoadGoesAhead);
            const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
            const auto photo = PhotoRows(w, h, stride);
            const std::size_t n = static_cast<std::size_t>(plan.width) * plan.height;
            Planes whole(n), rowwise(n);
            ASSERT_TRUE(PlanesFromPixels(photo.data(), stride, plan, whole.b.data(), whole.g.data(),
                                         whole.r.data(), whole.w, whole.h));
            std::vector<int> fetched;
            const auto fetch = [&](int y, uint8_t* out) {
                fetched.push_back(y);
                std::copy_n(photo.begin() + static_cast<std::ptrdiff_t>(stride * y),
                            static_cast<std::size_t>(w) * 3, out);
                return true;
            };
            ASSERT_EQ(PlanesFromRows(fetch, plan, rowwise.b.data(), rowwise.g.data(),
                                     rowwise.r.data(), rowwise.w, rowwise.h),
                      RowsRead);
            ASSERT_TRUE(rowwise == whole) << w << "x" << h << " at " << plan.percent << " %";
            for (std::size_t k = 1; k < fetched.size(); ++k)
                ASSERT_LT(fetched[k - 1], fetched[k]);
            if (plan.percent == 100 || w < 2) {
                EXPECT_EQ(fetched.size(), static_cast<std::size_t>(h));
            } else if (plan.percent <= 25) {
                EXPECT_LE(fetched.size(), static_cast<std::size_t>(2 * plan.height))
                    << w << "x" << h;
            }
        }
}

TEST(PlanesFromRows, ARowThatCannotBeHadStopsTheRead) {
    for (int w : {451, 4000}) {
        const LoadPlan plan = PlanPictureLoad(w, 300, FitToArea, 640, 512, 0, 0);
        Planes out(static_cast<std::size_t>(plan.width) * plan.height);
        int calls = 0;
        const auto fetch = [&](int y, uint8_t* row) {
            ++calls;
            std::fill_n(row, static_cast<std::size_t>(w) * 3, uint8_t{9});
            return y < 100;
        };
        EXPECT_EQ(
            PlanesFromRows(fetch, plan, out.b.data(), out.g.data(), out.r.data(), out.w, out.h),
            RowsUnreadable)
            << w;
        EXPECT_LE(calls, 101) << "rows were fetched after one failed";
    }
}

} // namespace
