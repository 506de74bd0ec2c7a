// The region builder over a 32-bit picture of any size and any key: every batch handed over is
// read through the raw region-data block the platform gets, and the runs must cover exactly
// the pixels outside the key range.
//
// Input: width (a byte below 0xC0 gives 0..127, else 0..4095 from two more bytes), height
// (0..63), key and tolerance (three bytes each), a pixel pattern (tiled, 4 bytes a pixel).
#include "fuzz_support.h"

#include "skin/region_runs.h"

#include <algorithm>

namespace {

struct Collected {
    std::vector<RegionRect> rects;
    int fullBatches = 0;
};

// Reads a batch as the platform does: a 32-byte header, then count rectangles.
void TakeBatch(const RegionBuffer& buffer, Collected& out, bool handedOverFull) {
    const auto* bytes = static_cast<const uint8_t*>(buffer.Data());
    RegionHeader header;
    FUZZ_CHECK(buffer.AllocatedBytes() >= sizeof header);
    std::memcpy(&header, bytes, sizeof header);
    FUZZ_CHECK(header.size == sizeof(RegionHeader) && header.type == 1);
    FUZZ_CHECK(header.count <= buffer.Capacity() && header.count <= RegionBuffer::BatchSize);
    FUZZ_CHECK(buffer.AllocatedBytes() >= sizeof header + header.count * sizeof(RegionRect));
    if (handedOverFull) {
        FUZZ_CHECK(header.count == RegionBuffer::BatchSize);
        ++out.fullBatches;
    }
    RegionRect bounds{2147483647, 2147483647, 0, 0};
    for (uint32_t i = 0; i < header.count; ++i) {
        RegionRect r;
        std::memcpy(&r, bytes + sizeof header + i * sizeof r, sizeof r);
        const RegionRect& viaAccessor = buffer.Rect(i);
        FUZZ_CHECK(std::memcmp(&r, &viaAccessor, sizeof r) == 0);
        bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top),
                  std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom)};
        out.rects.push_back(r);
    }
    FUZZ_CHECK(std::memcmp(&bounds, &header.bounds, sizeof bounds) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    // Mostly narrow pictures, which run fast; wide ones fill batches of runs in a few rows.
    const uint8_t narrow = in.Byte();
    const int w = narrow < 0xC0 ? narrow % 128 : in.Between(0, 4095);
    const int h = in.Between(0, 63);
    uint8_t key[3], tolerance[3];
    for (uint8_t& k : key)
        k = in.Byte();
    for (uint8_t& t : tolerance)
        t = in.Byte();
    const std::vector<uint8_t> pattern = in.Bytes(in.Remaining());
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
    const ExactBuffer picture(Tiled(pattern, rowBytes * h));

    const KeyRange range = MakeKeyRange(key, tolerance);
    RegionBuffer buffer;
    Collected got;
    for (int y = 0; y < h; ++y) {
        // Each row in a block of its own, so reading past its end is caught.
        const ExactBuffer row(std::vector<uint8_t>(picture.data() + y * rowBytes,
                                                   picture.data() + (y + 1) * rowBytes));
        AppendRowRuns(buffer, row.data(), w, y, range,
                      [&got](const RegionBuffer& b) { TakeBatch(b, got, true); });
    }
    TakeBatch(buffer, got, false);
    FUZZ_CHECK(got.fullBatches == static_cast<int>(got.rects.size() / RegionBuffer::BatchSize));

    // Runs are one pixel high, in the picture, in order, and never touch: between two runs of a
    // row lies at least one key pixel.
    std::vector<uint8_t> covered(static_cast<std::size_t>(w) * h, 0);
    for (std::size_t i = 0; i < got.rects.size(); ++i) {
        const RegionRect& r = got.rects[i];
        FUZZ_CHECK(r.top >= 0 && r.top < h && r.bottom == r.top + 1);
        FUZZ_CHECK(r.left >= 0 && r.left < r.right && r.right <= w);
        if (i > 0) {
            const RegionRect& p = got.rects[i - 1];
            FUZZ_CHECK(p.top < r.top || (p.top == r.top && p.right < r.left));
        }
        for (int x = r.left; x < r.right; ++x)
            covered[static_cast<std::size_t>(r.top) * w + x] = 1;
    }
    // A key pixel has every byte within key .. key + tolerance; the runs are everything else.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* pixel = picture.data() + y * rowBytes + 4 * x;
            bool isKey = true;
            for (int c = 0; c < 3; ++c)
                isKey = isKey && pixel[c] >= key[c] && pixel[c] <= key[c] + tolerance[c];
            FUZZ_CHECK(covered[static_cast<std::size_t>(y) * w + x] == (isKey ? 0 : 1));
        }
    return 0;
}
