// Collects a window shape as one-pixel-high runs in the platform's region-data
// layout (32-byte header, then left/top/right/bottom rectangles), handed over
// in batches so that shaping stays one pass over the pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct RegionRect {
    int32_t left, top, right, bottom;
};

struct RegionHeader {
    uint32_t size;  // 32
    uint32_t type;  // 1: rectangles
    uint32_t count; // rectangles in the batch
    uint32_t regionSize;
    RegionRect bounds;
};
static_assert(sizeof(RegionHeader) == 32);

class RegionBuffer {
  public:
    static constexpr uint32_t Growth = 100;
    static constexpr uint32_t BatchSize = 2000;

    RegionBuffer();
    // Adds a run; true when the batch is full and must be handed over, then Reset.
    bool Append(const RegionRect& r);
    void Reset();
    const RegionHeader& Header() const;
    const void* Data() const { return storage_.data(); }
    std::size_t AllocatedBytes() const { return storage_.size() * sizeof(uint32_t); }
    uint32_t Capacity() const { return capacity_; }
    const RegionRect& Rect(uint32_t i) const;

  private:
    RegionHeader& MutableHeader();
    std::vector<uint32_t> storage_; // 4-byte aligned block, header then rectangles
    uint32_t capacity_;
};

// Key range test of one pixel's three bytes in memory order.
struct KeyRange {
    uint8_t low[3], high[3];
};
KeyRange MakeKeyRange(const uint8_t key[3], const uint8_t tolerance[3]);
inline bool IsKeyPixel(const uint8_t* pixel, const KeyRange& k) {
    for (int c = 0; c < 3; ++c)
        if (pixel[c] < k.low[c] || pixel[c] > k.high[c])
            return false;
    return true;
}

// Walks a 32-bit picture row (w pixels of 4 bytes) and appends the runs of
// non-key pixels at row y, calling flush(buffer) whenever a batch is full.
template <class Flush>
void AppendRowRuns(RegionBuffer& buffer, const uint8_t* row, int w, int y, const KeyRange& key,
                   Flush&& flush) {
    int x = 0;
    while (x < w) {
        const int x0 = x;
        while (x < w && !IsKeyPixel(row + 4 * x, key))
            ++x;
        if (x > x0 && buffer.Append({x0, y, x, y + 1})) {
            flush(buffer);
            buffer.Reset();
        }
        ++x;
    }
}
