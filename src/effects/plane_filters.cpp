#include "effects/plane_filters.h"

#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include <cstring>

const int32_t SharpenKernel[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
const int32_t StrongSharpenKernel[9] = {-1, -1, -1, -1, 9, -1, -1, -1, -1};
const int32_t SlantKernel[9] = {0, -1, 3, -4, 10, -3, 3, -3, -3};

namespace {

// The picture's size, or 0 x 0 when it is empty or larger than the planes (nothing is touched).
struct PlaneSize {
    int w, h;
};

PlaneSize CurrentSize() {
    if (PictureWidth <= 0 || PictureHeight <= 0 ||
        static_cast<long long>(PictureWidth) * PictureHeight > PlaneCapacity)
        return {0, 0};
    return {PictureWidth, PictureHeight};
}

// Row buffers of the 3 x 3 filters; a row can be as long as a whole plane. The slack lets the
// 32-byte groups read past a row's end without leaving the buffer.
uint8_t LowRow[PlaneCapacity + 64], MidRow[PlaneCapacity + 64], HighRow[PlaneCapacity + 64];
uint16_t SumRow[PlaneCapacity + 64];

// ---- Median: sort each column of three once per row, then the median of the nine is the
// median of (largest low, median of middles, smallest high) of three neighbouring columns.

FLIMMER_INLINE V32u8 Median3(const V32u8& a, const V32u8& b, const V32u8& c) {
    return Max(Min(a, b), Min(Max(a, b), c));
}

FLIMMER_INLINE void MedianRows(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int r = 1; r < h - 1; ++r) {
        const uint8_t* a = in + (r - 1) * w;
        const uint8_t* b = a + w;
        const uint8_t* c = b + w;
        ForGroups<32>(0, w, [&](int x) FLIMMER_LAMBDA {
            const V32u8 p = LoadVector<V32u8>(a + x), q = LoadVector<V32u8>(b + x),
                        s = LoadVector<V32u8>(c + x);
            const V32u8 lo = Min(p, q), hi = Max(p, q);
            const V32u8 t = Max(lo, s);
            StoreVector(LowRow + x, Min(lo, s));
            StoreVector(MidRow + x, Min(t, hi));
            StoreVector(HighRow + x, Max(t, hi));
        });
        uint8_t* o = out + r * w;
        ForGroups<32>(1, w - 1, [&](int x) FLIMMER_LAMBDA {
            const V32u8 low =
                Max(Max(LoadVector<V32u8>(LowRow + x - 1), LoadVector<V32u8>(LowRow + x)),
                    LoadVector<V32u8>(LowRow + x + 1));
            const V32u8 high =
                Min(Min(LoadVector<V32u8>(HighRow + x - 1), LoadVector<V32u8>(HighRow + x)),
                    LoadVector<V32u8>(HighRow + x + 1));
            const V32u8 mid =
                Median3(LoadVector<V32u8>(MidRow + x - 1), LoadVector<V32u8>(MidRow + x),
                        LoadVector<V32u8>(MidRow + x + 1));
            StoreVector(o + x, Median3(low, mid, high));
        });
    }
}

FLIMMER_NOINLINE void MedianBase(const uint8_t* in, uint8_t* out, int w, int h) {
    MedianRows(in, out, w, h);
}
FLIMMER_AVX2 void MedianAvx2(const uint8_t* in, uint8_t* out, int w, int h) {
    MedianRows(in, out, w, h);
}

// ---- Box blur: column sums of three rows once per row, then three neighbouring sums.

FLIMMER_INLINE V16u16 Widen(const uint8_t* p) {
    return __builtin_convertvector(LoadVector<V16u8>(p), V16u16);
}

// Exact for sums up to 2295. With AVX2 a 16-lane division is one multiply-high; the baseline
// needs it in 8-lane halves.
template <bool Wide> FLIMMER_INLINE V16u16 DivideByNine(const V16u16& s) {
    if constexpr (Wide) {
        return s / 9;
    } else {
        V8u16 low, high;
        Split(s, low, high);
        return Join<V16u16>(low / 9, high / 9);
    }
}

template <bool Wide> FLIMMER_INLINE void BlurRows(const uint8_t* in, uint8_t* out, int w, int h) {
    for (int r = 1; r < h - 1; ++r) {
        const uint8_t* a = in + (r - 1) * w;
        const uint8_t* b = a + w;
        const uint8_t* c = b + w;
        ForGroups<16>(0, w, [&](int x) FLIMMER_LAMBDA {
            StoreVector(SumRow + x, Widen(a + x) + Widen(b + x) + Widen(c + x));
        });
        uint8_t* o = out + r * w;
        ForGroups<16>(1, w - 1, [&](int x) FLIMMER_LAMBDA {
            const V16u16 s = LoadVector<V16u16>(SumRow + x - 1) + LoadVector<V16u16>(SumRow + x) +
                             LoadVector<V16u16>(SumRow + x + 1);
            StoreVector(o + x, __builtin_convertvector(DivideByNine<Wide>(s), V16u8));
        });
    }
}

FLIMMER_NOINLINE void BlurBase(const uint8_t* in, uint8_t* out, int w, int h) {
    BlurRows<false>(in, out, w, h);
}
FLIMMER_AVX2 void BlurAvx2(const uint8_t* in, uint8_t* out, int w, int h) {
    BlurRows<true>(in, out, w, h);
}

// ---- Convolution: the kernel's elements are compile-time constants for the three kernels the
// gallery uses (zero taps vanish, unit taps need no multiply); any other kernel whose sums fit
// in 16 bits runs with its elements as run-time values.

FLIMMER_INLINE V16i16 Widen16(const uint8_t* p) {
    return __builtin_convertvector(LoadVector<V16u8>(p), V16i16);
}

template <int K0, int K1, int K2, int K3, int K4, int K5, int K6, int K7, int K8>
struct FixedKernel {
    FLIMMER_INLINE V16i16 Sum(const uint8_t* a, const uint8_t* b, const uint8_t* c) const {
        V16i16 s = {};
        Tap<K0>(s, a - 1);
        Tap<K1>(s, a);
        Tap<K2>(s, a + 1);
        Tap<K3>(s, b - 1);
        Tap<K4>(s, b);
        Tap<K5>(s, b + 1);
        Tap<K6>(s, c - 1);
        Tap<K7>(s, c);
        Tap<K8>(s, c + 1);
        return s;
    }
    template <int K> FLIMMER_INLINE static void Tap(V16i16& s, const uint8_t* p) {
        if constexpr (K == 1)
            s += Widen16(p);
        else if constexpr (K == -1)
            s -= Widen16(p);
        else if constexpr (K != 0)
            s += Widen16(p) * static_cast<int16_t>(K);
    }
};

struct RuntimeKernel {
    int16_t k[9];
    FLIMMER_INLINE V16i16 Sum(const uint8_t* a, const uint8_t* b, const uint8_t* c) const {
        const uint8_t* rows[3] = {a, b, c};
        V16i16 s = {};
        for (int i = 0; i < 9; ++i)
            s += Widen16(rows[i / 3] + i % 3 - 1) * k[i];
        return s;
    }
};

template <typename Kernel>
FLIMMER_INLINE void ConvolveRows(const uint8_t* in, uint8_t* out, int w, int h,
                                 const Kernel& kernel) {
    for (int r = 1; r < h - 1; ++r) {
        const uint8_t* a = in + (r - 1) * w;
        const uint8_t* b = a + w;
        const uint8_t* c = b + w;
        uint8_t* o = out + r * w;
        ForGroups<16>(1, w - 1, [&](int x) FLIMMER_LAMBDA {
            const V16i16 s = kernel.Sum(a + x, b + x, c + x);
            const V16i16 top = {255, 255, 255, 255, 255, 255, 255, 255,
                                255, 255, 255, 255, 255, 255, 255, 255};
            const V16i16 magnitude = Min(s < 0 ? -s : s, top);
            StoreVector(o + x, __builtin_convertvector(magnitude, V16u8));
        });
    }
}

using Sharpen = FixedKernel<0, -1, 0, -1, 5, -1, 0, -1, 0>;
using StrongSharpen = FixedKernel<-1, -1, -1, -1, 9, -1, -1, -1, -1>;
using Slant = FixedKernel<0, -1, 3, -4, 10, -3, 3, -3, -3>;

enum class KernelKind { Sharpen, StrongSharpen, Slant, Runtime };

FLIMMER_INLINE void ConvolveKind(const uint8_t* in, uint8_t* out, int w, int h, KernelKind kind,
                                 const RuntimeKernel& runtime) {
    switch (kind) {
    case KernelKind::Sharpen:
        ConvolveRows(in, out, w, h, Sharpen{});
        break;
    case KernelKind::StrongSharpen:
        ConvolveRows(in, out, w, h, StrongSharpen{});
        break;
    case KernelKind::Slant:
        ConvolveRows(in, out, w, h, Slant{});
        break;
    case KernelKind::Runtime:
        ConvolveRows(in, out, w, h, runtime);
        break;
    }
}

FLIMMER_NOINLINE void ConvolveBase(const uint8_t* in, uint8_t* out, int w, int h, KernelKind kind,
                                   const RuntimeKernel& runtime) {
    ConvolveKind(in, out, w, h, kind, runtime);
}
FLIMMER_AVX2 void ConvolveAvx2(const uint8_t* in, uint8_t* out, int w, int h, KernelKind kind,
                               const RuntimeKernel& runtime) {
    ConvolveKind(in, out, w, h, kind, runtime);
}

// ---- Compass edges: with T the sum of the eight neighbours and S(d) the sum of the five
// centred on d, each edge is S(d) - (T - S(d)) - 2C, so the strongest is 2 max S(d) - T - 2C.
// S(d) slides round the ring: S(d + 1) = S(d) - ring[d - 2] + ring[d + 3].

// m has at most 12 bits, so the single-precision product is the exactly rounded one; the
// caller keeps the factor small enough for the truncation to stay within int32.
FLIMMER_INLINE V8i16 ScaleEdges(const V8i16& m, float factor) {
    const V8f32 f = {factor, factor, factor, factor, factor, factor, factor, factor};
    const V8i32 scaled = __builtin_convertvector(
        __builtin_convertvector(__builtin_convertvector(m, V8i32), V8f32) * f, V8i32);
    const V8i32 top = {255, 255, 255, 255, 255, 255, 255, 255}, zero = {};
    return __builtin_convertvector(Max(Min(scaled, top), zero), V8i16);
}

FLIMMER_INLINE void CompassRows(const uint8_t* in, uint8_t* out, int w, int h, float factor) {
    for (int r = 1; r < h - 1; ++r) {
        const uint8_t* a = in + (r - 1) * w;
        const uint8_t* b = a + w;
        const uint8_t* c = b + w;
        uint8_t* o = out + r * w;
        ForGroups<16>(1, w - 1, [&](int x) FLIMMER_LAMBDA {
            const V16i16 n = Widen16(a + x), ne = Widen16(a + x + 1), e = Widen16(b + x + 1),
                         se = Widen16(c + x + 1), s = Widen16(c + x), sw = Widen16(c + x - 1),
                         wv = Widen16(b + x - 1), nw = Widen16(a + x - 1), centre = Widen16(b + x);
            const V16i16 total = ((n + ne) + (e + se)) + ((s + sw) + (wv + nw));
            V16i16 five = wv + nw + n + ne + e; // centred on N
            V16i16 best = five;
            five += se - wv; // NE
            best = Max(best, five);
            five += s - nw; // E
            best = Max(best, five);
            five += sw - n; // SE
            best = Max(best, five);
            five += wv - ne; // S
            best = Max(best, five);
            five += nw - e; // SW
            best = Max(best, five);
            five += n - se; // W
            best = Max(best, five);
            five += ne - s; // NW
            best = Max(best, five);
            const V16i16 zero = {};
            const V16i16 m = Max(best + best - total - centre - centre, zero);
            V8i16 low, high;
            Split(m, low, high);
            StoreVector(
                o + x, __builtin_convertvector(
                           Join<V16i16>(ScaleEdges(low, factor), ScaleEdges(high, factor)), V16u8));
        });
    }
}

FLIMMER_NOINLINE void CompassBase(const uint8_t* in, uint8_t* out, int w, int h, float factor) {
    CompassRows(in, out, w, h, factor);
}
FLIMMER_AVX2 void CompassAvx2(const uint8_t* in, uint8_t* out, int w, int h, float factor) {
    CompassRows(in, out, w, h, factor);
}

// ---- Per-pixel forms for pictures too narrow for a vector group.

uint8_t MedianAt(const uint8_t* in, int w, int i) {
    uint8_t v[9];
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            v[n++] = in[i + dy * w + dx];
    // Partial selection: after five passes the five largest are in place at the end.
    for (int len = 9; len >= 5; --len)
        for (int k = 0; k + 1 < len; ++k)
            if (v[k] > v[k + 1]) {
                const uint8_t t = v[k];
                v[k] = v[k + 1];
                v[k + 1] = t;
            }
    return v[4];
}

int ConvolveAt(const uint8_t* in, int w, int i, const int32_t k[9]) {
    long long s = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            s += static_cast<long long>(k[(dy + 1) * 3 + dx + 1]) * in[i + dy * w + dx];
    const long long magnitude = s < 0 ? -s : s;
    return magnitude > 255 ? 255 : static_cast<int>(magnitude);
}

// Truncated and limited to 255 (and, for a negative factor, which no effect uses, to 0).
uint8_t LimitEdge(float product) {
    return static_cast<uint8_t>(product >= 255.0f ? 255
                                : product > 0.0f  ? static_cast<int>(product)
                                                  : 0);
}

uint8_t CompassAt(const uint8_t* in, int w, int i, float factor) {
    const int ring[8] = {in[i - w], in[i - w + 1], in[i + 1], in[i + w + 1],
                         in[i + w], in[i + w - 1], in[i - 1], in[i - w - 1]};
    int total = 0;
    for (int v : ring)
        total += v;
    int best = 0;
    for (int d = 0; d < 8; ++d) {
        int five = 0;
        for (int k = -2; k <= 2; ++k)
            five += ring[(d + k + 8) % 8];
        const int edge = 2 * five - total - 2 * in[i];
        if (edge > best)
            best = edge;
    }
    return LimitEdge(static_cast<float>(best * static_cast<double>(factor)));
}

KernelKind KindOf(const int32_t kernel[9]) {
    if (std::memcmp(kernel, SharpenKernel, sizeof SharpenKernel) == 0)
        return KernelKind::Sharpen;
    if (std::memcmp(kernel, StrongSharpenKernel, sizeof StrongSharpenKernel) == 0)
        return KernelKind::StrongSharpen;
    if (std::memcmp(kernel, SlantKernel, sizeof SlantKernel) == 0)
        return KernelKind::Slant;
    return KernelKind::Runtime;
}

// True when every sum of the kernel over bytes fits in 16 bits.
bool FitsSixteenBits(const int32_t kernel[9]) {
    long long reach = 0;
    for (int i = 0; i < 9; ++i)
        reach += kernel[i] < 0 ? -static_cast<long long>(kernel[i]) : kernel[i];
    return reach * 255 <= 32767;
}

// The vector groups need 32 interior columns; narrower pictures go pixel by pixel.
constexpr int VectorColumns = 34;

} // namespace

void InvertPlane(const uint8_t* in, uint8_t* out) {
    const PlaneSize p = CurrentSize();
    const int n = p.w * p.h;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<uint8_t>(255 - in[i]);
}

void FoldDarkTones(const uint8_t* inBlue, const uint8_t* inGreen, const uint8_t* inRed,
                   uint8_t* outBlue, uint8_t* outGreen, uint8_t* outRed) {
    const PlaneSize p = CurrentSize();
    const uint8_t* ins[3] = {inBlue, inGreen, inRed};
    uint8_t* outs[3] = {outBlue, outGreen, outRed};
    for (int k = 0; k < 3; ++k)
        for (int r = 0; r < p.h - 1; ++r) {
            const uint8_t* in = ins[k] + r * p.w;
            uint8_t* out = outs[k] + r * p.w;
            for (int c = 0; c < p.w - 1; ++c)
                out[c] = static_cast<uint8_t>(in[c] < 128 ? 180 - in[c] : in[c]);
        }
}

void Convolve3x3(const uint8_t* in, uint8_t* out, const int32_t kernel[9]) {
    const PlaneSize p = CurrentSize();
    if (p.w >= VectorColumns && FitsSixteenBits(kernel)) {
        RuntimeKernel runtime;
        for (int i = 0; i < 9; ++i)
            runtime.k[i] = static_cast<int16_t>(kernel[i]);
        if (UseAvx2())
            ConvolveAvx2(in, out, p.w, p.h, KindOf(kernel), runtime);
        else
            ConvolveBase(in, out, p.w, p.h, KindOf(kernel), runtime);
        return;
    }
    for (int r = 1; r < p.h - 1; ++r)
        for (int c = 1; c < p.w - 1; ++c)
            out[r * p.w + c] = static_cast<uint8_t>(ConvolveAt(in, p.w, r * p.w + c, kernel));
}

void Median3x3(const uint8_t* in, uint8_t* out) {
    const PlaneSize p = CurrentSize();
    if (p.w >= VectorColumns) {
        if (UseAvx2())
            MedianAvx2(in, out, p.w, p.h);
        else
            MedianBase(in, out, p.w, p.h);
        return;
    }
    for (int r = 1; r < p.h - 1; ++r)
        for (int c = 1; c < p.w - 1; ++c)
            out[r * p.w + c] = MedianAt(in, p.w, r * p.w + c);
}

void BoxBlur3x3(const uint8_t* in, uint8_t* out) {
    const PlaneSize p = CurrentSize();
    if (p.w >= VectorColumns) {
        if (UseAvx2())
            BlurAvx2(in, out, p.w, p.h);
        else
            BlurBase(in, out, p.w, p.h);
        return;
    }
    for (int r = 1; r < p.h - 1; ++r)
        for (int c = 1; c < p.w - 1; ++c) {
            int s = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    s += in[(r + dy) * p.w + c + dx];
            out[r * p.w + c] = static_cast<uint8_t>(s / 9);
        }
}

void Mosaic5x5(const uint8_t* in, uint8_t* out) {
    const PlaneSize p = CurrentSize();
    std::memset(out, 0, static_cast<size_t>(p.w) * static_cast<size_t>(p.h));
    if (p.h < 5 || p.w < 5)
        return;
    const int blocks = p.w / 5;
    for (int top = 0; top + 5 <= p.h; top += 5) {
        for (int x = 0; x < blocks * 5; ++x) {
            const uint8_t* column = in + top * p.w + x;
            SumRow[x] = static_cast<uint16_t>(column[0] + column[p.w] + column[2 * p.w] +
                                              column[3 * p.w] + column[4 * p.w]);
        }
        uint8_t* row = out + top * p.w;
        for (int b = 0; b < blocks; ++b) {
            const uint16_t* s = SumRow + 5 * b;
            const uint8_t average = static_cast<uint8_t>((s[0] + s[1] + s[2] + s[3] + s[4]) / 25);
            for (int x = 0; x < 5; ++x)
                row[5 * b + x] = average;
        }
        for (int y = 1; y < 5; ++y)
            std::memcpy(row + y * p.w, row, static_cast<size_t>(blocks) * 5);
    }
}

void CompassEdges(const uint8_t* in, uint8_t* out, float factor) {
    const PlaneSize p = CurrentSize();
    if (p.w >= VectorColumns && factor >= 0.0f && factor <= 1.0e6f) {
        if (UseAvx2())
            CompassAvx2(in, out, p.w, p.h, factor);
        else
            CompassBase(in, out, p.w, p.h, factor);
        return;
    }
    for (int r = 1; r < p.h - 1; ++r)
        for (int c = 1; c < p.w - 1; ++c)
            out[r * p.w + c] = CompassAt(in, p.w, r * p.w + c, factor);
}

void EmbossPlanes(const uint8_t* inBlue, const uint8_t* inGreen, const uint8_t* inRed,
                  uint8_t* outBlue, uint8_t* outGreen, uint8_t* outRed, int offset) {
    const PlaneSize p = CurrentSize();
    const uint8_t* ins[3] = {inBlue, inGreen, inRed};
    uint8_t* outs[3] = {outBlue, outGreen, outRed};
    const uint8_t add = static_cast<uint8_t>(offset);
    for (int k = 0; k < 3; ++k)
        for (int r = 0; r < p.h - 1; ++r) {
            const uint8_t* in = ins[k] + r * p.w;
            uint8_t* out = outs[k] + r * p.w;
            for (int c = 0; c < p.w - 1; ++c)
                out[c] = static_cast<uint8_t>(in[c + 1] - in[c] + add);
        }
}
