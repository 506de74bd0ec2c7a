// Shaping the start screen: one pass over a 365 x 365 picture, runs handed over in batches.
#include "skin/region_runs.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_StartScreenShapeRuns(benchmark::State& state) {
    const int w = 365, h = 365;
    std::vector<uint8_t> pixels(static_cast<size_t>(w * h * 4), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x - 182, dy = y - 182;
            if (dx * dx + dy * dy < 175 * 175)
                pixels[static_cast<size_t>((y * w + x) * 4 + 2)] = 90;
        }
    const uint8_t key[3] = {0, 0, 0}, tolerance[3] = {0, 0, 0};
    const KeyRange range = MakeKeyRange(key, tolerance);
    for (auto _ : state) {
        RegionBuffer buffer;
        uint32_t handed = 0;
        auto take = [&handed](const RegionBuffer& b) { handed += b.Header().count; };
        for (int y = 0; y < h; ++y)
            AppendRowRuns(buffer, pixels.data() + static_cast<size_t>(y * w * 4), w, y, range, take);
        take(buffer);
        benchmark::DoNotOptimize(handed);
    }
}
BENCHMARK(BM_StartScreenShapeRuns);

} // namespace
