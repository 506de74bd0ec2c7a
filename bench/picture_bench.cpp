// Colour planes to and from device bits, the resampler, decoration compositing and the
// history's temporary files, each beside OpenCV's nearest operation where there is one.
#include "effects/resample.h"
#include "picture/compositing.h"
#include "picture/temporary_picture.h"
#include "skin/color_planes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef FLIMMER_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

std::vector<uint8_t> Noise(std::size_t n, unsigned seed) {
    std::vector<uint8_t> v(n);
    for (auto& x : v) {
        seed = seed * 1103515245u + 12345u;
        x = static_cast<uint8_t>(seed >> 16);
    }
    return v;
}

struct Picture {
    int w, h;
    std::vector<uint8_t> b, g, r;
    Picture(int width, int height)
        : w(width), h(height), b(Noise(static_cast<std::size_t>(width) * height, 1)),
          g(Noise(static_cast<std::size_t>(width) * height, 2)),
          r(Noise(static_cast<std::size_t>(width) * height, 3)) {}
};

void PictureArgs(benchmark::internal::Benchmark* b) {
    for (int depth : {16, 24, 32}) {
        b->Args({800, 640, depth});
        b->Args({640, 512, depth});
    }
}

void BM_PlanesToBitmapPacking(benchmark::State& state) {
    const Picture p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int depth = static_cast<int>(state.range(2));
    const std::size_t stride = static_cast<std::size_t>(p.w * BytesPerPixel(depth));
    std::vector<uint8_t> bits(stride * p.h);
    for (auto _ : state) {
        PackPixels(p.b.data(), p.g.data(), p.r.data(), p.w, p.h, depth, bits.data(), stride);
        benchmark::DoNotOptimize(bits.data());
    }
}
BENCHMARK(BM_PlanesToBitmapPacking)->Apply(PictureArgs);

void BM_BitmapToPlanesUnpacking(benchmark::State& state) {
    Picture p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int depth = static_cast<int>(state.range(2));
    const std::size_t stride = static_cast<std::size_t>(p.w * BytesPerPixel(depth));
    const std::vector<uint8_t> bits = Noise(stride * p.h, 9);
    for (auto _ : state) {
        UnpackPixels(bits.data(), stride, p.w, p.h, depth, p.b.data(), p.g.data(), p.r.data());
        benchmark::DoNotOptimize(p.b.data());
    }
}
BENCHMARK(BM_BitmapToPlanesUnpacking)->Apply(PictureArgs);

// In the program what is packed is blitted at once, and what is unpacked feeds the next step:
// the same kernels, each followed by a read of all it wrote, as its user reads it.
void ProgramArgs(benchmark::internal::Benchmark* b) {
    for (int depth : {24, 32}) {
        b->Args({800, 640, depth});
        b->Args({640, 512, depth});
    }
}

void ReadBack(const uint8_t* data, std::size_t size, std::vector<uint8_t>& sink) {
    sink.resize(size);
    std::memcpy(sink.data(), data, size);
    benchmark::DoNotOptimize(sink.data());
}

void BM_PackingThenShowing(benchmark::State& state) {
    const Picture p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int depth = static_cast<int>(state.range(2));
    const std::size_t stride = static_cast<std::size_t>(p.w * BytesPerPixel(depth));
    std::vector<uint8_t> bits(stride * p.h), shown;
    for (auto _ : state) {
        PackPixels(p.b.data(), p.g.data(), p.r.data(), p.w, p.h, depth, bits.data(), stride);
        ReadBack(bits.data(), bits.size(), shown);
    }
}
BENCHMARK(BM_PackingThenShowing)->Apply(ProgramArgs);

void BM_UnpackingThenUsing(benchmark::State& state) {
    Picture p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int depth = static_cast<int>(state.range(2));
    const std::size_t stride = static_cast<std::size_t>(p.w * BytesPerPixel(depth));
    const std::vector<uint8_t> bits = Noise(stride * p.h, 9);
    std::vector<uint8_t> used;
    for (auto _ : state) {
        UnpackPixels(bits.data(), stride, p.w, p.h, depth, p.b.data(), p.g.data(), p.r.data());
        for (const std::vector<uint8_t>* plane : {&p.b, &p.g, &p.r})
            ReadBack(plane->data(), plane->size(), used);
    }
}
BENCHMARK(BM_UnpackingThenUsing)->Apply(ProgramArgs);

// A 4000 x 3000 photo fitted into the wide layout's 800 x 640 area: 20 %.
void BM_ResamplePercent4000x3000To20(benchmark::State& state) {
    const Picture p(4000, 3000);
    std::vector<uint8_t> b(800 * 600), g(800 * 600), r(800 * 600);
    for (auto _ : state) {
        int w = p.w, h = p.h;
        ResamplePlanes(p.b.data(), p.g.data(), p.r.data(), 20, 20, b.data(), g.data(), r.data(), w,
                       h);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_ResamplePercent4000x3000To20)->Unit(benchmark::kMillisecond);

// A picture with fractions at every column and row: 1411 x 1411 to 45 % (634 x 634).
void BM_ResamplePercent1411x1411To45(benchmark::State& state) {
    const Picture p(1411, 1411);
    std::vector<uint8_t> b(634 * 634), g(634 * 634), r(634 * 634);
    for (auto _ : state) {
        int w = p.w, h = p.h;
        ResamplePlanes(p.b.data(), p.g.data(), p.r.data(), 45, 45, b.data(), g.data(), r.data(), w,
                       h);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_ResamplePercent1411x1411To45)->Unit(benchmark::kMillisecond);

// The photo straight from its 24-bit rows, as a decoded picture is locked, to 20 %.
void BM_ResamplePixels4000x3000To20(benchmark::State& state) {
    const std::vector<uint8_t> bits = Noise(4000u * 3000u * 3u, 7);
    std::vector<uint8_t> b(800 * 600), g(800 * 600), r(800 * 600);
    for (auto _ : state) {
        int w = 4000, h = 3000;
        ResamplePixels(bits.data(), 4000 * 3, 3, 20, 20, b.data(), g.data(), r.data(), w, h);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_ResamplePixels4000x3000To20)->Unit(benchmark::kMillisecond);

// A 200 x 200 sticker dragged over the picture: one base copy plus the sticker's rectangle.
void BM_CompositeDecoration200(benchmark::State& state) {
    PictureWidth = static_cast<int>(state.range(0));
    PictureHeight = static_cast<int>(state.range(1));
    const Picture deco(200, 200);
    const int mode = static_cast<int>(state.range(2));
    for (int i = 0; i < PlaneCapacity; ++i)
        BasePicture.blue[i] = BasePicture.green[i] = BasePicture.red[i] =
            static_cast<uint8_t>(i * 13);
    for (auto _ : state) {
        CompositeDecoration(BasePicture.blue, BasePicture.green, BasePicture.red,
                            CurrentPicture.blue, CurrentPicture.green, CurrentPicture.red,
                            deco.b.data(), deco.g.data(), deco.r.data(), deco.b.data(),
                            deco.g.data(), deco.r.data(), 200, 200, 100, 100, mode);
        benchmark::DoNotOptimize(CurrentPicture.blue);
    }
}
BENCHMARK(BM_CompositeDecoration200)
    ->Args({800, 640, WeightedBlend})
    ->Args({640, 512, WeightedBlend})
    ->Args({800, 640, KeyedBlend})
    ->Args({640, 512, KeyedBlend});

void BM_CompositeFullPicture(benchmark::State& state) {
    PictureWidth = static_cast<int>(state.range(0));
    PictureHeight = static_cast<int>(state.range(1));
    for (auto _ : state) {
        CompositeFullPicture(DecorationPicture.blue, DecorationPicture.green, DecorationPicture.red,
                             BasePicture.blue, BasePicture.green, BasePicture.red,
                             CurrentPicture.blue, CurrentPicture.green, CurrentPicture.red,
                             DecorationWeights.blue, DecorationWeights.green, DecorationWeights.red,
                             0);
        benchmark::DoNotOptimize(CurrentPicture.blue);
    }
}
BENCHMARK(BM_CompositeFullPicture)->Args({800, 640})->Args({640, 512});

// One history state written and read back (the area's three planes, uncompressed).
void BM_HistorySnapshotWriteRead(benchmark::State& state) {
    const int aw = static_cast<int>(state.range(0)), ah = static_cast<int>(state.range(1));
    const std::string name = "/tmp/flimmer-bench-history.tmp";
    for (auto _ : state) {
        WriteTemporaryPicture(StandardPictureFileIo, name.c_str(), CurrentPicture.blue,
                              CurrentPicture.green, CurrentPicture.red, aw, ah);
        ReadTemporaryPicture(StandardPictureFileIo, name.c_str(), CurrentPicture.blue,
                             CurrentPicture.green, CurrentPicture.red, aw, ah, 0);
    }
    std::remove(name.c_str());
}
BENCHMARK(BM_HistorySnapshotWriteRead)->Args({800, 640})->Args({640, 512});

#ifdef FLIMMER_HAVE_OPENCV
void BM_OpenCvMerge(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int depth = static_cast<int>(state.range(2));
    Picture p(w, h);
    std::vector<cv::Mat> planes{cv::Mat(h, w, CV_8U, p.b.data()), cv::Mat(h, w, CV_8U, p.g.data()),
                                cv::Mat(h, w, CV_8U, p.r.data())};
    if (depth == 32)
        planes.push_back(cv::Mat::zeros(h, w, CV_8U));
    cv::Mat merged, packed;
    for (auto _ : state) {
        cv::merge(planes, merged);
        if (depth == 16)
            cv::cvtColor(merged, packed, cv::COLOR_BGR2BGR565);
        benchmark::DoNotOptimize(merged.data);
    }
}
BENCHMARK(BM_OpenCvMerge)->Apply(PictureArgs);

void BM_OpenCvSplit(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int depth = static_cast<int>(state.range(2));
    const std::vector<uint8_t> bits = Noise(static_cast<std::size_t>(w) * h * 4, 5);
    const int type = depth == 16 ? CV_8UC2 : depth == 24 ? CV_8UC3 : CV_8UC4;
    const cv::Mat device(h, w, type, const_cast<uint8_t*>(bits.data()));
    std::vector<cv::Mat> planes;
    cv::Mat wide;
    for (auto _ : state) {
        if (depth == 16) {
            cv::cvtColor(device, wide, cv::COLOR_BGR5652BGR);
            cv::split(wide, planes);
        } else {
            cv::split(device, planes);
        }
        benchmark::DoNotOptimize(planes.data());
    }
}
BENCHMARK(BM_OpenCvSplit)->Apply(PictureArgs);

void BM_OpenCvMergeThenShowing(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    Picture p(w, h);
    std::vector<cv::Mat> planes{cv::Mat(h, w, CV_8U, p.b.data()), cv::Mat(h, w, CV_8U, p.g.data()),
                                cv::Mat(h, w, CV_8U, p.r.data())};
    if (state.range(2) == 32)
        planes.push_back(cv::Mat::zeros(h, w, CV_8U));
    cv::Mat merged;
    std::vector<uint8_t> shown;
    for (auto _ : state) {
        cv::merge(planes, merged);
        ReadBack(merged.data, merged.total() * merged.elemSize(), shown);
    }
}
BENCHMARK(BM_OpenCvMergeThenShowing)->Apply(ProgramArgs);

void BM_OpenCvSplitThenUsing(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::vector<uint8_t> bits = Noise(static_cast<std::size_t>(w) * h * 4, 5);
    const cv::Mat device(h, w, state.range(2) == 24 ? CV_8UC3 : CV_8UC4,
                         const_cast<uint8_t*>(bits.data()));
    std::vector<cv::Mat> planes;
    std::vector<uint8_t> used;
    for (auto _ : state) {
        cv::split(device, planes);
        for (int c = 0; c < 3; ++c)
            ReadBack(planes[c].data, planes[c].total(), used);
    }
}
BENCHMARK(BM_OpenCvSplitThenUsing)->Apply(ProgramArgs);

void BM_OpenCvResizeLinear4000x3000To20(benchmark::State& state) {
    const std::vector<uint8_t> bits = Noise(4000u * 3000u * 3u, 7);
    const cv::Mat photo(3000, 4000, CV_8UC3, const_cast<uint8_t*>(bits.data()));
    cv::Mat small;
    for (auto _ : state) {
        cv::resize(photo, small, cv::Size(800, 600), 0, 0, cv::INTER_LINEAR);
        benchmark::DoNotOptimize(small.data);
    }
}
BENCHMARK(BM_OpenCvResizeLinear4000x3000To20)->Unit(benchmark::kMillisecond);

void BM_OpenCvResizeLinear1411x1411To45(benchmark::State& state) {
    const std::vector<uint8_t> bits = Noise(1411u * 1411u * 3u, 7);
    const cv::Mat photo(1411, 1411, CV_8UC3, const_cast<uint8_t*>(bits.data()));
    cv::Mat small;
    for (auto _ : state) {
        cv::resize(photo, small, cv::Size(634, 634), 0, 0, cv::INTER_LINEAR);
        benchmark::DoNotOptimize(small.data);
    }
}
BENCHMARK(BM_OpenCvResizeLinear1411x1411To45)->Unit(benchmark::kMillisecond);

// The nearest OpenCV sticker: copy the base, then a per-pixel weighted blend of the rectangle.
void BM_OpenCvBlendLinear200(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::vector<uint8_t> baseBits = Noise(static_cast<std::size_t>(w) * h * 3, 1);
    const cv::Mat base(h, w, CV_8UC3, const_cast<uint8_t*>(baseBits.data()));
    const std::vector<uint8_t> decoBits = Noise(200u * 200u * 3u, 2);
    const cv::Mat deco(200, 200, CV_8UC3, const_cast<uint8_t*>(decoBits.data()));
    cv::Mat wd(200, 200, CV_32F), wb(200, 200, CV_32F);
    cv::randu(wd, 0.0f, 1.0f);
    wb = 1.0f - wd;
    cv::Mat current;
    for (auto _ : state) {
        base.copyTo(current);
        cv::Mat roi = current(cv::Rect(100, 100, 200, 200));
        cv::Mat out;
        cv::blendLinear(roi, deco, wb, wd, out);
        out.copyTo(roi);
        benchmark::DoNotOptimize(current.data);
    }
}
BENCHMARK(BM_OpenCvBlendLinear200)->Args({800, 640})->Args({640, 512});
#endif

} // namespace
