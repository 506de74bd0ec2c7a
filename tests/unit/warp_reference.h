// The warp written pixel by pixel for clarity, the yardstick of the fast one: both must agree
// byte for byte. Its back-mapping is built here too, the long way, so that a slip in the
// program's builder cannot hide behind the reference.
#pragma once
#include "effects/warp.h"
#include "skin/color_planes.h"

#include <array>
#include <cmath>
#include <cstdint>

// T = N * S * Tr * Rz * Rx * Ry * F * P * D for row vectors, each factor written out, each
// product accumulated from 0 over k = 0..3; then the adjugate of rows and columns 0, 1 and 3.
inline void ReferencePerspectiveMatrix(float scaleX, float scaleY, float shiftX, float shiftY,
                                       float shiftZ, float spin, float tilt, float turnY,
                                       float distance, float focal, float adjugate[3][3]) {
    using Matrix = std::array<std::array<double, 4>, 4>;
    auto product = [](const Matrix& a, const Matrix& b) {
        Matrix c{};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                double sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += a[i][k] * b[k][j];
                c[i][j] = sum;
            }
        return c;
    };
    auto radians = [](float degrees) { return degrees * 3.141592 / 180; };
    const double w2 = PictureWidth / 2, d = distance, f = focal;
    const double cz = std::cos(radians(spin)), sz = std::sin(radians(spin));
    const double cx = std::cos(radians(tilt)), sx = std::sin(radians(tilt));
    const double cy = std::cos(radians(turnY)), sy = std::sin(radians(turnY));

    const Matrix toModel = {{{1 / w2, 0, 0, 0}, {0, -1 / w2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    const Matrix scale = {{{scaleX, 0, 0, 0}, {0, scaleY, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    const Matrix shift = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {shiftX, shiftY, shiftZ, 1}}};
    const Matrix aboutZ = {{{cz, sz, 0, 0}, {-sz, cz, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    const Matrix aboutX = {{{1, 0, 0, 0}, {0, cx, sx, 0}, {0, -sx, cx, 0}, {0, 0, 0, 1}}};
    const Matrix aboutY = {{{cy, 0, sy, 0}, {0, 1, 0, 0}, {-sy, 0, cy, 0}, {0, 0, 0, 1}}};
    const Matrix view = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {0, 0, d, 1}}};
    const Matrix pinhole = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1 / f, 1 / f}, {0, 0, -1, 0}}};
    const Matrix toPixels = {{{w2, 0, 0, 0}, {0, -w2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    Matrix t = toModel;
    for (const Matrix* factor :
         {&scale, &shift, &aboutZ, &aboutX, &aboutY, &view, &pinhole, &toPixels})
        t = product(t, *factor);

    float q[3][3];
    const int keep[3] = {0, 1, 3};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            q[r][c] = (float)t[keep[r]][keep[c]];
    // adjugate[i][j] is the cofactor of q at row j, column i: the 2 x 2 determinant left when
    // they are struck out, negated (by swapping its two products) where i + j is odd.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int r0 = j == 0 ? 1 : 0, r1 = j == 2 ? 1 : 2;
            const int c0 = i == 0 ? 1 : 0, c1 = i == 2 ? 1 : 2;
            const float diagonal = q[r0][c0] * q[r1][c1], anti = q[r0][c1] * q[r1][c0];
            adjugate[i][j] = (i + j) % 2 == 0 ? diagonal - anti : anti - diagonal;
        }
}

inline void ReferenceWarpPlane(const uint8_t* source, uint8_t* destination, float scaleX,
                               float scaleY, float shiftX, float shiftY, float shiftZ, float tilt,
                               float turnY, float spin, float distance, float focal) {
    float a[3][3];
    ReferencePerspectiveMatrix(scaleX, scaleY, shiftX, shiftY, shiftZ, spin, tilt, turnY, distance,
                               focal, a);
    const int width = PictureWidth, height = PictureHeight;
    const int hw = (width + 1) / 2, hh = (height + 1) / 2;

    // A whole part, or false when the position is not a number within the int range.
    auto wholePart = [](float s, int& whole) {
        const float t = s > 0 ? s : s - 1;
        if (!std::isfinite(t) || t <= -2147483649.0 || t >= 2147483648.0)
            return false;
        whole = (int)std::trunc(t);
        return true;
    };

    for (int j = 0; j < height; ++j) {
        const float y = (float)(j - hh);
        // Row terms, once per row.
        const float rowU = y * a[1][0] + a[2][0];
        const float rowV = y * a[1][1] + a[2][1];
        const float rowW = y * a[1][2] + a[2][2];
        for (int i = 0; i < width; ++i) {
            const float x = (float)(i - hw);
            const float u = x * a[0][0] + rowU;
            const float v = x * a[0][1] + rowV;
            const float w = x * a[0][2] + rowW;
            const float sc = u / w;
            const float sr = v / w;

            uint8_t out = 0;
            int ic = 0, ir = 0;
            if (wholePart(sc, ic) && wholePart(sr, ir)) {
                const int col = ic + hw, row = ir + hh;
                // Bounds of the picture itself (for odd sizes hw + hw is one past the edge).
                if (col >= 0 && col < width && row >= 0 && row < height) {
                    const float fc = sc - ic;
                    const float fr = sr - ir;
                    const int col1 = col + 1 < width ? col + 1 : col;
                    const int row1 = row + 1 < height ? row + 1 : row;
                    const float p00 = source[row * width + col];
                    const float p01 = source[row * width + col1];
                    const float p10 = source[row1 * width + col];
                    const float p11 = source[row1 * width + col1];
                    const float value =
                        (1 - fr) * (p00 * (1 - fc) + p01 * fc) + fr * (p10 * (1 - fc) + p11 * fc);
                    const int whole = (int)value;
                    out = (uint8_t)(whole < 0 ? 0 : whole > 255 ? 255 : whole);
                }
            }
            destination[j * width + i] = out;
        }
    }
}
