// One colour press: the whole chain from the committed picture into the shown one, at both
// picture sizes, beside OpenCV doing roughly the same job in float and its HSV round trip.
#include "effects/colour_adjust.h"
#include "common/vector_dispatch.h"

#include "bench_pictures.h"
#include "effects_reference.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

#ifdef FLIMMER_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using bench::FillPicture;
using bench::SetSize;


// The first press ever also builds the polar table once; reported as a counter.
double FirstPressMs() {
    static const double ms = [] {
        const auto t0 = std::chrono::steady_clock::now();
        AdjustColours(BasePicture, CurrentPicture, 1.0f, 1.0f, 0.0f);
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
            .count();
    }();
    return ms;
}

// A hue or colourfulness press: the pair table is rebuilt every time.
void BM_ColourPressHue(benchmark::State& state) {
    SetSize(state);
    state.counters["first_press_ms"] = FirstPressMs();
    int hue = 0;
    for (auto _ : state) {
        hue = (hue + 10) % 370;
        HueShift = hue;
        ApplyColourAdjust();
        benchmark::ClobberMemory();
    }
    ResetColourSettings();
}
BENCHMARK(BM_ColourPressHue)->Args({800, 640})->Args({640, 512})->Unit(benchmark::kMillisecond);

// A brightness press: the pair table is kept from the last press.
void BM_ColourPressBrightness(benchmark::State& state) {
    SetSize(state);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 20;
        BrightnessStep = step;
        ApplyColourAdjust();
        benchmark::ClobberMemory();
    }
    ResetColourSettings();
}
BENCHMARK(BM_ColourPressBrightness)
    ->Args({800, 640})
    ->Args({640, 512})
    ->Unit(benchmark::kMillisecond);

// The same with the baseline (SSE2) body, as on a processor without AVX2.
void BM_ColourPressHueBaseline(benchmark::State& state) {
    SetSize(state);
    WideVectorsAllowed = false;
    int hue = 0;
    for (auto _ : state) {
        hue = (hue + 10) % 370;
        HueShift = hue;
        ApplyColourAdjust();
        benchmark::ClobberMemory();
    }
    WideVectorsAllowed = true;
    ResetColourSettings();
}
BENCHMARK(BM_ColourPressHueBaseline)->Args({800, 640})->Unit(benchmark::kMillisecond);

// The straightforward per-pixel chain, for scale.
void BM_ColourPressStraightforward(benchmark::State& state) {
    SetSize(state);
    const int n = PictureWidth * PictureHeight;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i)
            reference::AdjustPixel(BasePicture.blue[i], BasePicture.green[i], BasePicture.red[i],
                                   1.3f, 0.7f, 40.0f, CurrentPicture.blue[i],
                                   CurrentPicture.green[i], CurrentPicture.red[i]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ColourPressStraightforward)->Args({800, 640})->Unit(benchmark::kMillisecond);

#ifdef FLIMMER_HAVE_OPENCV

// Luma and the two colour differences in float, cartToPolar, scale and turn, polarToCart, back
// to bytes: the same chain without our truncations.
void BM_OpenCvLumaChromaPolar(benchmark::State& state) {
    cv::setNumThreads(1);
    SetSize(state);
    const int w = PictureWidth, h = PictureHeight;
    cv::Mat b(h, w, CV_8U, BasePicture.blue), g(h, w, CV_8U, BasePicture.green),
        r(h, w, CV_8U, BasePicture.red);
    cv::Mat ob(h, w, CV_8U, CurrentPicture.blue), og(h, w, CV_8U, CurrentPicture.green),
        orr(h, w, CV_8U, CurrentPicture.red);
    cv::Mat bf, gf, rf, y, u, v, mag, ang, t;
    for (auto _ : state) {
        b.convertTo(bf, CV_32F);
        g.convertTo(gf, CV_32F);
        r.convertTo(rf, CV_32F);
        cv::addWeighted(rf, 0.3, gf, 0.59, 0.0, t);
        cv::scaleAdd(bf, 0.11, t, y);
        cv::subtract(rf, y, u);
        cv::subtract(bf, y, v);
        cv::cartToPolar(v, u, mag, ang, true);
        mag *= 0.7;
        ang += 40.0;
        cv::polarToCart(mag, ang, v, u, true);
        y *= 1.3;
        cv::add(y, u, t);
        t.convertTo(orr, CV_8U);
        cv::add(y, v, t);
        t.convertTo(ob, CV_8U);
        cv::scaleAdd(u, -0.5084745762711864, y, t);
        cv::scaleAdd(v, -0.1864406779661017, t, t);
        t.convertTo(og, CV_8U);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OpenCvLumaChromaPolar)
    ->Args({800, 640})
    ->Args({640, 512})
    ->Unit(benchmark::kMillisecond);

// To HSV and back on an interleaved picture (the interleaving itself is not timed).
void BM_OpenCvHsvRoundTrip(benchmark::State& state) {
    cv::setNumThreads(1);
    SetSize(state);
    const int w = PictureWidth, h = PictureHeight;
    std::vector<cv::Mat> planes = {cv::Mat(h, w, CV_8U, BasePicture.blue),
                                   cv::Mat(h, w, CV_8U, BasePicture.green),
                                   cv::Mat(h, w, CV_8U, BasePicture.red)};
    cv::Mat bgr, hsv, back;
    cv::merge(planes, bgr);
    for (auto _ : state) {
        cv::cvtColor(bgr, hsv, cv::COLOR_BGR2HSV);
        cv::cvtColor(hsv, back, cv::COLOR_HSV2BGR);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OpenCvHsvRoundTrip)->Args({800, 640})->Args({640, 512})->Unit(benchmark::kMillisecond);

#endif

} // namespace
