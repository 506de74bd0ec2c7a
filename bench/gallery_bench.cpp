// The gallery's filters on three planes, each beside its nearest OpenCV equivalent, and every
// effect as one press, at both picture sizes.
#include "effects/colour_adjust.h"
#include "effects/gallery_effects.h"
#include "effects/plane_filters.h"
#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include "bench_pictures.h"
#include "effects_reference.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <random>
#include <vector>

#ifdef FLIMMER_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using bench::FillPicture;
using bench::SetSize;


using PlaneFilter = std::function<void(const uint8_t*, uint8_t*)>;

void ThreePlanes(benchmark::State& state, const PlaneFilter& filter) {
    SetSize(state);
    for (auto _ : state) {
        filter(BasePicture.blue, GalleryPicture.blue);
        filter(BasePicture.green, GalleryPicture.green);
        filter(BasePicture.red, GalleryPicture.red);
        benchmark::ClobberMemory();
    }
}

void BM_Median3x3(benchmark::State& s) {
    ThreePlanes(s, Median3x3);
}
void BM_BoxBlur3x3(benchmark::State& s) {
    ThreePlanes(s, BoxBlur3x3);
}
void BM_Convolve3x3Sharpen(benchmark::State& s) {
    ThreePlanes(s, [](const uint8_t* i, uint8_t* o) { Convolve3x3(i, o, SharpenKernel); });
}
void BM_Convolve3x3StrongSharpen(benchmark::State& s) {
    ThreePlanes(s, [](const uint8_t* i, uint8_t* o) { Convolve3x3(i, o, StrongSharpenKernel); });
}
void BM_Convolve3x3Slant(benchmark::State& s) {
    ThreePlanes(s, [](const uint8_t* i, uint8_t* o) { Convolve3x3(i, o, SlantKernel); });
}
void BM_CompassEdges(benchmark::State& s) {
    ThreePlanes(s, [](const uint8_t* i, uint8_t* o) { CompassEdges(i, o, 1.1f); });
}
void BM_Mosaic5x5(benchmark::State& s) {
    ThreePlanes(s, Mosaic5x5);
}
void BM_InvertPlane(benchmark::State& s) {
    ThreePlanes(s, InvertPlane);
}

// The baseline (SSE2) bodies of the three filters with targets.
void Baseline(benchmark::State& s, const PlaneFilter& f) {
    WideVectorsAllowed = false;
    ThreePlanes(s, f);
    WideVectorsAllowed = true;
}
void BM_Median3x3Baseline(benchmark::State& s) {
    Baseline(s, Median3x3);
}
void BM_BoxBlur3x3Baseline(benchmark::State& s) {
    Baseline(s, BoxBlur3x3);
}
void BM_Convolve3x3SharpenBaseline(benchmark::State& s) {
    Baseline(s, [](const uint8_t* i, uint8_t* o) { Convolve3x3(i, o, SharpenKernel); });
}

// The straightforward bubble-sort median, for scale.
void BM_Median3x3Straightforward(benchmark::State& s) {
    ThreePlanes(s, [](const uint8_t* i, uint8_t* o) {
        reference::MedianBubble(i, o, PictureWidth, PictureHeight);
    });
}

#define AT_BOTH_SIZES(name)                                                                        \
    BENCHMARK(name)->Args({800, 640})->Args({640, 512})->Unit(benchmark::kMillisecond)
AT_BOTH_SIZES(BM_Median3x3);
AT_BOTH_SIZES(BM_BoxBlur3x3);
AT_BOTH_SIZES(BM_Convolve3x3Sharpen);
AT_BOTH_SIZES(BM_Convolve3x3StrongSharpen);
AT_BOTH_SIZES(BM_Convolve3x3Slant);
AT_BOTH_SIZES(BM_CompassEdges);
AT_BOTH_SIZES(BM_Mosaic5x5);
AT_BOTH_SIZES(BM_InvertPlane);
BENCHMARK(BM_Median3x3Baseline)->Args({800, 640})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxBlur3x3Baseline)->Args({800, 640})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convolve3x3SharpenBaseline)->Args({800, 640})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Median3x3Straightforward)
    ->Args({800, 640})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

#ifdef FLIMMER_HAVE_OPENCV

using CvFilter = std::function<void(const cv::Mat&, cv::Mat&)>;

void CvThreePlanes(benchmark::State& state, const CvFilter& filter) {
    cv::setNumThreads(1);
    SetSize(state);
    const int w = PictureWidth, h = PictureHeight;
    const cv::Mat in[3] = {cv::Mat(h, w, CV_8U, BasePicture.blue),
                           cv::Mat(h, w, CV_8U, BasePicture.green),
                           cv::Mat(h, w, CV_8U, BasePicture.red)};
    cv::Mat out[3] = {cv::Mat(h, w, CV_8U, GalleryPicture.blue),
                      cv::Mat(h, w, CV_8U, GalleryPicture.green),
                      cv::Mat(h, w, CV_8U, GalleryPicture.red)};
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k)
            filter(in[k], out[k]);
        benchmark::ClobberMemory();
    }
}

void BM_OpenCvMedianBlur3(benchmark::State& s) {
    CvThreePlanes(s, [](const cv::Mat& i, cv::Mat& o) { cv::medianBlur(i, o, 3); });
}
void BM_OpenCvBlur3x3(benchmark::State& s) {
    CvThreePlanes(s, [](const cv::Mat& i, cv::Mat& o) { cv::blur(i, o, cv::Size(3, 3)); });
}
// 16-bit sums, then the absolute value saturated to a byte: the same job as the sharpen.
void BM_OpenCvFilter2D3x3Abs(benchmark::State& s) {
    static const float k[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
    const cv::Mat kernel(3, 3, CV_32F, const_cast<float*>(k));
    cv::Mat sums;
    CvThreePlanes(s, [&](const cv::Mat& i, cv::Mat& o) {
        cv::filter2D(i, sums, CV_16S, kernel);
        cv::convertScaleAbs(sums, o);
    });
}
AT_BOTH_SIZES(BM_OpenCvMedianBlur3);
AT_BOTH_SIZES(BM_OpenCvBlur3x3);
AT_BOTH_SIZES(BM_OpenCvFilter2D3x3Abs);

#endif

// One press of each effect, from the committed picture to GalleryPicture.
void BM_GalleryEffect(benchmark::State& state) {
    SetSize(state);
    FillPicture(DecorationPicture, PictureWidth, PictureHeight);
    const int effect = (int)state.range(2);
    for (auto _ : state) {
        ApplyGalleryEffect(effect);
        benchmark::ClobberMemory();
    }
    ResetColourSettings();
}
BENCHMARK(BM_GalleryEffect)
    ->ArgsProduct({{800}, {640}, benchmark::CreateDenseRange(0, 14, 1)})
    ->ArgsProduct({{640}, {512}, {0, 8, 11, 13}})
    ->Unit(benchmark::kMillisecond);

} // namespace
