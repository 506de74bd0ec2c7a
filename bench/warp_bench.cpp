// One perspective press: three planes warped from the committed picture, against the
// straightforward per-pixel warp and OpenCV's warpPerspective of the same mapping.
#include "effects/warp.h"
#include "warp_reference.h"
#include "skin/color_planes.h"

#include <benchmark/benchmark.h>

#ifdef FLIMMER_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

#include <cstdint>
#include <random>

namespace {

struct Setting {
    const char* name;
    int scaleX, scaleY, turnX, turnY, turnZ;
};

// A card left as it is, and one turned the way a few presses of each button turn it.
constexpr Setting Settings[] = {
    {"initial", 100, 100, 0, 0, 0},
    {"turned", 90, 110, 25, -20, 15},
};

void Prepare(int width, int height, const Setting& s) {
    PictureWidth = width;
    PictureHeight = height;
    std::mt19937 rng(7);
    for (int i = 0; i < width * height; ++i) {
        BasePicture.blue[i] = (uint8_t)rng();
        BasePicture.green[i] = (uint8_t)rng();
        BasePicture.red[i] = (uint8_t)rng();
    }
    ResetWarpSettings();
    WarpScaleX = s.scaleX;
    WarpScaleY = s.scaleY;
    WarpTurnX = s.turnX;
    WarpTurnY = s.turnY;
    WarpTurnZ = s.turnZ;
}

void SetLabel(benchmark::State& state, const Setting& s) {
    state.SetLabel(std::to_string(PictureWidth) + "x" + std::to_string(PictureHeight) + " " +
                   s.name);
}

void BM_ApplyPerspective(benchmark::State& state) {
    const Setting& s = Settings[state.range(2)];
    Prepare((int)state.range(0), (int)state.range(1), s);
    for (auto _ : state) {
        ApplyPerspective();
        benchmark::DoNotOptimize(CurrentPicture.blue[0]);
        benchmark::ClobberMemory();
    }
    SetLabel(state, s);
}

// The four-lane path every x86-64 processor has, for processors without the wider one.
void BM_ApplyPerspectiveSse2(benchmark::State& state) {
    const Setting& s = Settings[state.range(2)];
    Prepare((int)state.range(0), (int)state.range(1), s);
    LimitWarpPath(WarpPathSse2);
    for (auto _ : state) {
        ApplyPerspective();
        benchmark::DoNotOptimize(CurrentPicture.blue[0]);
        benchmark::ClobberMemory();
    }
    LimitWarpPath(WarpPathAvx2);
    SetLabel(state, s);
}

void BM_ReferenceWarpThreePlanes(benchmark::State& state) {
    const Setting& s = Settings[state.range(2)];
    Prepare((int)state.range(0), (int)state.range(1), s);
    const WarpValues v = CurrentWarpValues();
    for (auto _ : state) {
        uint8_t* planes[3][2] = {{BasePicture.blue, CurrentPicture.blue},
                                 {BasePicture.green, CurrentPicture.green},
                                 {BasePicture.red, CurrentPicture.red}};
        for (auto& p : planes)
            ReferenceWarpPlane(p[0], p[1], v.scaleX, v.scaleY, v.shiftX, v.shiftY, v.shiftZ, v.tilt,
                               v.turnY, v.spin, v.distance, v.focal);
        benchmark::DoNotOptimize(CurrentPicture.blue[0]);
        benchmark::ClobberMemory();
    }
    SetLabel(state, s);
}

#ifdef FLIMMER_HAVE_OPENCV
void BM_OpenCvWarpPerspective(benchmark::State& state) {
    cv::setNumThreads(1);
    const Setting& s = Settings[state.range(2)];
    const int width = (int)state.range(0), height = (int)state.range(1);
    Prepare(width, height, s);
    cv::Mat source(height, width, CV_8UC3), destination;
    for (int i = 0; i < width * height; ++i) {
        source.data[3 * i] = BasePicture.blue[i];
        source.data[3 * i + 1] = BasePicture.green[i];
        source.data[3 * i + 2] = BasePicture.red[i];
    }
    // The same back-mapping in pixel coordinates: centre, apply the adjugate (row vectors,
    // hence the transpose), uncentre.
    const WarpValues v = CurrentWarpValues();
    float a[3][3];
    BuildPerspectiveMatrix(v.scaleX, v.scaleY, v.shiftX, v.shiftY, v.shiftZ, v.spin, v.tilt,
                           v.turnY, v.distance, v.focal, a);
    const double hw = (width + 1) / 2, hh = (height + 1) / 2;
    const cv::Matx33d toCentre(1, 0, -hw, 0, 1, -hh, 0, 0, 1);
    const cv::Matx33d fromCentre(1, 0, hw, 0, 1, hh, 0, 0, 1);
    const cv::Matx33d back(a[0][0], a[1][0], a[2][0], a[0][1], a[1][1], a[2][1], a[0][2], a[1][2],
                           a[2][2]);
    const cv::Matx33d map = fromCentre * back * toCentre;
    for (auto _ : state) {
        cv::warpPerspective(source, destination, map, source.size(),
                            cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_CONSTANT,
                            cv::Scalar());
        benchmark::DoNotOptimize(destination.data);
        benchmark::ClobberMemory();
    }
    SetLabel(state, s);
}
BENCHMARK(BM_OpenCvWarpPerspective)
    ->ArgsProduct({{800}, {640}, {0, 1}})
    ->Args({640, 512, 1})
    ->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_ApplyPerspective)
    ->ArgsProduct({{800}, {640}, {0, 1}})
    ->Args({640, 512, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyPerspectiveSse2)
    ->ArgsProduct({{800}, {640}, {0, 1}})
    ->Args({640, 512, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceWarpThreePlanes)
    ->ArgsProduct({{800}, {640}, {0, 1}})
    ->Args({640, 512, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
