#include "effects/warp.h"

#include "effects/colour_adjust.h"
#include "common/vector_dispatch.h"
#include "skin/color_planes.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <emmintrin.h>

int WarpScaleX = 100, WarpScaleY = 100;
int WarpShiftX = 0, WarpShiftY = 0, WarpShiftZ = 0;
int WarpTurnZ = 0, WarpTurnX = 0, WarpTurnY = 0;
int WarpDistance = 10, WarpFocal = 10;

void ResetWarpSettings() {
    WarpScaleX = 100;
    WarpScaleY = 100;
    WarpShiftX = 0;
    WarpShiftY = 0;
    WarpShiftZ = 0;
    WarpTurnZ = 0;
    WarpTurnX = 0;
    WarpTurnY = 0;
    WarpDistance = 10;
    WarpFocal = 10;
}

void MultiplyMatrix4(const double a[4][4], const double b[4][4], double c[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a[i][k] * b[k][j];
            c[i][j] = sum;
        }
}

namespace {

// Deliberately not full-precision pi: the warp has always turned by this much.
constexpr double WarpPi = 3.141592;

double Radians(float degrees) {
    return degrees * WarpPi / 180;
}

void SetMatrix(double m[4][4], double r0c0, double r0c1, double r0c2, double r0c3, double r1c0,
               double r1c1, double r1c2, double r1c3, double r2c0, double r2c1, double r2c2,
               double r2c3, double r3c0, double r3c1, double r3c2, double r3c3) {
    const double v[16] = {r0c0, r0c1, r0c2, r0c3, r1c0, r1c1, r1c2, r1c3,
                          r2c0, r2c1, r2c2, r2c3, r3c0, r3c1, r3c2, r3c3};
    for (int i = 0; i < 16; ++i)
        m[i / 4][i % 4] = v[i];
}

} // namespace

void BuildPerspectiveMatrix(float scaleX, float scaleY, float shiftX, float shiftY, float shiftZ,
                            float spin, float tilt, float turnY, float distance, float focal,
                            float adjugate[3][3]) {
    const double w2 = PictureWidth / 2;
    const double d = distance, f = focal;
    const double az = Radians(spin), ax = Radians(tilt), ay = Radians(turnY);
    const double cz = std::cos(az), sz = std::sin(az);
    const double cx = std::cos(ax), sx = std::sin(ax);
    const double cy = std::cos(ay), sy = std::sin(ay);

    double factors[9][4][4];
    SetMatrix(factors[0], 1 / w2, 0, 0, 0, 0, -1 / w2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    SetMatrix(factors[1], scaleX, 0, 0, 0, 0, scaleY, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    SetMatrix(factors[2], 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, shiftX, shiftY, shiftZ, 1);
    SetMatrix(factors[3], cz, sz, 0, 0, -sz, cz, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    SetMatrix(factors[4], 1, 0, 0, 0, 0, cx, sx, 0, 0, -sx, cx, 0, 0, 0, 0, 1);
    SetMatrix(factors[5], cy, 0, sy, 0, 0, 1, 0, 0, -sy, 0, cy, 0, 0, 0, 0, 1);
    SetMatrix(factors[6], 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, d, 1);
    SetMatrix(factors[7], 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 / f, 1 / f, 0, 0, -1, 0);
    SetMatrix(factors[8], w2, 0, 0, 0, 0, -w2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);

    // Left to right, each product into a fresh matrix.
    double chain[9][4][4];
    std::memcpy(chain[0], factors[0], sizeof chain[0]);
    for (int k = 1; k < 9; ++k)
        MultiplyMatrix4(chain[k - 1], factors[k], chain[k]);

    // The card lies at z = 0 and the depth is not needed: rows and columns 0, 1 and 3.
    static constexpr int keep[3] = {0, 1, 3};
    float q[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            q[r][c] = (float)chain[8][keep[r]][keep[c]];

    // The inverse up to the determinant, which the perspective division cancels.
    adjugate[0][0] = (float)(q[1][1] * q[2][2] - q[1][2] * q[2][1]);
    adjugate[0][1] = (float)(q[0][2] * q[2][1] - q[0][1] * q[2][2]);
    adjugate[0][2] = (float)(q[0][1] * q[1][2] - q[0][2] * q[1][1]);
    adjugate[1][0] = (float)(q[1][2] * q[2][0] - q[1][0] * q[2][2]);
    adjugate[1][1] = (float)(q[0][0] * q[2][2] - q[0][2] * q[2][0]);
    adjugate[1][2] = (float)(q[0][2] * q[1][0] - q[0][0] * q[1][2]);
    adjugate[2][0] = (float)(q[1][0] * q[2][1] - q[1][1] * q[2][0]);
    adjugate[2][1] = (float)(q[0][1] * q[2][0] - q[0][0] * q[2][1]);
    adjugate[2][2] = (float)(q[0][0] * q[1][1] - q[0][1] * q[1][0]);
}

namespace {

// The destination grid and the source window it samples, both centred the same way.
struct Grid {
    int width, height;
    int hw, hh;
    // Open bounds on the pre-truncation source position: inside exactly when its whole part
    // names a pixel of the picture. Comparing floats first keeps NaN and huge values out.
    float loC, hiC, loR, hiR;
};

Grid MakeGrid() {
    Grid g;
    g.width = PictureWidth;
    g.height = PictureHeight;
    g.hw = (g.width + 1) / 2;
    g.hh = (g.height + 1) / 2;
    g.loC = (float)(-g.hw - 1);
    g.hiC = (float)(g.width - g.hw);
    g.loR = (float)(-g.hh - 1);
    g.hiR = (float)(g.height - g.hh);
    return g;
}

// One destination pixel from its homogeneous source position.
inline uint8_t SamplePixel(const uint8_t* source, const Grid& g, float u, float v, float w) {
    const float sc = u / w;
    const float sr = v / w;
    // Whole part: one lower at an exact non-positive whole number, where the fraction below
    // becomes 1.0 and selects the same pixel.
    const float tc = sc > 0 ? sc : sc - 1;
    const float tr = sr > 0 ? sr : sr - 1;
    if (!(tc > g.loC && tc < g.hiC && tr > g.loR && tr < g.hiR))
        return 0;
    const int ic = (int)tc, ir = (int)tr;
    const float fc = sc - (float)ic;
    const float fr = sr - (float)ir;
    const int col = ic + g.hw, row = ir + g.hh;
    const uint8_t* p = source + (std::ptrdiff_t)row * g.width + col;
    // The edge pixel stands in for the neighbour beyond the last column or row.
    const int dx = col + 1 < g.width ? 1 : 0;
    const std::ptrdiff_t dy = row + 1 < g.height ? g.width : 0;
    const float p00 = p[0], p01 = p[dx], p10 = p[dy], p11 = p[dy + dx];
    const float value = (1 - fr) * (p00 * (1 - fc) + p01 * fc) + fr * (p10 * (1 - fc) + p11 * fc);
    const int whole = (int)value;
    return (uint8_t)(whole < 0 ? 0 : whole > 255 ? 255 : whole);
}

// Row terms of the back-mapping, computed once per destination row.
struct RowTerms {
    float u, v, w;
};

inline RowTerms MakeRowTerms(const float a[3][3], float y) {
    return {y * a[1][0] + a[2][0], y * a[1][1] + a[2][1], y * a[1][2] + a[2][2]};
}

inline uint8_t WarpPixel(const uint8_t* source, const Grid& g, const float a[3][3],
                         const RowTerms& rt, float x) {
    const float u = x * a[0][0] + rt.u;
    const float v = x * a[0][1] + rt.v;
    const float w = x * a[0][2] + rt.w;
    return SamplePixel(source, g, u, v, w);
}

void WarpRowsScalar(const uint8_t* const* sources, uint8_t* const* destinations, int planes,
                    const Grid& g, const float a[3][3], int x0, int x1, int row) {
    const RowTerms rt = MakeRowTerms(a, (float)(row - g.hh));
    for (int p = 0; p < planes; ++p) {
        uint8_t* d = destinations[p] + (std::ptrdiff_t)row * g.width;
        for (int i = x0; i < x1; ++i)
            d[i] = WarpPixel(sources[p], g, a, rt, (float)(i - g.hw));
    }
}

// A row is mapped in chunks: source offsets and fractions once, then sampled per plane. The
// same body runs four lanes wide on the baseline and eight wide with AVX2: vectors wider than
// the registers would make GCC split comparisons and selects into single lanes.
constexpr int ChunkPixels = 256;

struct alignas(32) ChunkMap {
    int32_t top[ChunkPixels]; // offset of the upper-left source pixel, 0 when outside
    float fc[ChunkPixels], fr[ChunkPixels];
    int32_t inside[ChunkPixels];    // all ones or zero
    uint8_t group[ChunkPixels / 4]; // a GroupKind for each group of lanes
};

enum GroupKind : uint8_t {
    GroupOutside = 0, // nothing to read, all black
    // Every neighbour lies beside or below its pixel: two-byte loads, the lower pair a row on.
    GroupPairs = 1,
    // Some pixel sits on the last column or row, where the neighbour is the pixel itself.
    GroupCareful = 2,
};

// s - 0 is s for every s, -0.0 included (s + 0 would not be).
template <typename V, typename S> FLIMMER_INLINE V Splat(S s) {
    return s - V{};
}

// Lanes the mask clears become 0.0 before the truncation, which leaves them 0.
template <typename F, typename I> FLIMMER_INLINE I TruncMasked(const F& v, const I& mask) {
    return __builtin_convertvector((F)((I)v & mask), I);
}

// GCC's own reduction of a mask moves every half to a general register.
FLIMMER_INLINE bool AnyLane(const V4i32& mask) {
    return _mm_movemask_ps((__m128)mask) != 0;
}
FLIMMER_INLINE bool AnyLane(const V8i32& mask) {
    V4i32 low, high;
    Split(mask, low, high);
    return AnyLane(low | high);
}

// Zero-extended by interleaving with zeros: GCC turns a plain conversion into a longer sequence.
FLIMMER_INLINE V4i32 Widen(const V4u16& v) {
    return (V4i32)__builtin_shufflevector(v, V4u16{}, 0, 4, 1, 5, 2, 6, 3, 7);
}
FLIMMER_INLINE V8i32 Widen(const V8u16& v) {
    return (V8i32)__builtin_shufflevector(v, V8u16{}, 0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14,
                                          7, 15);
}

// The saturating packs clamp to 0..255; GCC's own narrowing goes lane by lane.
FLIMMER_INLINE void StoreClamped(uint8_t* out, const V4i32& v) {
    const __m128i words = _mm_packs_epi32((__m128i)v, (__m128i)v);
    const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    std::memcpy(out, &bytes, 4);
}
FLIMMER_INLINE void StoreClamped(uint8_t* out, const V8i32& v) {
    V4i32 low, high;
    Split(v, low, high);
    const __m128i words = _mm_packs_epi32((__m128i)low, (__m128i)high);
    _mm_storel_epi64((__m128i*)out, _mm_packus_epi16(words, words));
}

// Mapping of pixels [x0, x0 + n) of one row, n a multiple of N.
template <int N>
FLIMMER_INLINE void MapChunk(const Grid& g, const float a[3][3], const RowTerms& rt, int x0, int n,
                             ChunkMap& m) {
    using F = typename LaneTypes<N>::F;
    using I = typename LaneTypes<N>::I;
    using U = typename LaneTypes<N>::U;
    const F a00 = Splat<F>(a[0][0]), a01 = Splat<F>(a[0][1]), a02 = Splat<F>(a[0][2]);
    const F ru = Splat<F>(rt.u), rv = Splat<F>(rt.v), rw = Splat<F>(rt.w);
    const F loC = Splat<F>(g.loC), hiC = Splat<F>(g.hiC);
    const F loR = Splat<F>(g.loR), hiR = Splat<F>(g.hiR);
    const U hw = Splat<U>((uint32_t)g.hw), hh = Splat<U>((uint32_t)g.hh);
    const U stride = Splat<U>((uint32_t)g.width);
    const U lastCol = Splat<U>((uint32_t)g.width - 1), lastRow = Splat<U>((uint32_t)g.height - 1);
    F x;
    for (int k = 0; k < N; ++k)
        x[k] = (float)(x0 - g.hw + k);
    for (int i = 0; i < n; i += N, x += (float)N) {
        const F u = x * a00 + ru;
        const F v = x * a01 + rv;
        const F w = x * a02 + rw;
        const F sc = u / w;
        const F sr = v / w;
        const F tc = sc > 0.0f ? sc : sc - 1.0f;
        const F tr = sr > 0.0f ? sr : sr - 1.0f;
        const I in = (tc > loC) & (tc < hiC) & (tr > loR) & (tr < hiR);
        // Outside lanes (NaN and huge positions among them) truncate to whatever the processor
        // gives and are masked off wherever they are used; masking before the truncation costs
        // a few percent. Their offsets are unsigned so that they wrap rather than overflow.
        const I ic = __builtin_convertvector(tc, I), ir = __builtin_convertvector(tr, I);
        StoreVector(m.fc + i, sc - __builtin_convertvector(ic, F));
        StoreVector(m.fr + i, sr - __builtin_convertvector(ir, F));
        const U col = (U)ic + hw, row = (U)ir + hh;
        StoreVector(m.top + i, (I)(row * stride + col) & in);
        StoreVector(m.inside + i, in);
        m.group[i / N] = AnyLane(((col == lastCol) | (row == lastRow)) & in) ? GroupCareful
                         : AnyLane(in)                                       ? GroupPairs
                                                                             : GroupOutside;
    }
}

inline uint16_t LoadPair(const uint8_t* p) {
    uint16_t pair;
    std::memcpy(&pair, p, 2);
    return pair;
}

// A pixel in the low byte of each lane, its right neighbour in the high byte. Written as one
// initialiser, GCC gathers the lanes as a tree rather than a chain of inserts.
FLIMMER_INLINE void LoadPairs(const uint8_t* source, const int32_t* at, V4u16& pairs) {
    pairs = V4u16{LoadPair(source + at[0]), LoadPair(source + at[1]), LoadPair(source + at[2]),
                  LoadPair(source + at[3])};
}
FLIMMER_INLINE void LoadPairs(const uint8_t* source, const int32_t* at, V8u16& pairs) {
    pairs = V8u16{LoadPair(source + at[0]), LoadPair(source + at[1]), LoadPair(source + at[2]),
                  LoadPair(source + at[3]), LoadPair(source + at[4]), LoadPair(source + at[5]),
                  LoadPair(source + at[6]), LoadPair(source + at[7])};
}

template <int N>
FLIMMER_INLINE void SampleChunk(const uint8_t* source, uint8_t* destination, const Grid& g,
                                const float a[3][3], const RowTerms& rt, int x0, int n,
                                const ChunkMap& m) {
    using F = typename LaneTypes<N>::F;
    using I = typename LaneTypes<N>::I;
    using U16 = typename LaneTypes<N>::U16;
    for (int i = 0; i < n; i += N) {
        const int kind = m.group[i / N];
        if (kind != GroupPairs) {
            for (int k = i; k < i + N; ++k)
                destination[x0 + k] =
                    kind == GroupOutside ? 0 : WarpPixel(source, g, a, rt, (float)(x0 + k - g.hw));
            continue;
        }
        U16 upperPairs, lowerPairs;
        LoadPairs(source, m.top + i, upperPairs);
        LoadPairs(source + g.width, m.top + i, lowerPairs);
        const I upper = Widen(upperPairs), lower = Widen(lowerPairs);
        const F p00 = __builtin_convertvector(upper & 0xFF, F);
        const F p01 = __builtin_convertvector(upper >> 8, F);
        const F p10 = __builtin_convertvector(lower & 0xFF, F);
        const F p11 = __builtin_convertvector(lower >> 8, F);
        const F fc = LoadVector<F>(m.fc + i), fr = LoadVector<F>(m.fr + i);
        const F gc = 1.0f - fc, gr = 1.0f - fr;
        const F value = gr * (p00 * gc + p01 * fc) + fr * (p10 * gc + p11 * fc);
        StoreClamped(destination + x0 + i, TruncMasked(value, LoadVector<I>(m.inside + i)));
    }
}

template <int N>
FLIMMER_INLINE void WarpRowsVector(const uint8_t* const* sources, uint8_t* const* destinations,
                                   int planes, const Grid& g, const float a[3][3]) {
    const int full = g.width & ~(N - 1);
    ChunkMap m;
    for (int row = 0; row < g.height; ++row) {
        const RowTerms rt = MakeRowTerms(a, (float)(row - g.hh));
        const std::ptrdiff_t rowStart = (std::ptrdiff_t)row * g.width;
        for (int x0 = 0; x0 < full; x0 += ChunkPixels) {
            const int n = full - x0 < ChunkPixels ? full - x0 : ChunkPixels;
            MapChunk<N>(g, a, rt, x0, n, m);
            for (int p = 0; p < planes; ++p)
                SampleChunk<N>(sources[p], destinations[p] + rowStart, g, a, rt, x0, n, m);
        }
        if (full < g.width)
            WarpRowsScalar(sources, destinations, planes, g, a, full, g.width, row);
    }
}

FLIMMER_NOINLINE void WarpBase(const uint8_t* const* sources, uint8_t* const* destinations,
                               int planes, const Grid& g, const float a[3][3]) {
    WarpRowsVector<4>(sources, destinations, planes, g, a);
}
FLIMMER_AVX2 void WarpAvx2(const uint8_t* const* sources, uint8_t* const* destinations, int planes,
                           const Grid& g, const float a[3][3]) {
    WarpRowsVector<8>(sources, destinations, planes, g, a);
}

int WarpPathLimit = WarpPathAvx2;

int ChosenWarpPath(int width) {
    // The pair loads need two neighbouring bytes; a picture one pixel wide has none.
    if (width < 2)
        return WarpPathScalar;
    if (WarpPathLimit >= WarpPathAvx2 && UseAvx2())
        return WarpPathAvx2;
    if (WarpPathLimit >= WarpPathSse2)
        return WarpPathSse2;
    return WarpPathScalar;
}

void WarpPlanes(const uint8_t* const* sources, uint8_t* const* destinations, int planes,
                const float a[3][3]) {
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return;
    const Grid g = MakeGrid();
    switch (ChosenWarpPath(g.width)) {
    case WarpPathAvx2:
        WarpAvx2(sources, destinations, planes, g, a);
        break;
    case WarpPathSse2:
        WarpBase(sources, destinations, planes, g, a);
        break;
    default:
        for (int row = 0; row < g.height; ++row)
            WarpRowsScalar(sources, destinations, planes, g, a, 0, g.width, row);
    }
}

} // namespace

void WarpPlane(const uint8_t* source, uint8_t* destination, float scaleX, float scaleY,
               float shiftX, float shiftY, float shiftZ, float tilt, float turnY, float spin,
               float distance, float focal) {
    float a[3][3];
    BuildPerspectiveMatrix(scaleX, scaleY, shiftX, shiftY, shiftZ, spin, tilt, turnY, distance,
                           focal, a);
    uint8_t* const destinations[1] = {destination};
    WarpPlanes(&source, destinations, 1, a);
}

void LimitWarpPath(int path) {
    WarpPathLimit = path;
}

WarpValues CurrentWarpValues() {
    // A shrunken-away card stays a line; past 10000 percent the card no longer grows, which
    // no one reaches by pressing.
    auto scale = [](int s) { return (float)(s < 0 ? 0 : s > 10000 ? 10000 : s) / 100; };
    // A full tilt in either direction or more reads as no tilt at all.
    const int tilt = WarpTurnX >= 360 || WarpTurnX <= -360 ? 0 : WarpTurnX;
    WarpValues v;
    v.scaleX = scale(WarpScaleX);
    v.scaleY = scale(WarpScaleY);
    v.shiftX = (float)WarpShiftX / 10;
    v.shiftY = (float)WarpShiftY / 10;
    v.shiftZ = (float)WarpShiftZ / 10;
    v.tilt = (float)tilt;
    v.turnY = (float)WarpTurnY;
    v.spin = (float)WarpTurnZ;
    v.distance = (float)WarpDistance;
    v.focal = (float)WarpFocal;
    return v;
}

void ApplyPerspective() {
    const WarpValues v = CurrentWarpValues();
    float a[3][3];
    BuildPerspectiveMatrix(v.scaleX, v.scaleY, v.shiftX, v.shiftY, v.shiftZ, v.spin, v.tilt,
                           v.turnY, v.distance, v.focal, a);
    const uint8_t* const sources[3] = {BasePicture.blue, BasePicture.green, BasePicture.red};
    uint8_t* const destinations[3] = {CurrentPicture.blue, CurrentPicture.green,
                                      CurrentPicture.red};
    WarpPlanes(sources, destinations, 3, a);
    if (ShowPlanesHook)
        ShowPlanesHook(CurrentPicture);
}
