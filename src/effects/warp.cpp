#include "effects/warp.h"

#include "effects/colour_adjust.h"
#include "skin/color_planes.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#define FLIMMER_WARP_X86 1
#endif

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

#ifdef FLIMMER_WARP_X86

// A row is mapped in chunks: source offsets and fractions once, then sampled per plane.
constexpr int ChunkPixels = 256;

struct alignas(32) ChunkMap {
    int32_t top[ChunkPixels];    // offset of the upper-left source pixel, 0 when outside
    int32_t bottom[ChunkPixels]; // offset of the pixel below it (itself on the last row)
    float fc[ChunkPixels], fr[ChunkPixels];
    int32_t inside[ChunkPixels];    // all ones or zero
    uint8_t group[ChunkPixels / 4]; // a GroupKind for each four pixels
};

enum GroupKind : uint8_t {
    GroupOutside = 0, // nothing to read, all black
    GroupPairs = 1,   // every right neighbour lies beside its pixel: two-byte loads
    // Some pixel sits on the last column, where the right neighbour is the pixel itself.
    GroupCareful = 2,
};

// Mapping of pixels [x0, x0 + n) of one row, n a multiple of 4.
void MapChunkSse2(const Grid& g, const float a[3][3], const RowTerms& rt, int x0, int n,
                  ChunkMap& m) {
    const __m128 a00 = _mm_set1_ps(a[0][0]), a01 = _mm_set1_ps(a[0][1]), a02 = _mm_set1_ps(a[0][2]);
    const __m128 ru = _mm_set1_ps(rt.u), rv = _mm_set1_ps(rt.v), rw = _mm_set1_ps(rt.w);
    const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1.0f);
    const __m128 loC = _mm_set1_ps(g.loC), hiC = _mm_set1_ps(g.hiC);
    const __m128 loR = _mm_set1_ps(g.loR), hiR = _mm_set1_ps(g.hiR);
    const __m128i hw = _mm_set1_epi32(g.hw), hh = _mm_set1_epi32(g.hh);
    const __m128i lastCol = _mm_set1_epi32(g.width - 1), lastRow = _mm_set1_epi32(g.height - 1);
    const __m128i stride = _mm_set1_epi32(g.width);
    const __m128 widthF = _mm_set1_ps((float)g.width);
    const __m128 four = _mm_set1_ps(4.0f);
    __m128 x = _mm_add_ps(_mm_set1_ps((float)(x0 - g.hw)), _mm_setr_ps(0, 1, 2, 3));
    for (int i = 0; i < n; i += 4, x = _mm_add_ps(x, four)) {
        const __m128 u = _mm_add_ps(_mm_mul_ps(x, a00), ru);
        const __m128 v = _mm_add_ps(_mm_mul_ps(x, a01), rv);
        const __m128 w = _mm_add_ps(_mm_mul_ps(x, a02), rw);
        const __m128 sc = _mm_div_ps(u, w);
        const __m128 sr = _mm_div_ps(v, w);
        const __m128 pc = _mm_cmpgt_ps(sc, zero), pr = _mm_cmpgt_ps(sr, zero);
        const __m128 tc = _mm_or_ps(_mm_and_ps(pc, sc), _mm_andnot_ps(pc, _mm_sub_ps(sc, one)));
        const __m128 tr = _mm_or_ps(_mm_and_ps(pr, sr), _mm_andnot_ps(pr, _mm_sub_ps(sr, one)));
        const __m128i in =
            _mm_castps_si128(_mm_and_ps(_mm_and_ps(_mm_cmpgt_ps(tc, loC), _mm_cmplt_ps(tc, hiC)),
                                        _mm_and_ps(_mm_cmpgt_ps(tr, loR), _mm_cmplt_ps(tr, hiR))));
        const __m128i ic = _mm_cvttps_epi32(tc), ir = _mm_cvttps_epi32(tr);
        _mm_storeu_ps(m.fc + i, _mm_sub_ps(sc, _mm_cvtepi32_ps(ic)));
        _mm_storeu_ps(m.fr + i, _mm_sub_ps(sr, _mm_cvtepi32_ps(ir)));
        const __m128i col = _mm_add_epi32(ic, hw), row = _mm_add_epi32(ir, hh);
        // row * width + col stays below 2^24 for any picture the planes hold: exact in float.
        const __m128i off = _mm_cvttps_epi32(
            _mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(row), widthF), _mm_cvtepi32_ps(col)));
        const __m128i top = _mm_and_si128(off, in);
        const __m128i down =
            _mm_and_si128(_mm_andnot_si128(_mm_cmpeq_epi32(row, lastRow), stride), in);
        _mm_storeu_si128((__m128i*)(m.top + i), top);
        _mm_storeu_si128((__m128i*)(m.bottom + i), _mm_add_epi32(top, down));
        _mm_storeu_si128((__m128i*)(m.inside + i), in);
        const __m128i careful = _mm_and_si128(_mm_cmpeq_epi32(col, lastCol), in);
        m.group[i / 4] = _mm_movemask_ps(_mm_castsi128_ps(careful))   ? GroupCareful
                         : _mm_movemask_ps(_mm_castsi128_ps(in)) != 0 ? GroupPairs
                                                                      : GroupOutside;
    }
}

inline uint16_t LoadPair(const uint8_t* p) {
    uint16_t pair;
    std::memcpy(&pair, p, 2);
    return pair;
}

void SampleChunkSse2(const uint8_t* source, uint8_t* destination, const Grid& g,
                     const float a[3][3], const RowTerms& rt, int x0, int n, const ChunkMap& m) {
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i zero = _mm_setzero_si128();
    const __m128 one = _mm_set1_ps(1.0f);
    for (int i = 0; i < n; i += 4) {
        if (m.group[i / 4] != GroupPairs) {
            for (int k = i; k < i + 4; ++k)
                destination[x0 + k] = m.group[i / 4] == GroupOutside
                                          ? 0
                                          : WarpPixel(source, g, a, rt, (float)(x0 + k - g.hw));
            continue;
        }
        // Upper pairs in words 0..3, lower pairs in words 4..7; the left pixel in the low byte.
        const __m128i pairs = _mm_setr_epi16(
            (short)LoadPair(source + m.top[i]), (short)LoadPair(source + m.top[i + 1]),
            (short)LoadPair(source + m.top[i + 2]), (short)LoadPair(source + m.top[i + 3]),
            (short)LoadPair(source + m.bottom[i]), (short)LoadPair(source + m.bottom[i + 1]),
            (short)LoadPair(source + m.bottom[i + 2]), (short)LoadPair(source + m.bottom[i + 3]));
        const __m128i left = _mm_and_si128(pairs, lowBytes);
        const __m128i right = _mm_srli_epi16(pairs, 8);
        const __m128 p00 = _mm_cvtepi32_ps(_mm_unpacklo_epi16(left, zero));
        const __m128 p10 = _mm_cvtepi32_ps(_mm_unpackhi_epi16(left, zero));
        const __m128 p01 = _mm_cvtepi32_ps(_mm_unpacklo_epi16(right, zero));
        const __m128 p11 = _mm_cvtepi32_ps(_mm_unpackhi_epi16(right, zero));
        const __m128 fc = _mm_loadu_ps(m.fc + i), fr = _mm_loadu_ps(m.fr + i);
        const __m128 gc = _mm_sub_ps(one, fc), gr = _mm_sub_ps(one, fr);
        const __m128 upper = _mm_add_ps(_mm_mul_ps(p00, gc), _mm_mul_ps(p01, fc));
        const __m128 lower = _mm_add_ps(_mm_mul_ps(p10, gc), _mm_mul_ps(p11, fc));
        const __m128 value = _mm_add_ps(_mm_mul_ps(gr, upper), _mm_mul_ps(fr, lower));
        const __m128i whole =
            _mm_and_si128(_mm_cvttps_epi32(value), _mm_loadu_si128((const __m128i*)(m.inside + i)));
        // Saturating packs clamp to 0..255.
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(whole, zero), zero);
        const int packed = _mm_cvtsi128_si32(bytes);
        std::memcpy(destination + x0 + i, &packed, 4);
    }
}

// The same steps eight lanes wide, for processors that have them; every lane does exactly the
// operations of the four-lane path, so the bytes come out the same.
__attribute__((target("avx2"))) void MapChunkAvx2(const Grid& g, const float a[3][3],
                                                  const RowTerms& rt, int x0, int n, ChunkMap& m) {
    const __m256 a00 = _mm256_set1_ps(a[0][0]), a01 = _mm256_set1_ps(a[0][1]),
                 a02 = _mm256_set1_ps(a[0][2]);
    const __m256 ru = _mm256_set1_ps(rt.u), rv = _mm256_set1_ps(rt.v), rw = _mm256_set1_ps(rt.w);
    const __m256 zero = _mm256_setzero_ps(), one = _mm256_set1_ps(1.0f);
    const __m256 loC = _mm256_set1_ps(g.loC), hiC = _mm256_set1_ps(g.hiC);
    const __m256 loR = _mm256_set1_ps(g.loR), hiR = _mm256_set1_ps(g.hiR);
    const __m256i hw = _mm256_set1_epi32(g.hw), hh = _mm256_set1_epi32(g.hh);
    const __m256i lastCol = _mm256_set1_epi32(g.width - 1);
    const __m256i lastRow = _mm256_set1_epi32(g.height - 1);
    const __m256i stride = _mm256_set1_epi32(g.width);
    const __m256 eight = _mm256_set1_ps(8.0f);
    __m256 x =
        _mm256_add_ps(_mm256_set1_ps((float)(x0 - g.hw)), _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7));
    for (int i = 0; i < n; i += 8, x = _mm256_add_ps(x, eight)) {
        const __m256 u = _mm256_add_ps(_mm256_mul_ps(x, a00), ru);
        const __m256 v = _mm256_add_ps(_mm256_mul_ps(x, a01), rv);
        const __m256 w = _mm256_add_ps(_mm256_mul_ps(x, a02), rw);
        const __m256 sc = _mm256_div_ps(u, w);
        const __m256 sr = _mm256_div_ps(v, w);
        const __m256 tc =
            _mm256_blendv_ps(_mm256_sub_ps(sc, one), sc, _mm256_cmp_ps(sc, zero, _CMP_GT_OQ));
        const __m256 tr =
            _mm256_blendv_ps(_mm256_sub_ps(sr, one), sr, _mm256_cmp_ps(sr, zero, _CMP_GT_OQ));
        const __m256i in = _mm256_castps_si256(_mm256_and_ps(
            _mm256_and_ps(_mm256_cmp_ps(tc, loC, _CMP_GT_OQ), _mm256_cmp_ps(tc, hiC, _CMP_LT_OQ)),
            _mm256_and_ps(_mm256_cmp_ps(tr, loR, _CMP_GT_OQ), _mm256_cmp_ps(tr, hiR, _CMP_LT_OQ))));
        const __m256i ic = _mm256_cvttps_epi32(tc), ir = _mm256_cvttps_epi32(tr);
        _mm256_storeu_ps(m.fc + i, _mm256_sub_ps(sc, _mm256_cvtepi32_ps(ic)));
        _mm256_storeu_ps(m.fr + i, _mm256_sub_ps(sr, _mm256_cvtepi32_ps(ir)));
        const __m256i col = _mm256_add_epi32(ic, hw), row = _mm256_add_epi32(ir, hh);
        const __m256i top =
            _mm256_and_si256(_mm256_add_epi32(_mm256_mullo_epi32(row, stride), col), in);
        const __m256i down =
            _mm256_and_si256(_mm256_andnot_si256(_mm256_cmpeq_epi32(row, lastRow), stride), in);
        _mm256_storeu_si256((__m256i*)(m.top + i), top);
        _mm256_storeu_si256((__m256i*)(m.bottom + i), _mm256_add_epi32(top, down));
        _mm256_storeu_si256((__m256i*)(m.inside + i), in);
        const __m256i careful = _mm256_and_si256(_mm256_cmpeq_epi32(col, lastCol), in);
        const int edge = _mm256_movemask_ps(_mm256_castsi256_ps(careful));
        const int inside = _mm256_movemask_ps(_mm256_castsi256_ps(in));
        for (int half = 0; half < 2; ++half)
            m.group[i / 4 + half] = (edge >> 4 * half) & 15     ? GroupCareful
                                    : (inside >> 4 * half) & 15 ? GroupPairs
                                                                : GroupOutside;
    }
}

__attribute__((target("avx2"))) void SampleChunkAvx2(const uint8_t* source, uint8_t* destination,
                                                     const Grid& g, const float a[3][3],
                                                     const RowTerms& rt, int x0, int n,
                                                     const ChunkMap& m) {
    const __m256i lowByte = _mm256_set1_epi32(0xFF);
    const __m256 one = _mm256_set1_ps(1.0f);
    for (int i = 0; i < n; i += 8) {
        const int kinds = m.group[i / 4] | m.group[i / 4 + 1];
        if (kinds != GroupPairs) {
            for (int k = i; k < i + 8; ++k)
                destination[x0 + k] =
                    kinds == GroupOutside ? 0 : WarpPixel(source, g, a, rt, (float)(x0 + k - g.hw));
            continue;
        }
        const __m256i in = _mm256_loadu_si256((const __m256i*)(m.inside + i));
        auto pairs = [&](const int32_t* at) {
            return _mm_setr_epi16((short)LoadPair(source + at[0]), (short)LoadPair(source + at[1]),
                                  (short)LoadPair(source + at[2]), (short)LoadPair(source + at[3]),
                                  (short)LoadPair(source + at[4]), (short)LoadPair(source + at[5]),
                                  (short)LoadPair(source + at[6]), (short)LoadPair(source + at[7]));
        };
        const __m256i upperPair = _mm256_cvtepu16_epi32(pairs(m.top + i));
        const __m256i lowerPair = _mm256_cvtepu16_epi32(pairs(m.bottom + i));
        const __m256 p00 = _mm256_cvtepi32_ps(_mm256_and_si256(upperPair, lowByte));
        const __m256 p01 = _mm256_cvtepi32_ps(_mm256_srli_epi32(upperPair, 8));
        const __m256 p10 = _mm256_cvtepi32_ps(_mm256_and_si256(lowerPair, lowByte));
        const __m256 p11 = _mm256_cvtepi32_ps(_mm256_srli_epi32(lowerPair, 8));
        const __m256 fc = _mm256_loadu_ps(m.fc + i), fr = _mm256_loadu_ps(m.fr + i);
        const __m256 gc = _mm256_sub_ps(one, fc), gr = _mm256_sub_ps(one, fr);
        const __m256 upper = _mm256_add_ps(_mm256_mul_ps(p00, gc), _mm256_mul_ps(p01, fc));
        const __m256 lower = _mm256_add_ps(_mm256_mul_ps(p10, gc), _mm256_mul_ps(p11, fc));
        const __m256 value = _mm256_add_ps(_mm256_mul_ps(gr, upper), _mm256_mul_ps(fr, lower));
        const __m256i whole = _mm256_and_si256(_mm256_cvttps_epi32(value), in);
        const __m256i words = _mm256_packs_epi32(whole, whole);
        const __m256i bytes = _mm256_packus_epi16(words, words);
        const int low = _mm_cvtsi128_si32(_mm256_castsi256_si128(bytes));
        const int high = _mm_cvtsi128_si32(_mm256_extracti128_si256(bytes, 1));
        std::memcpy(destination + x0 + i, &low, 4);
        std::memcpy(destination + x0 + i + 4, &high, 4);
    }
}

bool HaveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}

#endif

int WarpPathLimit = WarpPathAvx2;

int ChosenWarpPath(int width) {
#ifdef FLIMMER_WARP_X86
    // The pair loads need two neighbouring bytes; a picture one pixel wide has none.
    if (width < 2)
        return WarpPathScalar;
    if (WarpPathLimit >= WarpPathAvx2 && HaveAvx2())
        return WarpPathAvx2;
    if (WarpPathLimit >= WarpPathSse2)
        return WarpPathSse2;
#else
    (void)width;
#endif
    return WarpPathScalar;
}

void WarpPlanes(const uint8_t* const* sources, uint8_t* const* destinations, int planes,
                const float a[3][3]) {
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return;
    const Grid g = MakeGrid();
    const int path = ChosenWarpPath(g.width);
    if (path == WarpPathScalar) {
        for (int row = 0; row < g.height; ++row)
            WarpRowsScalar(sources, destinations, planes, g, a, 0, g.width, row);
        return;
    }
#ifdef FLIMMER_WARP_X86
    const bool wide = path == WarpPathAvx2;
    const int full = g.width & (wide ? ~7 : ~3);
    ChunkMap m;
    for (int row = 0; row < g.height; ++row) {
        const RowTerms rt = MakeRowTerms(a, (float)(row - g.hh));
        const std::ptrdiff_t rowStart = (std::ptrdiff_t)row * g.width;
        for (int x0 = 0; x0 < full; x0 += ChunkPixels) {
            const int n = full - x0 < ChunkPixels ? full - x0 : ChunkPixels;
            if (wide)
                MapChunkAvx2(g, a, rt, x0, n, m);
            else
                MapChunkSse2(g, a, rt, x0, n, m);
            for (int p = 0; p < planes; ++p) {
                if (wide)
                    SampleChunkAvx2(sources[p], destinations[p] + rowStart, g, a, rt, x0, n, m);
                else
                    SampleChunkSse2(sources[p], destinations[p] + rowStart, g, a, rt, x0, n, m);
            }
        }
        if (full < g.width)
            WarpRowsScalar(sources, destinations, planes, g, a, full, g.width, row);
    }
#endif
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
