// The warp written pixel by pixel for clarity, the yardstick of the fast one: both must agree
// byte for byte.
#pragma once
#include "effects/warp.h"
#include "skin/color_planes.h"

#include <cmath>
#include <cstdint>

inline void ReferenceWarpPlane(const uint8_t* source, uint8_t* destination, float scaleX,
                               float scaleY, float shiftX, float shiftY, float shiftZ, float tilt,
                               float turnY, float spin, float distance, float focal) {
    float a[3][3];
    BuildPerspectiveMatrix(scaleX, scaleY, shiftX, shiftY, shiftZ, spin, tilt, turnY, distance,
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
