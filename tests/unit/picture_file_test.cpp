#include "picture/picture_file.h"
#include "skin/color_planes.h"
#include "skin/file_kind.h"

#include <gtest/gtest.h>

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

} // namespace
