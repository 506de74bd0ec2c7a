#include "skin/color_planes.h"

#include "common/vector_dispatch.h"

#include <cstring>
#include <emmintrin.h>
#include <utility>

ColorPlanes BasePicture;
ColorPlanes CurrentPicture;
ColorPlanes EntryPicture;
ColorPlanes DecorationPicture;
ColorPlanes GalleryPicture;

int PictureWidth = 0, PictureHeight = 0;

void CopyPlane(const uint8_t* source, uint8_t* destination) {
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return;
    std::memmove(destination, source,
                 static_cast<std::size_t>(PictureWidth) * static_cast<std::size_t>(PictureHeight));
}

void CopyPicture(const ColorPlanes& source, ColorPlanes& destination) {
    CopyPlane(source.blue, destination.blue);
    CopyPlane(source.green, destination.green);
    CopyPlane(source.red, destination.red);
}

int BytesPerPixel(int depth) {
    switch (depth) {
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    }
    return 0;
}

namespace {

// ---- Pixel by pixel: the reference, and the pixels of rows too short for a vector group.

void PackRow(const uint8_t* b, const uint8_t* g, const uint8_t* r, std::size_t w, int depth,
             uint8_t* out) {
    if (depth == 16) {
        for (std::size_t x = 0; x < w; ++x) {
            out[2 * x] = static_cast<uint8_t>(((g[x] >> 2) << 5) | (b[x] >> 3));
            out[2 * x + 1] = static_cast<uint8_t>((g[x] >> 5) | (r[x] & 248));
        }
    } else if (depth == 24) {
        for (std::size_t x = 0; x < w; ++x) {
            out[3 * x] = b[x];
            out[3 * x + 1] = g[x];
            out[3 * x + 2] = r[x];
        }
    } else {
        for (std::size_t x = 0; x < w; ++x) {
            const uint32_t v = static_cast<uint32_t>(b[x]) | static_cast<uint32_t>(g[x]) << 8 |
                               static_cast<uint32_t>(r[x]) << 16;
            std::memcpy(out + 4 * x, &v, 4); // the device's byte order is little-endian
        }
    }
}

void UnpackRow(const uint8_t* in, std::size_t w, int depth, uint8_t* b, uint8_t* g, uint8_t* r) {
    if (depth == 16) {
        for (std::size_t x = 0; x < w; ++x) {
            const uint8_t b0 = in[2 * x], b1 = in[2 * x + 1];
            b[x] = static_cast<uint8_t>(b0 << 3);
            g[x] = static_cast<uint8_t>(((b0 >> 3) & 28) | (b1 << 5));
            r[x] = static_cast<uint8_t>(b1 & 248);
        }
    } else {
        const std::size_t n = depth == 24 ? 3 : 4;
        for (std::size_t x = 0; x < w; ++x) {
            b[x] = in[n * x];
            g[x] = in[n * x + 1];
            r[x] = in[n * x + 2];
        }
    }
}

// ---- The baseline: SSE2 has no byte shuffle, so bytes move by interleaving and packing,
// 16 pixels at a time.

FLIMMER_INLINE __m128i Load16(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
FLIMMER_INLINE void Store16(uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
FLIMMER_INLINE __m128i LowBytesOfWords(__m128i v) {
    return _mm_and_si128(v, _mm_set1_epi16(0xff));
}
// The even-numbered bytes of a then b, and the odd-numbered ones.
FLIMMER_INLINE __m128i EvenBytes(__m128i a, __m128i b) {
    return _mm_packus_epi16(LowBytesOfWords(a), LowBytesOfWords(b));
}
FLIMMER_INLINE __m128i OddBytes(__m128i a, __m128i b) {
    return _mm_packus_epi16(_mm_srli_epi16(a, 8), _mm_srli_epi16(b, 8));
}

// 48 bytes as three vectors: four rounds of this step take 16 blue-green-red pixels to the
// three planes, and four rounds of its inverse bring them back.
FLIMMER_INLINE void SpreadStep(__m128i& a, __m128i& b, __m128i& c) {
    const __m128i na = _mm_unpacklo_epi8(a, _mm_unpackhi_epi64(b, b));
    const __m128i nb = _mm_unpacklo_epi8(_mm_unpackhi_epi64(a, a), c);
    const __m128i nc = _mm_unpacklo_epi8(b, _mm_unpackhi_epi64(c, c));
    a = na;
    b = nb;
    c = nc;
}
FLIMMER_INLINE void WeaveStep(__m128i& a, __m128i& b, __m128i& c) {
    const __m128i na = EvenBytes(a, b);
    const __m128i nb = _mm_packus_epi16(LowBytesOfWords(c), _mm_srli_epi16(a, 8));
    const __m128i nc = OddBytes(b, c);
    a = na;
    b = nb;
    c = nc;
}

FLIMMER_INLINE void Pack24Base(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* out) {
    __m128i x = Load16(b), y = Load16(g), z = Load16(r);
    for (int i = 0; i < 4; ++i)
        WeaveStep(x, y, z);
    Store16(out, x);
    Store16(out + 16, y);
    Store16(out + 32, z);
}

FLIMMER_INLINE void Unpack24Base(const uint8_t* in, uint8_t* b, uint8_t* g, uint8_t* r) {
    __m128i x = Load16(in), y = Load16(in + 16), z = Load16(in + 32);
    for (int i = 0; i < 4; ++i)
        SpreadStep(x, y, z);
    Store16(b, x);
    Store16(g, y);
    Store16(r, z);
}

FLIMMER_INLINE void Pack32Base(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* out) {
    const __m128i vb = Load16(b), vg = Load16(g), vr = Load16(r), zero = _mm_setzero_si128();
    const __m128i bgLow = _mm_unpacklo_epi8(vb, vg), bgHigh = _mm_unpackhi_epi8(vb, vg);
    const __m128i rLow = _mm_unpacklo_epi8(vr, zero), rHigh = _mm_unpackhi_epi8(vr, zero);
    Store16(out, _mm_unpacklo_epi16(bgLow, rLow));
    Store16(out + 16, _mm_unpackhi_epi16(bgLow, rLow));
    Store16(out + 32, _mm_unpacklo_epi16(bgHigh, rHigh));
    Store16(out + 48, _mm_unpackhi_epi16(bgHigh, rHigh));
}

FLIMMER_INLINE void Unpack32Base(const uint8_t* in, uint8_t* b, uint8_t* g, uint8_t* r) {
    const __m128i p0 = Load16(in), p1 = Load16(in + 16), p2 = Load16(in + 32), p3 = Load16(in + 48);
    const __m128i br01 = EvenBytes(p0, p1), br23 = EvenBytes(p2, p3);
    const __m128i g01 = OddBytes(p0, p1), g23 = OddBytes(p2, p3);
    Store16(b, EvenBytes(br01, br23));
    Store16(g, EvenBytes(g01, g23));
    Store16(r, OddBytes(br01, br23));
}

// ---- 16 bits: the low and the high byte of each pixel's word, computed on bytes.

template <typename V> FLIMMER_INLINE V LowByte565(const V& b, const V& g) {
    return ((g << 3) & 0xe0) | (b >> 3);
}
template <typename V> FLIMMER_INLINE V HighByte565(const V& g, const V& r) {
    return (g >> 5) | (r & 0xf8);
}
template <typename V>
FLIMMER_INLINE void Spread565(const V& low, const V& high, uint8_t* b, uint8_t* g, uint8_t* r) {
    StoreVector(b, low << 3);
    StoreVector(g, ((low >> 3) & 0x1c) | (high << 5));
    StoreVector(r, high & 0xf8);
}

FLIMMER_INLINE void Pack16Base(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* out) {
    const V16u8 vg = LoadVector<V16u8>(g);
    const __m128i low = (__m128i)LowByte565(LoadVector<V16u8>(b), vg);
    const __m128i high = (__m128i)HighByte565(vg, LoadVector<V16u8>(r));
    Store16(out, _mm_unpacklo_epi8(low, high));
    Store16(out + 16, _mm_unpackhi_epi8(low, high));
}

FLIMMER_INLINE void Unpack16Base(const uint8_t* in, uint8_t* b, uint8_t* g, uint8_t* r) {
    const __m128i p0 = Load16(in), p1 = Load16(in + 16);
    Spread565((V16u8)EvenBytes(p0, p1), (V16u8)OddBytes(p0, p1), b, g, r);
}

// ---- AVX2: byte shuffles within each 16-byte lane, 32 pixels at a time. The lanes are loaded
// so that both hold the same arrangement, 16 pixels each.

typedef uint64_t V4u64 __attribute__((vector_size(32)));

template <typename V, typename Pattern, std::size_t... I>
FLIMMER_INLINE V Permute(const V& a, const V& b, std::index_sequence<I...>) {
    return __builtin_shufflevector(a, b, Pattern::At(I)...);
}
// Element i of the result is element Pattern::At(i) of a then b.
template <typename Pattern, typename V> FLIMMER_INLINE V Permute(const V& a, const V& b) {
    return Permute<V, Pattern>(a, b, std::make_index_sequence<sizeof(V) / sizeof(a[0])>());
}

// Two 16-byte pieces as the lanes of one vector.
FLIMMER_INLINE V32u8 Lanes(const uint8_t* low, const uint8_t* high) {
    return __builtin_shufflevector(LoadVector<V16u8>(low), LoadVector<V16u8>(high), 0, 1, 2, 3, 4,
                                   5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                   22, 23, 24, 25, 26, 27, 28, 29, 30, 31);
}
FLIMMER_INLINE void StoreLanes(uint8_t* low, uint8_t* high, const V32u8& v) {
    V16u8 a, b;
    Split(v, a, b);
    StoreVector(low, a);
    StoreVector(high, b);
}

// In a lane of three interleaved vectors x, y, z (48 bytes, 16 pixels), byte i of x holds
// channel i % 3, of y channel (i + 1) % 3 and of z channel (i + 2) % 3.
template <int Channel> struct FromY {
    static constexpr int At(std::size_t i) {
        return static_cast<int>((i % 16 + 1) % 3 == Channel ? i + 32 : i);
    }
};
template <int Channel> struct FromZ {
    static constexpr int At(std::size_t i) {
        return static_cast<int>((i % 16 + 2) % 3 == Channel ? i + 32 : i);
    }
};
// Pixel p of a channel gathered that way sits at byte (3p + channel) mod 16.
template <int Channel> struct SortPixels {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 16 * 16 + (3 * (i % 16) + Channel) % 16);
    }
};
// The inverse: byte i takes the pixel p with 3p + channel = i mod 16.
template <int Channel> struct PlacePixels {
    static constexpr int At(std::size_t i) {
        for (int p = 0; p < 16; ++p)
            if ((3 * p + Channel) % 16 == static_cast<int>(i % 16))
                return static_cast<int>(i / 16 * 16) + p;
        return 0;
    }
};

template <int Channel>
FLIMMER_INLINE V32u8 GatherChannel(const V32u8& x, const V32u8& y, const V32u8& z) {
    const V32u8 mixed = Permute<FromZ<Channel>>(Permute<FromY<Channel>>(x, y), z);
    return Permute<SortPixels<Channel>>(mixed, mixed);
}

FLIMMER_INLINE void Unpack24Avx2(const uint8_t* in, uint8_t* b, uint8_t* g, uint8_t* r) {
    const V32u8 x = Lanes(in, in + 48), y = Lanes(in + 16, in + 64), z = Lanes(in + 32, in + 80);
    StoreVector(b, GatherChannel<0>(x, y, z));
    StoreVector(g, GatherChannel<1>(x, y, z));
    StoreVector(r, GatherChannel<2>(x, y, z));
}

// Byte i of the vector that becomes x, y or z (Shift 0, 1, 2) from the placed channels.
template <int Shift> struct TakeSecond {
    static constexpr int At(std::size_t i) {
        return static_cast<int>((i % 16 + Shift) % 3 == 1 ? i + 32 : i);
    }
};
template <int Shift> struct TakeThird {
    static constexpr int At(std::size_t i) {
        return static_cast<int>((i % 16 + Shift) % 3 == 2 ? i + 32 : i);
    }
};
template <int Shift>
FLIMMER_INLINE V32u8 WeaveChannels(const V32u8& b, const V32u8& g, const V32u8& r) {
    return Permute<TakeThird<Shift>>(Permute<TakeSecond<Shift>>(b, g), r);
}

FLIMMER_INLINE void Pack24Avx2(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* out) {
    const V32u8 vb = LoadVector<V32u8>(b), vg = LoadVector<V32u8>(g), vr = LoadVector<V32u8>(r);
    const V32u8 pb = Permute<PlacePixels<0>>(vb, vb), pg = Permute<PlacePixels<1>>(vg, vg),
                pr = Permute<PlacePixels<2>>(vr, vr);
    StoreLanes(out, out + 48, WeaveChannels<0>(pb, pg, pr));
    StoreLanes(out + 16, out + 64, WeaveChannels<1>(pb, pg, pr));
    StoreLanes(out + 32, out + 80, WeaveChannels<2>(pb, pg, pr));
}

// Within each lane of four pixels: the four blue bytes, the four green, the four red, the rest.
struct ChannelsOfFour {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 16 * 16 + (i % 16 % 4) * 4 + i % 16 / 4);
    }
};
// The 32-bit and 64-bit interleaves within each lane.
template <int High> struct Interleave32 {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 4 * 4 + High * 2 + i % 4 / 2 + (i % 2) * 8);
    }
};
template <int High> struct Interleave64 {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 2 * 2 + High + (i % 2) * 4);
    }
};

FLIMMER_INLINE void Unpack32Avx2(const uint8_t* in, uint8_t* b, uint8_t* g, uint8_t* r) {
    // Lane 0 holds pixels 0..15, lane 1 pixels 16..31.
    V8u32 q[4];
    for (int k = 0; k < 4; ++k) {
        const V32u8 v = Lanes(in + 16 * k, in + 64 + 16 * k);
        q[k] = (V8u32)Permute<ChannelsOfFour>(v, v);
    }
    const V4u64 bg01 = (V4u64)Permute<Interleave32<0>>(q[0], q[1]);
    const V4u64 bg23 = (V4u64)Permute<Interleave32<0>>(q[2], q[3]);
    const V4u64 rx01 = (V4u64)Permute<Interleave32<1>>(q[0], q[1]);
    const V4u64 rx23 = (V4u64)Permute<Interleave32<1>>(q[2], q[3]);
    StoreVector(b, Permute<Interleave64<0>>(bg01, bg23));
    StoreVector(g, Permute<Interleave64<1>>(bg01, bg23));
    StoreVector(r, Permute<Interleave64<0>>(rx01, rx23));
}

template <int High> struct Interleave8 {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 16 * 16 + High * 8 + i % 16 / 2 + (i % 2) * 32);
    }
};
template <int High> struct Interleave16 {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 8 * 8 + High * 4 + i % 8 / 2 + (i % 2) * 16);
    }
};

FLIMMER_INLINE void Pack32Avx2(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* out) {
    const V32u8 vb = LoadVector<V32u8>(b), vg = LoadVector<V32u8>(g), vr = LoadVector<V32u8>(r);
    const V32u8 zero = {};
    const V16u16 bgLow = (V16u16)Permute<Interleave8<0>>(vb, vg);
    const V16u16 bgHigh = (V16u16)Permute<Interleave8<1>>(vb, vg);
    const V16u16 rLow = (V16u16)Permute<Interleave8<0>>(vr, zero);
    const V16u16 rHigh = (V16u16)Permute<Interleave8<1>>(vr, zero);
    // Each result holds four pixels of the first 16 in lane 0 and of the last 16 in lane 1.
    StoreLanes(out, out + 64, (V32u8)Permute<Interleave16<0>>(bgLow, rLow));
    StoreLanes(out + 16, out + 80, (V32u8)Permute<Interleave16<1>>(bgLow, rLow));
    StoreLanes(out + 32, out + 96, (V32u8)Permute<Interleave16<0>>(bgHigh, rHigh));
    StoreLanes(out + 48, out + 112, (V32u8)Permute<Interleave16<1>>(bgHigh, rHigh));
}

template <int Odd> struct EvenOrOddBytes {
    static constexpr int At(std::size_t i) {
        return static_cast<int>(i / 16 * 16 + (i % 16 % 8) * 2 + Odd + (i % 16 / 8) * 32);
    }
};

FLIMMER_INLINE void Pack16Avx2(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* out) {
    const V32u8 vg = LoadVector<V32u8>(g);
    const V32u8 low = LowByte565(LoadVector<V32u8>(b), vg);
    const V32u8 high = HighByte565(vg, LoadVector<V32u8>(r));
    StoreLanes(out, out + 32, Permute<Interleave8<0>>(low, high));
    StoreLanes(out + 16, out + 48, Permute<Interleave8<1>>(low, high));
}

FLIMMER_INLINE void Unpack16Avx2(const uint8_t* in, uint8_t* b, uint8_t* g, uint8_t* r) {
    const V32u8 p0 = Lanes(in, in + 32), p1 = Lanes(in + 16, in + 48);
    Spread565(Permute<EvenOrOddBytes<0>>(p0, p1), Permute<EvenOrOddBytes<1>>(p0, p1), b, g, r);
}

// ---- Rows: whole groups, the last one moved back to end at the row's end.

template <bool Wide> constexpr int GroupPixels() {
    return Wide ? 32 : 16;
}

template <bool Wide, int Depth>
FLIMMER_INLINE void PackRows(const uint8_t* blue, const uint8_t* green, const uint8_t* red,
                             int width, int height, uint8_t* bits, std::size_t stride) {
    constexpr int n = GroupPixels<Wide>();
    constexpr int bpp = Depth / 8;
    const std::size_t w = static_cast<std::size_t>(width);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * w;
        const uint8_t* b = blue + row;
        const uint8_t* g = green + row;
        const uint8_t* r = red + row;
        uint8_t* out = bits + static_cast<std::size_t>(y) * stride;
        if (width < n) {
            PackRow(b, g, r, w, Depth, out);
            continue;
        }
        ForGroups<n>(0, width, [&](int x) FLIMMER_LAMBDA {
            if constexpr (Depth == 16 && Wide)
                Pack16Avx2(b + x, g + x, r + x, out + bpp * x);
            else if constexpr (Depth == 16)
                Pack16Base(b + x, g + x, r + x, out + bpp * x);
            else if constexpr (Depth == 24 && Wide)
                Pack24Avx2(b + x, g + x, r + x, out + bpp * x);
            else if constexpr (Depth == 24)
                Pack24Base(b + x, g + x, r + x, out + bpp * x);
            else if constexpr (Wide)
                Pack32Avx2(b + x, g + x, r + x, out + bpp * x);
            else
                Pack32Base(b + x, g + x, r + x, out + bpp * x);
        });
    }
}

template <bool Wide, int Depth>
FLIMMER_INLINE void UnpackRows(const uint8_t* bits, std::size_t stride, int width, int height,
                               uint8_t* blue, uint8_t* green, uint8_t* red) {
    constexpr int n = GroupPixels<Wide>();
    constexpr int bpp = Depth / 8;
    const std::size_t w = static_cast<std::size_t>(width);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * w;
        uint8_t* b = blue + row;
        uint8_t* g = green + row;
        uint8_t* r = red + row;
        const uint8_t* in = bits + static_cast<std::size_t>(y) * stride;
        if (width < n) {
            UnpackRow(in, w, Depth, b, g, r);
            continue;
        }
        ForGroups<n>(0, width, [&](int x) FLIMMER_LAMBDA {
            if constexpr (Depth == 16 && Wide)
                Unpack16Avx2(in + bpp * x, b + x, g + x, r + x);
            else if constexpr (Depth == 16)
                Unpack16Base(in + bpp * x, b + x, g + x, r + x);
            else if constexpr (Depth == 24 && Wide)
                Unpack24Avx2(in + bpp * x, b + x, g + x, r + x);
            else if constexpr (Depth == 24)
                Unpack24Base(in + bpp * x, b + x, g + x, r + x);
            else if constexpr (Wide)
                Unpack32Avx2(in + bpp * x, b + x, g + x, r + x);
            else
                Unpack32Base(in + bpp * x, b + x, g + x, r + x);
        });
    }
}

template <bool Wide>
FLIMMER_INLINE void PackDepth(const uint8_t* blue, const uint8_t* green, const uint8_t* red,
                              int width, int height, int depth, uint8_t* bits, std::size_t stride) {
    if (depth == 16)
        PackRows<Wide, 16>(blue, green, red, width, height, bits, stride);
    else if (depth == 24)
        PackRows<Wide, 24>(blue, green, red, width, height, bits, stride);
    else
        PackRows<Wide, 32>(blue, green, red, width, height, bits, stride);
}

template <bool Wide>
FLIMMER_INLINE void UnpackDepth(const uint8_t* bits, std::size_t stride, int width, int height,
                                int depth, uint8_t* blue, uint8_t* green, uint8_t* red) {
    if (depth == 16)
        UnpackRows<Wide, 16>(bits, stride, width, height, blue, green, red);
    else if (depth == 24)
        UnpackRows<Wide, 24>(bits, stride, width, height, blue, green, red);
    else
        UnpackRows<Wide, 32>(bits, stride, width, height, blue, green, red);
}

FLIMMER_NOINLINE void PackBase(const uint8_t* blue, const uint8_t* green, const uint8_t* red,
                               int width, int height, int depth, uint8_t* bits,
                               std::size_t stride) {
    PackDepth<false>(blue, green, red, width, height, depth, bits, stride);
}
FLIMMER_AVX2 void PackAvx2(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                           int height, int depth, uint8_t* bits, std::size_t stride) {
    PackDepth<true>(blue, green, red, width, height, depth, bits, stride);
}
FLIMMER_NOINLINE void UnpackBase(const uint8_t* bits, std::size_t stride, int width, int height,
                                 int depth, uint8_t* blue, uint8_t* green, uint8_t* red) {
    UnpackDepth<false>(bits, stride, width, height, depth, blue, green, red);
}
FLIMMER_AVX2 void UnpackAvx2(const uint8_t* bits, std::size_t stride, int width, int height,
                             int depth, uint8_t* blue, uint8_t* green, uint8_t* red) {
    UnpackDepth<true>(bits, stride, width, height, depth, blue, green, red);
}

} // namespace

void PackPixels(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                int height, int depth, uint8_t* bits, std::size_t stride) {
    if (width <= 0 || height <= 0 || BytesPerPixel(depth) == 0)
        return;
    if (UseAvx2())
        PackAvx2(blue, green, red, width, height, depth, bits, stride);
    else
        PackBase(blue, green, red, width, height, depth, bits, stride);
}

void UnpackPixels(const uint8_t* bits, std::size_t stride, int width, int height, int depth,
                  uint8_t* blue, uint8_t* green, uint8_t* red) {
    if (width <= 0 || height <= 0 || BytesPerPixel(depth) == 0)
        return;
    if (UseAvx2())
        UnpackAvx2(bits, stride, width, height, depth, blue, green, red);
    else
        UnpackBase(bits, stride, width, height, depth, blue, green, red);
}

void PackPixelsReference(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                         int height, int depth, uint8_t* bits, std::size_t stride) {
    if (width <= 0 || height <= 0 || BytesPerPixel(depth) == 0)
        return;
    const std::size_t w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y)
        PackRow(blue + y * w, green + y * w, red + y * w, w, depth, bits + y * stride);
}

void UnpackPixelsReference(const uint8_t* bits, std::size_t stride, int width, int height,
                           int depth, uint8_t* blue, uint8_t* green, uint8_t* red) {
    if (width <= 0 || height <= 0 || BytesPerPixel(depth) == 0)
        return;
    const std::size_t w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y)
        UnpackRow(bits + y * stride, w, depth, blue + y * w, green + y * w, red + y * w);
}
