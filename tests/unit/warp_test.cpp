#include "effects/colour_adjust.h"
#include "effects/warp.h"
#include "warp_reference.h"
#include "skin/color_planes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

// Each test sets the picture size and the settings it needs and leaves the defaults behind.
class Perspective : public ::testing::Test {
  protected:
    void SetUp() override {
        savedWidth = PictureWidth;
        savedHeight = PictureHeight;
        ResetWarpSettings();
    }
    void TearDown() override {
        PictureWidth = savedWidth;
        PictureHeight = savedHeight;
        ResetWarpSettings();
        LimitWarpPath(WarpPathAvx2);
    }

    // A random committed picture of w x h; the shown one filled with a marker.
    void RandomBase(int w, int h, unsigned seed) {
        PictureWidth = w;
        PictureHeight = h;
        std::mt19937 rng(seed);
        for (int i = 0; i < w * h; ++i) {
            BasePicture.blue[i] = (uint8_t)rng();
            BasePicture.green[i] = (uint8_t)rng();
            BasePicture.red[i] = (uint8_t)rng();
        }
        for (uint8_t* plane : {CurrentPicture.blue, CurrentPicture.green, CurrentPicture.red})
            std::fill(plane, plane + PlaneCapacity, 77);
    }

    static uint8_t Base(int plane, int col, int row) {
        const uint8_t* p[3] = {BasePicture.blue, BasePicture.green, BasePicture.red};
        return p[plane][row * PictureWidth + col];
    }
    static uint8_t Shown(int plane, int col, int row) {
        const uint8_t* p[3] = {CurrentPicture.blue, CurrentPicture.green, CurrentPicture.red};
        return p[plane][row * PictureWidth + col];
    }
    static int CountDifferent() {
        int n = 0;
        for (int i = 0; i < PictureWidth * PictureHeight; ++i)
            n += CurrentPicture.blue[i] != BasePicture.blue[i];
        return n;
    }

    int savedWidth = 0, savedHeight = 0;
};

TEST_F(Perspective, SettingsBecomeTransformValues) {
    WarpScaleX = 150;
    WarpScaleY = -4;
    WarpShiftX = 7;
    WarpTurnY = 361;
    WarpValues v = CurrentWarpValues();
    EXPECT_EQ(v.scaleX, 1.5f);
    EXPECT_EQ(v.scaleY, 0.0f);
    EXPECT_EQ(v.shiftX, 0.7f);
    EXPECT_EQ(v.turnY, 361.0f);
    EXPECT_EQ(v.distance, 10.0f);
    for (int tilt : {360, 361, 720, -360, -361, 32766}) {
        WarpTurnX = tilt;
        EXPECT_EQ(CurrentWarpValues().tilt, 0.0f) << tilt;
    }
    WarpTurnX = -359;
    EXPECT_EQ(CurrentWarpValues().tilt, -359.0f);
    WarpScaleX = 20000;
    EXPECT_EQ(CurrentWarpValues().scaleX, 100.0f);

    ResetWarpSettings();
    const WarpValues start = CurrentWarpValues();
    const WarpValues expected = {1, 1, 0, 0, 0, 0, 0, 0, 10, 10};
    EXPECT_EQ(std::memcmp(&start, &expected, sizeof start), 0);
}

TEST_F(Perspective, BackMappingIsTheAdjugate) {
    for (int w : {2, 7, 98, 640, 799, 800}) {
        PictureWidth = w;
        float a[3][3];
        BuildPerspectiveMatrix(1, 1, 0, 0, 0, 0, 0, 0, 10, 10, a);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(a[i][j], i == j ? 1.0f : 0.0f) << w << ": " << i << "," << j;
        // Forward diag(0.5, 1, 1); its adjugate is diag(1, 0.5, 0.5), not the inverse.
        BuildPerspectiveMatrix(0.5f, 1, 0, 0, 0, 0, 0, 0, 10, 10, a);
        EXPECT_EQ(a[0][0], 1.0f);
        EXPECT_EQ(a[1][1], 0.5f);
        EXPECT_EQ(a[2][2], 0.5f);
        EXPECT_EQ(a[0][1], 0.0f);
        EXPECT_EQ(a[2][0], 0.0f);
    }
    // cos(90 * 3.141592 / 180) is 3.27e-7; with the full pi it would be about 6e-17.
    float a[3][3];
    BuildPerspectiveMatrix(1, 1, 0, 0, 0, 90, 0, 0, 10, 10, a);
    EXPECT_NEAR(a[0][0], 3.2679490e-7, 1e-12);
    EXPECT_NEAR(a[1][1], 3.2679490e-7, 1e-12);
}

// Equal, or both not a number (a picture one pixel wide has no half width to divide by).
bool SameFloat(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

TEST_F(Perspective, BuilderMatchesTheFactorByFactorConstruction) {
    std::mt19937 rng(9);
    auto pick = [&rng](int lo, int hi) {
        return (float)std::uniform_int_distribution(lo, hi)(rng);
    };
    const float turns[] = {-361, -200, -90, -31, 0, 1, 45, 90, 179, 360};
    for (int w : {1, 2, 7, 640, 801})
        for (float tilt : turns)
            for (float turnY : turns)
                for (float spin : turns) {
                    PictureWidth = w;
                    // Every setting varies, so that each factor's place in the chain shows.
                    const WarpValues v = {pick(-20, 300) / 100,
                                          pick(-20, 300) / 100,
                                          pick(-30, 30) / 10,
                                          pick(-30, 30) / 10,
                                          pick(-30, 30) / 10,
                                          tilt,
                                          turnY,
                                          spin,
                                          pick(-5, 30),
                                          pick(-5, 30)};
                    float built[3][3], expected[3][3];
                    BuildPerspectiveMatrix(v.scaleX, v.scaleY, v.shiftX, v.shiftY, v.shiftZ, v.spin,
                                           v.tilt, v.turnY, v.distance, v.focal, built);
                    ReferencePerspectiveMatrix(v.scaleX, v.scaleY, v.shiftX, v.shiftY, v.shiftZ,
                                               v.spin, v.tilt, v.turnY, v.distance, v.focal,
                                               expected);
                    for (int i = 0; i < 3; ++i)
                        for (int j = 0; j < 3; ++j)
                            ASSERT_TRUE(SameFloat(built[i][j], expected[i][j]))
                                << "[" << i << "][" << j << "] " << built[i][j] << " against "
                                << expected[i][j] << ": width " << w << " tilt " << tilt << " turn "
                                << turnY << " spin " << spin << " scale " << v.scaleX << ","
                                << v.scaleY << " shift " << v.shiftX << "," << v.shiftY << ","
                                << v.shiftZ << " d " << v.distance << " f " << v.focal;
                }
}

TEST_F(Perspective, CardCornersLandWhereTheCameraSeesThem) {
    // Worked by hand for a picture 800 wide (half width 400): the source pixel (400, -320) from
    // the centre is the model point (1, 0.8), y pointing up. The camera at distance d with focal
    // length f (both 10 unless noted) shows the turned point (x, y, z) at 400 f (x, -y) / (d - z).
    // c = cos 30 = 0.866025, s = sin 30 = 0.5.
    struct Case {
        const char* what;
        WarpValues v; // scale x, y, shift x, y, z, tilt, turn, spin, distance, focal
        double sourceX, sourceY, shownX, shownY;
    };
    const Case cases[] = {
        // Tilt takes (x, y, 0) to (x, yc, ys): (-1, 0.8) to (-1, 0.69282, 0.4), seen at
        // 4000 (-1, -0.69282) / 9.6. The top edge comes nearer and widens...
        {"tilt, top left", {1, 1, 0, 0, 0, 30, 0, 0, 10, 10}, -400, -320, -416.667, -288.675},
        // ...the bottom one recedes: (-1, -0.8) to z = -0.4, 4000 (-1, 0.69282) / 10.4.
        {"tilt, bottom left", {1, 1, 0, 0, 0, 30, 0, 0, 10, 10}, -400, 320, -384.615, 266.469},
        // Turn takes (x, y, 0) to (xc, y, xs): (1, 0.8) to z = 0.5, 4000 (0.866025, -0.8) / 9.5.
        {"turn, top right", {1, 1, 0, 0, 0, 0, 30, 0, 10, 10}, 400, -320, 364.642, -336.842},
        // (-1, 0.8) to z = -0.5, 4000 (-0.866025, -0.8) / 10.5.
        {"turn, top left", {1, 1, 0, 0, 0, 0, 30, 0, 10, 10}, -400, -320, -329.914, -304.762},
        // Tilt, then turn: (1, 0.69282, 0.4) to (c - 0.4s, 0.69282, s + 0.4c)
        // = (0.666025, 0.69282, 0.846410), seen at 4000 (0.666025, -0.69282) / 9.153590.
        {"tilt, then turn", {1, 1, 0, 0, 0, 30, 30, 0, 10, 10}, 400, -320, 291.044, -302.753},
        // Spin, then tilt: a quarter spin takes (1, 0.8) to (-0.8, 1), the tilt to
        // (-0.8, 0.866025, 0.5), seen at 4000 (-0.8, -0.866025) / 9.5.
        {"spin, then tilt", {1, 1, 0, 0, 0, 30, 0, 90, 10, 10}, 400, -320, -336.842, -364.642},
        // Scale, then shift: x = 1 becomes 0.5, then 1 (shifted first, it would be 0.75).
        {"scale, then shift", {0.5f, 1, 0.5f, 0, 0, 0, 0, 0, 10, 10}, 400, -320, 400, -320},
        // Shifted towards the camera: z = 1, 4000 (1, -0.8) / 9.
        {"shifted nearer", {1, 1, 0, 0, 1, 0, 0, 0, 10, 10}, 400, -320, 444.444, -355.556},
        // 400 f (1, -0.8) / d.
        {"focal length 20", {1, 1, 0, 0, 0, 0, 0, 0, 10, 20}, 400, -320, 800, -640},
        {"distance 20", {1, 1, 0, 0, 0, 0, 0, 0, 20, 10}, 400, -320, 200, -160},
    };
    PictureWidth = 800;
    for (const Case& c : cases)
        for (auto build : {BuildPerspectiveMatrix, ReferencePerspectiveMatrix}) {
            const WarpValues& s = c.v;
            float a[3][3];
            build(s.scaleX, s.scaleY, s.shiftX, s.shiftY, s.shiftZ, s.spin, s.tilt, s.turnY,
                  s.distance, s.focal, a);
            // The back-mapping of the shown point, then the perspective division.
            const double u = c.shownX * a[0][0] + c.shownY * a[1][0] + a[2][0];
            const double v = c.shownX * a[0][1] + c.shownY * a[1][1] + a[2][1];
            const double w = c.shownX * a[0][2] + c.shownY * a[1][2] + a[2][2];
            const char* builder = build == BuildPerspectiveMatrix ? "program" : "reference";
            EXPECT_NEAR(u / w, c.sourceX, 0.01) << c.what << ", " << builder;
            EXPECT_NEAR(v / w, c.sourceY, 0.01) << c.what << ", " << builder;
        }
}

TEST_F(Perspective, StartSettingsCopyAllButTheTopRowAndLeftColumn) {
    for (auto [w, h] : {std::pair{800, 640}, std::pair{641, 479}}) {
        RandomBase(w, h, 1);
        ApplyPerspective();
        for (int p = 0; p < 3; ++p)
            for (int row = 0; row < h; ++row)
                for (int col = 0; col < w; ++col) {
                    const int expected = row == 0 || col == 0 ? 0 : Base(p, col, row);
                    ASSERT_EQ(Shown(p, col, row), expected)
                        << w << "x" << h << " plane " << p << " at " << col << "," << row;
                }
    }
}

TEST_F(Perspective, HalfWidthSqueezesAboutTheCentreBetweenBlackBands) {
    RandomBase(800, 640, 2);
    WarpScaleX = 50;
    ApplyPerspective();
    for (int p = 0; p < 3; ++p)
        for (int row = 0; row < 640; ++row)
            for (int col = 0; col < 800; ++col) {
                // Column x of the centre shows source column 2x; the edge columns 200 and 600
                // fall just outside.
                const bool card = col > 200 && col < 600 && row > 0;
                const int expected = card ? Base(p, 2 * col - 400, row) : 0;
                ASSERT_EQ(Shown(p, col, row), expected) << p << " at " << col << "," << row;
            }
}

TEST_F(Perspective, QuarterSpinTurnsALandscapePictureAndCutsItsEnds) {
    RandomBase(800, 640, 3);
    WarpTurnZ = 90;
    ApplyPerspective();
    // Seen on the screen the card turns anticlockwise: the destination at (x, y) from the
    // centre shows the source at (-y, x). 3.141592 leaves the turn a hair short of a quarter,
    // which may cost one level after truncation.
    int black = 0;
    for (int p = 0; p < 3; ++p)
        for (int row = 0; row < 640; ++row)
            for (int col = 0; col < 800; ++col) {
                const int x = col - 400, y = row - 320;
                const int sourceCol = -y + 400, sourceRow = x + 320;
                if (sourceRow < -1 || sourceRow > 640) {
                    ASSERT_EQ(Shown(p, col, row), 0) << col << "," << row;
                    ++black;
                } else if (sourceRow >= 1 && sourceRow < 639 && sourceCol >= 1 && sourceCol < 799) {
                    ASSERT_LE(std::abs(Shown(p, col, row) - Base(p, sourceCol, sourceRow)), 1)
                        << p << " at " << col << "," << row;
                }
            }
    // Two uncovered bands of about 80 columns each, in every plane.
    EXPECT_GT(black, 3 * 2 * 78 * 640);
}

TEST_F(Perspective, FullTiltIsNoTiltButFullTurnsAreNot) {
    RandomBase(160, 120, 4);
    ApplyPerspective();
    const std::vector<uint8_t> flat(CurrentPicture.blue, CurrentPicture.blue + 160 * 120);

    for (int tilt : {360, 361, -360, -361}) {
        WarpTurnX = tilt;
        ApplyPerspective();
        EXPECT_TRUE(std::equal(flat.begin(), flat.end(), CurrentPicture.blue)) << tilt;
    }
    WarpTurnX = 1;
    ApplyPerspective();
    EXPECT_GT(CountDifferent(), 1000);

    // The other two turns take 361 as (nearly) 1 degree: the short pi leaves 360 degrees a
    // millionth of a turn off a full circle.
    for (int* turn : {&WarpTurnY, &WarpTurnZ}) {
        ResetWarpSettings();
        *turn = 1;
        ApplyPerspective();
        const std::vector<uint8_t> one(CurrentPicture.blue, CurrentPicture.blue + 160 * 120);
        *turn = 361;
        ApplyPerspective();
        int near = 0;
        for (int i = 0; i < 160 * 120; ++i)
            near += std::abs(CurrentPicture.blue[i] - one[i]) <= 1;
        EXPECT_GT(near, 160 * 120 * 99 / 100);
        EXPECT_FALSE(std::equal(flat.begin(), flat.end(), CurrentPicture.blue));
    }
}

TEST_F(Perspective, NegativeOrZeroScaleLeavesBlack) {
    for (auto [sx, sy] :
         {std::pair{-1, 100}, std::pair{100, -30}, std::pair{0, 100}, std::pair{-32765, -32765}}) {
        RandomBase(200, 150, 5);
        WarpScaleX = sx;
        WarpScaleY = sy;
        ApplyPerspective();
        for (int i = 0; i < 200 * 150; ++i)
            ASSERT_EQ(CurrentPicture.blue[i] | CurrentPicture.green[i] | CurrentPicture.red[i], 0)
                << sx << "," << sy << " at " << i;
    }
}

// Every path against the reference on a random picture. The planes have exactly the picture's
// size, so that a read past it is caught by the address sanitizer.
void CheckAgainstReference(int w, int h, const WarpValues& v, std::mt19937& rng) {
    PictureWidth = w;
    PictureHeight = h;
    std::vector<uint8_t> source((size_t)(w * h)), reference(source.size(), 99);
    for (auto& b : source)
        b = (uint8_t)rng();
    ReferenceWarpPlane(source.data(), reference.data(), v.scaleX, v.scaleY, v.shiftX, v.shiftY,
                       v.shiftZ, v.tilt, v.turnY, v.spin, v.distance, v.focal);
    for (int path : {WarpPathScalar, WarpPathSse2, WarpPathAvx2}) {
        std::vector<uint8_t> fast(source.size(), 77);
        LimitWarpPath(path);
        WarpPlane(source.data(), fast.data(), v.scaleX, v.scaleY, v.shiftX, v.shiftY, v.shiftZ,
                  v.tilt, v.turnY, v.spin, v.distance, v.focal);
        for (int i = 0; i < w * h; ++i)
            ASSERT_EQ(fast[i], reference[i])
                << "path " << path << " " << w << "x" << h << " at " << i % w << "," << i / w
                << " scale " << v.scaleX << "," << v.scaleY << " shift " << v.shiftX << ","
                << v.shiftY << "," << v.shiftZ << " turns " << v.tilt << "," << v.turnY << ","
                << v.spin << " d " << v.distance << " f " << v.focal;
    }
}

TEST_F(Perspective, EveryPathMatchesTheReferenceOnRandomSettings) {
    std::mt19937 rng(6);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    const std::pair<int, int> sizes[] = {{800, 640}, {640, 512}, {333, 207}, {17, 9},
                                         {2, 2},     {1, 5},     {5, 1},     {9, 300}};
    for (int round = 0; round < 48; ++round) {
        WarpValues v;
        v.scaleX = (float)pick(-20, 400) / 100;
        v.scaleY = (float)pick(-20, 400) / 100;
        v.shiftX = (float)pick(-30, 30) / 10;
        v.shiftY = (float)pick(-30, 30) / 10;
        v.shiftZ = (float)pick(-30, 30) / 10;
        v.tilt = (float)pick(-400, 400);
        v.turnY = (float)pick(-400, 400);
        v.spin = (float)pick(-400, 400);
        v.distance = (float)pick(-5, 30);
        v.focal = (float)pick(-5, 30);
        // Half the rounds as the screen's presses leave it: moderate turns and scales, the
        // rest as started, so that most of the frame shows the card.
        if (round % 2 == 0) {
            v.scaleX = (float)pick(30, 250) / 100;
            v.scaleY = (float)pick(30, 250) / 100;
            v.tilt = (float)pick(-60, 60);
            v.turnY = (float)pick(-60, 60);
            v.shiftX = v.shiftY = v.shiftZ = 0;
            v.distance = v.focal = 10;
        }
        const auto [w, h] = sizes[round % 8];
        CheckAgainstReference(w, h, v, rng);
    }
}

TEST_F(Perspective, EveryPathMatchesTheReferenceOnDegenerateSettings) {
    std::mt19937 rng(7);
    // Edge-on cards, a zero focal length or distance (infinite and NaN positions), whole-pixel
    // shifts (positions on exact integers), a card blown up far beyond the frame.
    const WarpValues cases[] = {
        {1, 1, 0, 0, 0, 90, 0, 0, 10, 10},      {1, 1, 0, 0, 0, 0, 90, 0, 10, 10},
        {1, 1, 0, 0, 0, 0, 0, 0, 10, 0},        {1, 1, 0, 0, 0, 0, 0, 0, 0, 10},
        {1, 1, 0, 0, 0, 0, 0, 0, 0, 0},         {1, 1, 1, -1, 0, 0, 0, 0, 10, 10},
        {100, 100, 0, 0, 0, 0, 0, 0, 10, 10},   {0.01f, 0.01f, 0, 0, 0, 0, 0, 0, 10, 10},
        {1, 1, 0, 0, 0, 180, 180, 180, 10, 10}, {1, 1, 0, 0, 9.9f, 45, 0, 0, 10, 10},
        {1, 1, 0, 0, 0, -89, 0, 0, 10, 1},      {2, 2, 0, 0, 0, 0, 0, 90, 10, 10},
    };
    for (const WarpValues& v : cases)
        for (auto [w, h] : {std::pair{301, 201}, std::pair{64, 2}, std::pair{3, 3}})
            CheckAgainstReference(w, h, v, rng);
}

TEST_F(Perspective, ApplyWarpsEachPlaneAsWarpPlaneDoesAndShowsTheResult) {
    RandomBase(321, 200, 8);
    WarpTurnX = 20;
    WarpTurnY = -15;
    WarpScaleY = 130;
    static int shows;
    static const ColorPlanes* shownPicture;
    shows = 0;
    auto* const savedHook = ShowPlanesHook;
    ShowPlanesHook = [](const ColorPlanes& picture) {
        ++shows;
        shownPicture = &picture;
    };
    ApplyPerspective();
    ShowPlanesHook = savedHook;
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(shownPicture, &CurrentPicture);
    const WarpValues v = CurrentWarpValues();
    std::vector<uint8_t> expected(321 * 200);
    const uint8_t* sources[3] = {BasePicture.blue, BasePicture.green, BasePicture.red};
    const uint8_t* results[3] = {CurrentPicture.blue, CurrentPicture.green, CurrentPicture.red};
    for (int p = 0; p < 3; ++p) {
        ReferenceWarpPlane(sources[p], expected.data(), v.scaleX, v.scaleY, v.shiftX, v.shiftY,
                           v.shiftZ, v.tilt, v.turnY, v.spin, v.distance, v.focal);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), results[p])) << p;
    }
    // Only the used part of the planes is written.
    EXPECT_EQ(CurrentPicture.blue[321 * 200], 77);
}

} // namespace
