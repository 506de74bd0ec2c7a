#include "effects/resample.h"

#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include <cstring>
#include <emmintrin.h>
#include <algorithm>
#include <atomic>
#include <immintrin.h>
#include <memory>
#include <new>
#include <exception>
#include <thread>
#include <vector>

namespace {

// Where one destination offset samples the source: the lower source index and the fraction.
struct Tap {
    bool inside;
    int first, second; // second repeats the edge pixel past the last column or row
    float fraction;
};

Tap TapFor(int offset, float scale, int half, int size) {
    const float c = offset / scale;
    int k = c > 0 ? static_cast<int>(c) : static_cast<int>(c - 1);
    float e = c - k;
    if (e == 1) {
        k += 1;
        e = 0;
    }
    Tap t{};
    t.inside = -half <= k && k < half;
    if (t.inside) {
        t.first = k + half;
        t.second = t.first + 1 < size ? t.first + 1 : size - 1;
        t.fraction = e;
    }
    return t;
}

// Taps of destination indices start .. start + count - 1 (offsets from the centre).
std::vector<Tap> TapsFor(int start, int count, float scale, int size) {
    const int half = size / 2;
    std::vector<Tap> taps(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        const int index = start + n;
        // An odd size leaves the last index without an offset of its own.
        if (index < 2 * half)
            taps[static_cast<std::size_t>(n)] = TapFor(index - half, scale, half, size);
    }
    return taps;
}

// ---- The fast zoom. Each source row that a destination row needs is interpolated across,
// f * p1 + (1 - f) * p0 per destination column, and a destination row is (1 - e) times its
// upper row across plus e times its lower one. Every single-precision operation is the
// straightforward form's own, in its order. With e = 0 the lower row is not needed: the upper
// row times 1 plus 0 is the upper row.

constexpr int Block = 32; // destination columns per step; the column tables are padded to it

// The columns of one window, prepared once for all rows and planes. Columns outside the source,
// and the padding, have f = 1 - f = 0, which makes them 0 whatever they read.
struct Columns {
    int cols = 0, padded = 0;
    std::vector<float> f, g; // f and 1 - f
    // The offset of a two-byte load holding p0 and p1. Columns whose second pixel is their
    // first (the last source column) load elsewhere and are redone one by one.
    std::vector<int32_t> pair;
    std::vector<int32_t> edgeColumn, edgeSource;
    // With AVX2, each lane of four columns reads one 16-byte window of the row and shuffles p0
    // and p1 out of it into 32-bit lanes; used when every lane fits.
    bool windows = false;
    std::vector<int32_t> windowStart;
    std::vector<uint8_t> control;
    // When no column has a fraction, a row with e = 0 is its pixels p0 as they are: each group
    // of eight columns shuffles its bytes straight to their place among Block (see
    // NearestRowAvx2).
    bool nearest = false;
    std::vector<uint8_t> byteControl;
};

Columns PrepareColumns(const std::vector<Tap>& across, int width) {
    Columns c;
    c.cols = static_cast<int>(across.size());
    c.padded = (c.cols + Block - 1) / Block * Block;
    const std::size_t n = static_cast<std::size_t>(c.padded);
    c.f.assign(n, 0.0f);
    c.g.assign(n, 0.0f);
    c.pair.assign(n, 0);
    for (int k = 0; k < c.cols; ++k) {
        const Tap& t = across[static_cast<std::size_t>(k)];
        if (!t.inside)
            continue;
        c.f[k] = t.fraction;
        c.g[k] = 1 - t.fraction;
        if (t.second == t.first) {
            c.edgeColumn.push_back(k);
            c.edgeSource.push_back(t.first);
            c.pair[k] = width - 2;
        } else {
            c.pair[k] = t.first;
        }
    }
    c.windows = width >= 16;
    c.nearest = true;
    const std::size_t lanes = n / 4;
    c.windowStart.assign(lanes, 0);
    c.control.assign(n * 8, 0x80); // 0x80: the shuffle writes a zero byte
    c.byteControl.assign(lanes * 16, 0x80);
    for (std::size_t lane = 0; lane < lanes && c.windows; ++lane) {
        int low = width, high = -1;
        for (std::size_t k = lane * 4; k < lane * 4 + 4 && k < across.size(); ++k) {
            const Tap& t = across[k];
            if (!t.inside)
                continue;
            low = t.first < low ? t.first : low;
            // With f = 0 the second pixel is multiplied by 0 and need not be read.
            const int last = t.fraction != 0 ? t.second : t.first;
            high = last > high ? last : high;
        }
        if (high < 0)
            continue;
        const int start = low < width - 16 ? low : width - 16;
        if (high - start > 15) {
            c.windows = false;
            break;
        }
        c.windowStart[lane] = start;
        for (std::size_t k = lane * 4; k < lane * 4 + 4 && k < across.size(); ++k) {
            const Tap& t = across[k];
            if (!t.inside)
                continue;
            // Per eight columns, 32 bytes that take out p0 and 32 that take out p1.
            const std::size_t at = k / 8 * 64 + k % 8 * 4;
            c.control[at] = static_cast<uint8_t>(t.first - start);
            if (t.fraction != 0)
                c.control[at + 32] = static_cast<uint8_t>(t.second - start);
            c.nearest = c.nearest && t.fraction == 0;
            c.byteControl[lane * 16 + k / 8 % 4 * 4 + k % 4] =
                static_cast<uint8_t>(t.first - start);
        }
    }
    return c;
}

// ---- Rows across into rows of floats, then down: the baseline, and AVX2's form when some lane
// of columns does not fit a window.

// The baseline runs four lanes wide, AVX2 eight (LaneTypes).
// s - 0 is s for every s, -0.0 included.
template <typename V> FLIMMER_INLINE V Splat(float s) {
    return s - V{};
}

inline uint16_t LoadPair(const uint8_t* p) {
    uint16_t pair;
    std::memcpy(&pair, p, 2);
    return pair;
}

// p0 in the low byte of each lane, p1 in the high byte. Written as one initialiser, GCC
// gathers the lanes as a tree rather than a chain of inserts.
FLIMMER_INLINE V4i32 LoadPairs(const uint8_t* row, const int32_t* at, V4i32) {
    const V4u16 pairs = {LoadPair(row + at[0]), LoadPair(row + at[1]), LoadPair(row + at[2]),
                         LoadPair(row + at[3])};
    // Zero-extended by interleaving with zeros: GCC turns a plain conversion into more.
    return (V4i32)__builtin_shufflevector(pairs, V4u16{}, 0, 4, 1, 5, 2, 6, 3, 7);
}
FLIMMER_INLINE V8i32 LoadPairs(const uint8_t* row, const int32_t* at, V8i32) {
    const V8u16 pairs = {LoadPair(row + at[0]), LoadPair(row + at[1]), LoadPair(row + at[2]),
                          LoadPair(row + at[3]), LoadPair(row + at[4]), LoadPair(row + at[5]),
                          LoadPair(row + at[6]), LoadPair(row + at[7])};
    return (V8i32)__builtin_shufflevector(pairs, V8u16{}, 0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13,
                                          6, 14, 7, 15);
}

template <int N> FLIMMER_INLINE void AcrossPairs(const uint8_t* row, const Columns& c, float* out) {
    using F = typename LaneTypes<N>::F;
    using I = typename LaneTypes<N>::I;
    const int32_t* at = c.pair.data();
    const float* f = c.f.data();
    const float* g = c.g.data();
    for (int k = 0; k < c.padded; k += N) {
        const I x = LoadPairs(row, at + k, I{});
        const F p0 = __builtin_convertvector(x & 0xff, F);
        const F p1 = __builtin_convertvector(x >> 8, F);
        StoreVector(out + k, LoadVector<F>(f + k) * p1 + LoadVector<F>(g + k) * p0);
    }
    for (std::size_t i = 0; i < c.edgeColumn.size(); ++i) {
        const int k = c.edgeColumn[i];
        const float p = row[c.edgeSource[i]];
        out[k] = f[k] * p + g[k] * p;
    }
}

// The saturating packs narrow to bytes (values are 0 .. 255 already); GCC's own narrowing goes
// lane by lane.
FLIMMER_INLINE void StoreBytes(uint8_t* out, const V4i32 (&v)[4]) {
    const __m128i low = _mm_packs_epi32((__m128i)v[0], (__m128i)v[1]);
    const __m128i high = _mm_packs_epi32((__m128i)v[2], (__m128i)v[3]);
    _mm_storeu_si128((__m128i*)out, _mm_packus_epi16(low, high));
}

// 16 destination pixels at column k: (1 - e) times the upper row plus e times the lower,
// truncated, or without a lower row the upper row alone.
template <int N>
FLIMMER_INLINE void DownSixteen(const float* upper, const float* lower, float e, int k,
                                uint8_t* out) {
    using F = typename LaneTypes<N>::F;
    using I = typename LaneTypes<N>::I;
    const F ev = Splat<F>(e), ge = 1.0f - ev;
    V4i32 whole[4];
    for (int j = 0; j < 16; j += N) {
        F v = LoadVector<F>(upper + k + j);
        if (lower != nullptr)
            v = v * ge + ev * LoadVector<F>(lower + k + j);
        const I w = __builtin_convertvector(v, I);
        std::memcpy(&whole[j / 4], &w, sizeof w);
    }
    StoreBytes(out, whole);
}

template <int N>
FLIMMER_INLINE void Down(const float* upper, const float* lower, float e, int cols, uint8_t* out) {
    if (cols < 16) {
        uint8_t block[16];
        DownSixteen<N>(upper, lower, e, 0, block);
        std::memcpy(out, block, static_cast<std::size_t>(cols));
        return;
    }
    ForGroups<16>(0, cols,
                  [&](int k) FLIMMER_LAMBDA { DownSixteen<N>(upper, lower, e, k, out + k); });
}

FLIMMER_NOINLINE void AcrossPairsBase(const uint8_t* row, const Columns& c, float* out) {
    AcrossPairs<4>(row, c, out);
}
FLIMMER_AVX2 void AcrossPairsAvx2(const uint8_t* row, const Columns& c, float* out) {
    AcrossPairs<8>(row, c, out);
}
FLIMMER_NOINLINE void DownBase(const float* upper, const float* lower, float e, int cols,
                               uint8_t* out) {
    Down<4>(upper, lower, e, cols, out);
}
FLIMMER_AVX2 void DownAvx2(const float* upper, const float* lower, float e, int cols,
                           uint8_t* out) {
    Down<8>(upper, lower, e, cols, out);
}

// ---- AVX2 windows: across and down in one pass for every plane, without storing a row of
// floats unless the next destination row reads the same source row.

// The column tables, read through pointers of their own: stores of bytes could alias the
// vectors' members, which would then be read again at every step.
struct ColumnTables {
    const int32_t* start;
    const uint8_t* control;
    const float* f;
    const float* g;
};

// What eight columns at column k share across planes and rows: the shuffles that take p0 and p1 out
// of their windows, f and 1 - f.
struct EightColumns {
    __m256i first, second;
    __m256 f, g;
};

FLIMMER_AVX2_INLINE EightColumns ColumnsAt(const ColumnTables& c, int k) {
    EightColumns e;
    e.first = _mm256_loadu_si256((const __m256i*)(c.control + 8 * k));
    e.second = _mm256_loadu_si256((const __m256i*)(c.control + 8 * k + 32));
    e.f = _mm256_loadu_ps(c.f + k);
    e.g = _mm256_loadu_ps(c.g + k);
    return e;
}

// One source row across at the eight columns, whose windows start at start[0] and start[1].
FLIMMER_AVX2_INLINE __m256 AcrossEight(const uint8_t* row, const int32_t* start,
                                       const EightColumns& e) {
    const __m128i low = _mm_loadu_si128((const __m128i*)(row + start[0]));
    const __m128i high = _mm_loadu_si128((const __m128i*)(row + start[1]));
    const __m256i window = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
    const __m256 p0 = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(window, e.first));
    const __m256 p1 = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(window, e.second));
    return _mm256_add_ps(_mm256_mul_ps(e.f, p1), _mm256_mul_ps(e.g, p0));
}

// Where one destination row comes from, for each plane: its upper source row (bytes, or held
// across), its lower source row when e is not 0, and where to keep the lower row across for the
// next destination row.
struct RowSources {
    const uint8_t* upper[3];
    const float* upperAcross[3];
    const uint8_t* lower[3];
    float* keepLower[3];
    float e;
};

template <int Planes, bool HeldUpper, bool HasLower, bool KeepLower>
FLIMMER_AVX2 void WindowsRowAvx2(const Columns& columns, const RowSources& s, uint8_t* const* out) {
    const ColumnTables c{columns.windowStart.data(), columns.control.data(), columns.f.data(),
                         columns.g.data()};
    const int cols = columns.cols;
    const RowSources rows = s;
    uint8_t* line[Planes];
    for (int p = 0; p < Planes; ++p)
        line[p] = out[p];
    const __m256 ev = _mm256_set1_ps(s.e);
    const __m256 ge = _mm256_sub_ps(_mm256_set1_ps(1.0f), ev);
    for (int k = 0; k < cols; k += 16) {
        __m256i whole[Planes][2];
        for (int j = 0; j < 2; ++j) {
            const int m = k + 8 * j;
            const int32_t* start = c.start + m / 4;
            const EightColumns e = ColumnsAt(c, m);
            for (int p = 0; p < Planes; ++p) {
                const __m256 upper = HeldUpper ? _mm256_loadu_ps(rows.upperAcross[p] + m)
                                               : AcrossEight(rows.upper[p], start, e);
                __m256 value = upper;
                if constexpr (HasLower) {
                    const __m256 lower = AcrossEight(rows.lower[p], start, e);
                    if constexpr (KeepLower)
                        _mm256_storeu_ps(rows.keepLower[p] + m, lower);
                    value = _mm256_add_ps(_mm256_mul_ps(upper, ge), _mm256_mul_ps(ev, lower));
                }
                whole[p][j] = _mm256_cvttps_epi32(value);
            }
        }
        for (int p = 0; p < Planes; ++p) {
            // Within lanes: 0-3 of the first eight, 0-3 of the second, then 4-7 of each.
            const __m256i words = _mm256_packs_epi32(whole[p][0], whole[p][1]);
            const __m128i bytes = _mm_shuffle_epi32(
                _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1)),
                0xd8);
            if (k + 16 <= cols) {
                _mm_storeu_si128((__m128i*)(line[p] + k), bytes);
            } else {
                uint8_t last[16];
                _mm_storeu_si128((__m128i*)last, bytes);
                std::memcpy(line[p] + k, last, static_cast<std::size_t>(cols - k));
            }
        }
    }
}

// A row of pixels p0 without fractions: each group of eight columns shuffles its bytes to
// their places among 32, no arithmetic.
template <int Planes>
FLIMMER_AVX2 void NearestRowAvx2(const Columns& c, const RowSources& s, uint8_t* const* out) {
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    for (int k = 0; k < c.padded; k += Block) {
        __m256i bytes[Planes];
        for (int p = 0; p < Planes; ++p)
            bytes[p] = _mm256_setzero_si256();
        for (int j = 0; j < 4; ++j) {
            const int lane = (k + 8 * j) / 4;
            const int32_t* start = c.windowStart.data() + lane;
            const __m256i control =
                _mm256_loadu_si256((const __m256i*)(c.byteControl.data() + 16 * lane));
            for (int p = 0; p < Planes; ++p) {
                const __m128i low = _mm_loadu_si128((const __m128i*)(s.upper[p] + start[0]));
                const __m128i high = _mm_loadu_si128((const __m128i*)(s.upper[p] + start[1]));
                const __m256i window =
                    _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
                bytes[p] = _mm256_or_si256(bytes[p], _mm256_shuffle_epi8(window, control));
            }
        }
        for (int p = 0; p < Planes; ++p) {
            const __m256i ordered = _mm256_permutevar8x32_epi32(bytes[p], order);
            if (k + Block <= c.cols) {
                _mm256_storeu_si256((__m256i*)(out[p] + k), ordered);
            } else {
                uint8_t last[Block];
                _mm256_storeu_si256((__m256i*)last, ordered);
                std::memcpy(out[p] + k, last, static_cast<std::size_t>(c.cols - k));
            }
        }
    }
}

template <int Planes>
void WindowsRowPlanes(const Columns& c, const RowSources& s, uint8_t* const* out) {
    const bool held = s.upperAcross[0] != nullptr;
    if (s.lower[0] == nullptr) {
        if (held)
            WindowsRowAvx2<Planes, true, false, false>(c, s, out);
        else if (c.nearest)
            NearestRowAvx2<Planes>(c, s, out);
        else
            WindowsRowAvx2<Planes, false, false, false>(c, s, out);
    } else if (held) {
        if (s.keepLower[0] != nullptr)
            WindowsRowAvx2<Planes, true, true, true>(c, s, out);
        else
            WindowsRowAvx2<Planes, true, true, false>(c, s, out);
    } else {
        if (s.keepLower[0] != nullptr)
            WindowsRowAvx2<Planes, false, true, true>(c, s, out);
        else
            WindowsRowAvx2<Planes, false, true, false>(c, s, out);
    }
}

void WindowsRow(int planes, const Columns& c, const RowSources& s, uint8_t* const* out) {
    if (planes == 3)
        WindowsRowPlanes<3>(c, s, out);
    else
        WindowsRowPlanes<1>(c, s, out);
}

// ---- Rows of the source: planes, or device pixels unpacked a row at a time.

struct Source {
    int planes;
    const uint8_t* plane[3];
    const uint8_t* const* rowAt; // device pixels, row y at rowAt[y]; null for planes
    std::size_t rowBytes;
    int depth;
    bool DevicePixels() const { return rowAt != nullptr; }
};

class SourceRows {
  public:
    SourceRows(const Source& source, int width)
        : source_(source), width_(static_cast<std::size_t>(width)) {
        if (source.DevicePixels())
            for (auto& slot : unpacked_)
                slot.assign(width_ * 3, 0);
    }
    // Row y of every plane; device pixels are unpacked into slot `slot` (0 or 1).
    void Get(int y, int slot, const uint8_t* rows[3]) {
        if (!source_.DevicePixels()) {
            for (int p = 0; p < source_.planes; ++p)
                rows[p] = source_.plane[p] + static_cast<std::size_t>(y) * width_;
            return;
        }
        uint8_t* b = unpacked_[slot].data();
        UnpackPixels(source_.rowAt[y], source_.rowBytes, static_cast<int>(width_), 1, source_.depth,
                     b, b + width_, b + 2 * width_);
        for (int p = 0; p < 3; ++p)
            rows[p] = b + static_cast<std::size_t>(p) * width_;
    }

  private:
    Source source_;
    std::size_t width_;
    std::vector<uint8_t> unpacked_[2];
};

// Rows of floats across for every plane, each held for one source row.
struct AcrossSlots {
    AcrossSlots(int planes, int padded) : padded(static_cast<std::size_t>(padded)) {
        for (auto& slot : rows)
            slot.assign(this->padded * static_cast<std::size_t>(planes), 0.0f);
    }
    float* Plane(int slot, int p) {
        return rows[slot].data() + static_cast<std::size_t>(p) * padded;
    }
    int Holding(int y) const { return held[0] == y ? 0 : held[1] == y ? 1 : -1; }
    std::size_t padded;
    std::vector<float> rows[2];
    int held[2] = {-1, -1};
};

// What every thread of a zoom shares. Destination rows go out in chunks to whichever thread
// asks first; a helper thread may start late or not at all, so the caller takes every chunk
// left and then waits only for chunks already taken. The helper holds this too and may outlive
// the call, reading nothing but the counters once the chunks are gone.
struct Zoom {
    Source source;
    int width;
    std::vector<Tap> down;
    Columns columns;
    int cols;
    uint8_t* out[3];
    bool wide;
    int rows, chunkRows, chunks;
    std::atomic<int> taken{0}, finished{0};
};

// One thread's rows: its source rows unpacked and its rows across.
struct ZoomThread {
    ZoomThread(const Zoom& z)
        : sourceRows(z.source, z.width), slots(z.source.planes, z.columns.padded) {}
    SourceRows sourceRows;
    AcrossSlots slots;
};

// Destination rows first .. last - 1.
void ZoomRows(const Zoom& z, ZoomThread& thread, int first, int last) {
    const Source& source = z.source;
    const Columns& columns = z.columns;
    const int cols = z.cols;
    uint8_t* const* out = z.out;
    const bool windows = z.wide && columns.windows;
    auto* acrossRow = z.wide ? AcrossPairsAvx2 : AcrossPairsBase;
    auto* downRow = z.wide ? DownAvx2 : DownBase;
    SourceRows& sourceRows = thread.sourceRows;
    AcrossSlots& slots = thread.slots;
    for (int r = first; r < last; ++r) {
        const std::size_t at = static_cast<std::size_t>(r) * static_cast<std::size_t>(cols);
        const Tap& t = z.down[static_cast<std::size_t>(r)];
        if (!t.inside) {
            for (int p = 0; p < source.planes; ++p)
                std::memset(out[p] + at, 0, static_cast<std::size_t>(cols));
            continue;
        }
        const bool hasLower = t.fraction != 0;
        int upperSlot = slots.Holding(t.first);
        if (windows) {
            // The lower row is kept across when the next destination row starts from it.
            const Tap* next = r + 1 < last ? &z.down[static_cast<std::size_t>(r) + 1] : nullptr;
            const bool keep = hasLower && next != nullptr && next->inside &&
                              next->first == t.second && t.second != t.first;
            const int keepSlot = upperSlot == 0 ? 1 : 0;
            const uint8_t* upper[3] = {};
            const uint8_t* lower[3] = {};
            if (upperSlot < 0)
                sourceRows.Get(t.first, 0, upper);
            if (hasLower)
                sourceRows.Get(t.second, 1, lower);
            RowSources s{};
            uint8_t* line[3];
            for (int p = 0; p < source.planes; ++p) {
                s.upper[p] = upper[p];
                s.upperAcross[p] = upperSlot < 0 ? nullptr : slots.Plane(upperSlot, p);
                s.lower[p] = hasLower ? lower[p] : nullptr;
                s.keepLower[p] = keep ? slots.Plane(keepSlot, p) : nullptr;
                line[p] = out[p] + at;
            }
            s.e = t.fraction;
            WindowsRow(source.planes, columns, s, line);
            slots.held[keepSlot] = keep ? t.second : -1;
            continue;
        }
        if (upperSlot < 0) {
            upperSlot = slots.held[0] == t.second ? 1 : 0;
            const uint8_t* upper[3];
            sourceRows.Get(t.first, 0, upper);
            for (int p = 0; p < source.planes; ++p)
                acrossRow(upper[p], columns, slots.Plane(upperSlot, p));
            slots.held[upperSlot] = t.first;
        }
        int lowerSlot = -1;
        if (hasLower) {
            lowerSlot = slots.Holding(t.second);
            if (lowerSlot < 0) {
                lowerSlot = 1 - upperSlot;
                const uint8_t* lower[3];
                sourceRows.Get(t.second, 1, lower);
                for (int p = 0; p < source.planes; ++p)
                    acrossRow(lower[p], columns, slots.Plane(lowerSlot, p));
                slots.held[lowerSlot] = t.second;
            }
        }
        for (int p = 0; p < source.planes; ++p)
            downRow(slots.Plane(upperSlot, p), lowerSlot < 0 ? nullptr : slots.Plane(lowerSlot, p),
                    t.fraction, cols, out[p] + at);
    }
}

void TakeChunks(Zoom& z, ZoomThread& thread) {
    for (;;) {
        const int chunk = z.taken.fetch_add(1);
        if (chunk >= z.chunks)
            return;
        const int first = chunk * z.chunkRows;
        ZoomRows(z, thread, first, first + z.chunkRows < z.rows ? first + z.chunkRows : z.rows);
        z.finished.fetch_add(1, std::memory_order_release);
    }
}

// Below this many destination pixels a second thread costs more than it saves.
constexpr long long PixelsPerThread = 1 << 17;

void ZoomWindow(const Source& source, int width, int height, float sx, float sy, int row0, int col0,
                int rows, int cols, uint8_t* const* out) {
    const auto z = std::make_shared<Zoom>();
    z->source = source;
    z->width = width;
    z->down = TapsFor(row0, rows, sy, height);
    z->columns = PrepareColumns(TapsFor(col0, cols, sx, width), width);
    z->cols = cols;
    for (int p = 0; p < source.planes; ++p)
        z->out[p] = out[p];
    z->wide = UseAvx2();
    z->rows = rows;
    // Helpers only for zooms that repay a thread, and at most one for each other processor.
    const long long pixels = static_cast<long long>(rows) * cols * source.planes;
    int threads = 1;
    if (pixels >= 2 * PixelsPerThread) {
        const long long processors = std::thread::hardware_concurrency();
        const long long wanted = pixels / PixelsPerThread;
        threads = static_cast<int>(std::min({wanted, processors, 4LL}));
        threads = threads < 1 ? 1 : threads;
    }
    z->chunkRows = threads > 1 ? (rows + 8 * threads - 1) / (8 * threads) : rows;
    z->chunks = (rows + z->chunkRows - 1) / z->chunkRows;
    // This thread's rows first: once a helper has started, nothing here may fail.
    ZoomThread here(*z);
    for (int t = 1; t < threads; ++t) {
        try {
            std::thread([z] {
                try {
                    ZoomThread helper(*z);
                    TakeChunks(*z, helper);
                } catch (const std::bad_alloc&) {
                    // Without room for its rows the helper takes no chunk.
                }
            }).detach();
        } catch (const std::exception&) {
            break; // no thread to be had: this one takes every chunk
        }
    }
    TakeChunks(*z, here);
    while (z->finished.load(std::memory_order_acquire) < z->chunks)
        std::this_thread::yield();
}

bool ValidResample(int pw, int ph, int w, int h) {
    return pw >= 1 && pw <= 100 && ph >= 1 && ph <= 100 && w >= 1 && h >= 1;
}

// The window of the zoomed picture that the cut keeps.
struct Cut {
    float sx, sy;
    int outW, outH, row0, col0;
};

Cut CutFor(int pw, int ph, int w, int h) {
    Cut c;
    c.sx = static_cast<float>(pw / 100.0);
    c.sy = static_cast<float>(ph / 100.0);
    c.outW = ScaledSize(pw, w);
    c.outH = ScaledSize(ph, h);
    // Only the centre that the cut keeps is zoomed; the rest of the zoomed plane is not read.
    c.row0 = static_cast<int>(static_cast<long long>(h) * (100 - ph) / 200);
    c.col0 = static_cast<int>(static_cast<long long>(100 - pw) * w / 200);
    return c;
}

} // namespace

void ZoomPlaneWindowReference(const uint8_t* source, int width, int height, float sx, float sy,
                              int row0, int col0, int rows, int cols, uint8_t* out) {
    if (rows <= 0 || cols <= 0)
        return;
    const std::vector<Tap> across = TapsFor(col0, cols, sx, width);
    const std::vector<Tap> down = TapsFor(row0, rows, sy, height);
    const std::size_t w = static_cast<std::size_t>(width);
    for (int r = 0; r < rows; ++r) {
        uint8_t* line = out + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols);
        const Tap& t = down[static_cast<std::size_t>(r)];
        if (!t.inside) {
            for (int c = 0; c < cols; ++c)
                line[c] = 0;
            continue;
        }
        const uint8_t* upper = source + static_cast<std::size_t>(t.first) * w;
        const uint8_t* lower = source + static_cast<std::size_t>(t.second) * w;
        const float e = t.fraction;
        for (int c = 0; c < cols; ++c) {
            const Tap& s = across[static_cast<std::size_t>(c)];
            if (!s.inside) {
                line[c] = 0;
                continue;
            }
            const float f = s.fraction;
            const float p0 = upper[s.first], p1 = upper[s.second];
            const float q0 = lower[s.first], q1 = lower[s.second];
            const float value = (f * p1 + (1 - f) * p0) * (1 - e) + e * (f * q1 + (1 - f) * q0);
            const int v = static_cast<int>(value);
            line[c] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
        }
    }
}

void ZoomPlaneWindow(const uint8_t* source, int width, int height, float sx, float sy, int row0,
                     int col0, int rows, int cols, uint8_t* out) {
    if (rows <= 0 || cols <= 0)
        return;
    // The two-byte loads need two pixels in a row.
    if (width < 2) {
        ZoomPlaneWindowReference(source, width, height, sx, sy, row0, col0, rows, cols, out);
        return;
    }
    const Source s{1, {source, nullptr, nullptr}, nullptr, 0, 0};
    ZoomWindow(s, width, height, sx, sy, row0, col0, rows, cols, &out);
}

void ZoomPlane(const uint8_t* source, uint8_t* destination, int width, int height, float sx,
               float sy) {
    ZoomPlaneWindow(source, width, height, sx, sy, 0, 0, height, width, destination);
}

int ScaledSize(int percent, int size) {
    const long long scaled = static_cast<long long>(percent) * size / 100;
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

bool ResamplePlanes(const uint8_t* sourceBlue, const uint8_t* sourceGreen, const uint8_t* sourceRed,
                    int pw, int ph, uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h) {
    if (!ValidResample(pw, ph, w, h))
        return false;
    const Cut c = CutFor(pw, ph, w, h);
    if (w < 2) {
        ZoomPlaneWindowReference(sourceBlue, w, h, c.sx, c.sy, c.row0, c.col0, c.outH, c.outW,
                                 blue);
        ZoomPlaneWindowReference(sourceGreen, w, h, c.sx, c.sy, c.row0, c.col0, c.outH, c.outW,
                                 green);
        ZoomPlaneWindowReference(sourceRed, w, h, c.sx, c.sy, c.row0, c.col0, c.outH, c.outW, red);
    } else {
        const Source s{3, {sourceBlue, sourceGreen, sourceRed}, nullptr, 0, 0};
        uint8_t* const out[3] = {blue, green, red};
        ZoomWindow(s, w, h, c.sx, c.sy, c.row0, c.col0, c.outH, c.outW, out);
    }
    w = c.outW;
    h = c.outH;
    return true;
}

bool ResampleRows(const uint8_t* const* rows, std::size_t rowBytes, int bytesPerPixel, int pw,
                  int ph, uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h) {
    if (!ValidResample(pw, ph, w, h) || (bytesPerPixel != 3 && bytesPerPixel != 4))
        return false;
    const int depth = 8 * bytesPerPixel;
    if (w < 2) {
        // A column of pixels: unpacked whole, it is no larger than the result.
        std::vector<uint8_t> planes(static_cast<std::size_t>(h) * 3);
        uint8_t* b = planes.data();
        for (int y = 0; y < h; ++y)
            UnpackPixels(rows[y], rowBytes, w, 1, depth, b + y, b + h + y, b + 2 * h + y);
        return ResamplePlanes(b, b + h, b + 2 * h, pw, ph, blue, green, red, w, h);
    }
    const Cut c = CutFor(pw, ph, w, h);
    const Source s{3, {nullptr, nullptr, nullptr}, rows, rowBytes, depth};
    uint8_t* const out[3] = {blue, green, red};
    ZoomWindow(s, w, h, c.sx, c.sy, c.row0, c.col0, c.outH, c.outW, out);
    w = c.outW;
    h = c.outH;
    return true;
}

bool ResamplePixels(const uint8_t* bits, std::size_t stride, int bytesPerPixel, int pw, int ph,
                    uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h) {
    if (!ValidResample(pw, ph, w, h))
        return false;
    std::vector<const uint8_t*> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[static_cast<std::size_t>(y)] = bits + static_cast<std::size_t>(y) * stride;
    return ResampleRows(rows.data(), stride, bytesPerPixel, pw, ph, blue, green, red, w, h);
}

std::vector<int> ResampledRows(int pw, int ph, int w, int h) {
    std::vector<int> rows;
    if (!ValidResample(pw, ph, w, h))
        return rows;
    if (w < 2) {
        rows.resize(static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y)
            rows[static_cast<std::size_t>(y)] = y;
        return rows;
    }
    const Cut c = CutFor(pw, ph, w, h);
    for (const Tap& t : TapsFor(c.row0, c.outH, c.sy, h)) {
        if (!t.inside)
            continue;
        rows.push_back(t.first);
        // A row with no fraction reads its upper source row only.
        if (t.fraction != 0)
            rows.push_back(t.second);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}
