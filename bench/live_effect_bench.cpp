// The live preview's work for one camera frame, per effect, on one core: the frame taken from
// the mailbox, turned upright and mirrored, fitted to the 640 x 512 picture area, the effect, and
// the 32-bit pixels the picture window blits. Beside it OpenCV's nearest pipeline: flip, resize,
// the closest operations for each effect, and the conversion to 32 bits. Budget: a 30 fps frame.
#include "capture/capture_frames.h"
#include "capture/frame_mailbox.h"
#include "capture/live_effect.h"
#include "effects/colour_adjust.h"
#include "skin/color_planes.h"

#include "effects_reference.h"

#include <benchmark/benchmark.h>

#include <sched.h>

#include <cstring>
#include <random>
#include <vector>

#ifdef FLIMMER_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr int AreaWidth = 640, AreaHeight = 512;
constexpr double FrameBudgetMs = 1000.0 / 30;

// Both sides run on the processor this thread is on, helper threads included.
class OneCore {
  public:
    OneCore() {
        sched_getaffinity(0, sizeof before_, &before_);
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu(), &one);
        sched_setaffinity(0, sizeof one, &one);
    }
    ~OneCore() { sched_setaffinity(0, sizeof before_, &before_); }
    OneCore(const OneCore&) = delete;
    OneCore& operator=(const OneCore&) = delete;

  private:
    cpu_set_t before_;
};

// A camera frame as the grabber delivers it: bottom-up padded rows of a real photo, tiled.
std::vector<std::uint8_t> CameraSample(int width, int height) {
    const std::size_t stride = GrabberStride(width, 3);
    std::vector<std::uint8_t> f(stride * height);
    int pw = 0, ph = 0;
    std::vector<uint8_t> b, g, r;
    const std::string path = reference::PhotoPath("chelsea.bmp");
    const bool photo = !path.empty() && reference::LoadBmp24(path.c_str(), pw, ph, b, g, r);
    std::mt19937 rng(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &f[stride * y + 3 * static_cast<std::size_t>(x)];
            const std::size_t s = photo ? static_cast<std::size_t>((y % ph) * pw + x % pw) : 0;
            p[0] = photo ? b[s] : static_cast<std::uint8_t>(rng());
            p[1] = photo ? g[s] : static_cast<std::uint8_t>(rng());
            p[2] = photo ? r[s] : static_cast<std::uint8_t>(rng());
        }
    return f;
}

void Report(benchmark::State& state) {
    state.counters["budget_ms"] = FrameBudgetMs;
}

// Two camera sizes, each with "none" (-1) and every effect; timed as the process's CPU.
void PipelineCases(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{640}, {480}, benchmark::CreateDenseRange(-1, 14, 1)})
        ->ArgsProduct({{1280}, {720}, benchmark::CreateDenseRange(-1, 14, 1)})
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
}

// Effect -1 is "none".
void BM_LivePipeline(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const int effect = static_cast<int>(state.range(2));
    const OneCore pinned;
    ResetColourSettings();
    const std::vector<std::uint8_t> sample = CameraSample(width, height);
    static LivePictures pictures;
    static FrameMailbox mailbox;
    OpenMailbox(mailbox);
    std::vector<std::uint8_t> frame;
    std::vector<std::uint8_t> upright(static_cast<std::size_t>(width) * height * 3);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(AreaWidth) * AreaHeight * 4);
    for (auto _ : state) {
        // The grabber's callback and the user interface's take.
        PutFrame(mailbox, sample.data(), sample.size());
        TakeFrame(mailbox, frame);
        int w = 0, h = 0;
        const ColorPlanes* shown =
            LiveFramePicture(frame.data(), frame.size(), width, height, false, true, AreaWidth,
                             AreaHeight, effect, upright.data(), pictures, w, h);
        if (shown == nullptr) {
            state.SkipWithError("frame refused");
            break;
        }
        PackPixels(shown->blue, shown->green, shown->red, w, h, 32, pixels.data(),
                   static_cast<std::size_t>(AreaWidth) * 4);
        benchmark::ClobberMemory();
    }
    CloseMailbox(mailbox);
    Report(state);
}
BENCHMARK(BM_LivePipeline)->Apply(PipelineCases);

#ifdef FLIMMER_HAVE_OPENCV

// Eight compass kernels; the strongest response, at least 0, times the factor.
void CvCompass(const cv::Mat& in, cv::Mat& out, double factor) {
    static const int ring[8][2] = {{-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1},
                                   {-1, -1}};
    cv::Mat best(in.size(), CV_MAKETYPE(CV_16S, in.channels()), cv::Scalar::all(0)), sums;
    for (int d = 0; d < 8; ++d) {
        cv::Mat k(3, 3, CV_32F, cv::Scalar(-1));
        for (int j = -2; j <= 2; ++j) {
            const int* at = ring[(d + j + 8) % 8];
            k.at<float>(1 + at[0], 1 + at[1]) = 1;
        }
        k.at<float>(1, 1) = -2;
        cv::filter2D(in, sums, CV_16S, k);
        best = cv::max(best, sums);
    }
    best.convertTo(out, CV_8U, factor);
}

void CvRepeated(cv::Mat& picture, int passes, const cv::Mat& kernel) {
    cv::Mat blurred, median;
    for (int pass = 0; pass < passes; ++pass) {
        cv::blur(picture, blurred, cv::Size(3, 3));
        cv::medianBlur(blurred, median, 3);
        cv::filter2D(median, picture, -1, kernel);
    }
}

void CvEffect(int effect, cv::Mat& picture) {
    static const cv::Mat sharpen = (cv::Mat_<float>(3, 3) << 0, -1, 0, -1, 5, -1, 0, -1, 0);
    static const cv::Mat strong = (cv::Mat_<float>(3, 3) << -1, -1, -1, -1, 9, -1, -1, -1, -1);
    static const cv::Mat slant = (cv::Mat_<float>(3, 3) << 0, -1, 3, -4, 10, -3, 3, -3, -3);
    static const cv::Mat emboss = (cv::Mat_<float>(1, 2) << -1, 1);
    static cv::Mat fold, relief;
    if (fold.empty()) {
        fold.create(1, 256, CV_8U);
        relief.create(1, 256, CV_8UC3);
        for (int v = 0; v < 256; ++v) {
            fold.at<uint8_t>(v) = static_cast<uint8_t>(v < 128 ? 180 - v : v);
            relief.at<cv::Vec3b>(v) = cv::Vec3b(static_cast<uint8_t>(v - 90),
                                                static_cast<uint8_t>(v + 55), 255);
        }
    }
    cv::Mat t, grey;
    switch (effect) {
    case 0:
        cv::cvtColor(picture, grey, cv::COLOR_BGR2GRAY);
        cv::cvtColor(grey, picture, cv::COLOR_GRAY2BGR);
        break;
    case 1:
        cv::bitwise_not(picture, picture);
        break;
    case 2:
        cv::LUT(picture, fold, t);
        picture = t;
        break;
    case 3:
    case 10:
        cv::filter2D(picture, t, CV_16S, effect == 3 ? sharpen : slant);
        cv::convertScaleAbs(t, picture);
        break;
    case 4:
        cv::medianBlur(picture, t, 3);
        picture = t;
        break;
    case 5:
        cv::blur(picture, t, cv::Size(3, 3));
        picture = t;
        break;
    case 6:
        cv::resize(picture, t, cv::Size(picture.cols / 5, picture.rows / 5), 0, 0, cv::INTER_AREA);
        cv::resize(t, picture, picture.size(), 0, 0, cv::INTER_NEAREST);
        break;
    case 7:
        CvRepeated(picture, 3, strong);
        break;
    case 8:
        CvRepeated(picture, 7, sharpen);
        break;
    case 9:
        CvRepeated(picture, 3, sharpen);
        break;
    case 11:
        CvCompass(picture, t, 1.1);
        picture = t;
        break;
    case 12:
        CvCompass(picture, t, 0.8);
        cv::cvtColor(t, grey, cv::COLOR_BGR2GRAY);
        cv::bitwise_not(grey, grey);
        cv::cvtColor(grey, picture, cv::COLOR_GRAY2BGR);
        break;
    case 13:
        cv::filter2D(picture, t, -1, emboss, cv::Point(0, 0), 142);
        t.convertTo(picture, -1, 1.3);
        break;
    case 14:
        cv::filter2D(picture, t, -1, emboss, cv::Point(0, 0), 142);
        cv::cvtColor(t, grey, cv::COLOR_BGR2GRAY);
        cv::cvtColor(grey, t, cv::COLOR_GRAY2BGR);
        cv::LUT(t, relief, picture);
        break;
    default:
        break;
    }
}

void BM_OpenCvLivePipeline(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const int effect = static_cast<int>(state.range(2));
    const OneCore pinned;
    cv::setNumThreads(1);
    const std::vector<std::uint8_t> sample = CameraSample(width, height);
    static FrameMailbox mailbox;
    OpenMailbox(mailbox);
    std::vector<std::uint8_t> frame;
    const int percent = std::min({100, AreaWidth * 100 / width, AreaHeight * 100 / height});
    const cv::Size fittedSize(width * percent / 100, height * percent / 100);
    cv::Mat upright, fitted, pixels;
    for (auto _ : state) {
        PutFrame(mailbox, sample.data(), sample.size());
        TakeFrame(mailbox, frame);
        const cv::Mat grabbed(height, width, CV_8UC3, frame.data(), GrabberStride(width, 3));
        // Bottom-up to top-down and mirrored: both axes.
        cv::flip(grabbed, upright, -1);
        if (percent < 100)
            cv::resize(upright, fitted, fittedSize, 0, 0, cv::INTER_LINEAR);
        else
            fitted = upright;
        CvEffect(effect, fitted);
        cv::cvtColor(fitted, pixels, cv::COLOR_BGR2BGRA);
        benchmark::ClobberMemory();
    }
    CloseMailbox(mailbox);
    Report(state);
}
BENCHMARK(BM_OpenCvLivePipeline)->Apply(PipelineCases);

#endif

} // namespace
