#include "picture/compositing.h"

#include <algorithm>

ColorPlanes DecorationWeights;
int DecorationX = 0, DecorationY = 0;
int DecorationWidth = 0, DecorationHeight = 0;
int BlendMode = WeightedBlend;

namespace {

inline uint8_t Weighted(uint8_t base, uint8_t decoration, uint8_t weight) {
    return static_cast<uint8_t>((base * (255 - weight) + decoration * weight) / 255);
}

inline int Distance(int a, int b) {
    return a > b ? a - b : b - a;
}

void CopyBase(const uint8_t* b, const uint8_t* g, const uint8_t* r, uint8_t* cb, uint8_t* cg,
              uint8_t* cr) {
    CopyPlane(b, cb);
    CopyPlane(g, cg);
    CopyPlane(r, cr);
}

} // namespace

void CompositeDecoration(const uint8_t* baseBlue, const uint8_t* baseGreen, const uint8_t* baseRed,
                         uint8_t* currentBlue, uint8_t* currentGreen, uint8_t* currentRed,
                         const uint8_t* decorationBlue, const uint8_t* decorationGreen,
                         const uint8_t* decorationRed, const uint8_t* weightBlue,
                         const uint8_t* weightGreen, const uint8_t* weightRed, int decorationWidth,
                         int decorationHeight, int x, int y, int blendMode) {
    CopyBase(baseBlue, baseGreen, baseRed, currentBlue, currentGreen, currentRed);
    if (decorationWidth <= 0 || decorationHeight <= 0 || PictureWidth <= 0 || PictureHeight <= 0)
        return;
    if (static_cast<long long>(decorationWidth) * decorationHeight > PlaneCapacity)
        return; // never a decoration the planes cannot hold
    if (blendMode != WeightedBlend && blendMode != KeyedBlend)
        return;
    // The rows and columns of the decoration that land inside the picture.
    const long long firstRow = std::max(0LL, -static_cast<long long>(y));
    const long long endRow =
        std::min<long long>(decorationHeight, static_cast<long long>(PictureHeight) - y);
    const long long firstColumn = std::max(0LL, -static_cast<long long>(x));
    const long long endColumn =
        std::min<long long>(decorationWidth, static_cast<long long>(PictureWidth) - x);
    for (long long i = firstRow; i < endRow; ++i) {
        const long long k0 = i * decorationWidth;
        const long long p0 = (y + i) * PictureWidth + x;
        for (long long j = firstColumn; j < endColumn; ++j) {
            const long long k = k0 + j, p = p0 + j;
            const uint8_t wb = weightBlue[k], wg = weightGreen[k], wr = weightRed[k];
            const uint8_t db = decorationBlue[k], dg = decorationGreen[k], dr = decorationRed[k];
            bool opaque = false;
            if (blendMode == KeyedBlend) {
                if (wr + wg + wb == 0)
                    continue;
                const bool blends =
                    Distance(wr, wg) < 30 || Distance(wb, wg) < 30 || Distance(wb, wr) < 30;
                opaque = wr >= 128 || wg >= 128 || wb >= 128 || !blends;
            }
            if (opaque) {
                currentBlue[p] = db;
                currentGreen[p] = dg;
                currentRed[p] = dr;
            } else {
                currentBlue[p] = Weighted(baseBlue[p], db, wb);
                currentGreen[p] = Weighted(baseGreen[p], dg, wg);
                currentRed[p] = Weighted(baseRed[p], dr, wr);
            }
        }
    }
}

void CompositeFullPicture(const uint8_t* decorationBlue, const uint8_t* decorationGreen,
                          const uint8_t* decorationRed, const uint8_t* baseBlue,
                          const uint8_t* baseGreen, const uint8_t* baseRed, uint8_t* currentBlue,
                          uint8_t* currentGreen, uint8_t* currentRed, const uint8_t* weightBlue,
                          const uint8_t* weightGreen, const uint8_t* weightRed, int rule) {
    CopyBase(baseBlue, baseGreen, baseRed, currentBlue, currentGreen, currentRed);
    if (rule != WeightedBlend || PictureWidth <= 0 || PictureHeight <= 0)
        return;
    const long long n = static_cast<long long>(PictureWidth) * PictureHeight;
    for (long long p = 0; p < n; ++p) {
        currentBlue[p] = Weighted(baseBlue[p], decorationBlue[p], weightBlue[p]);
        currentGreen[p] = Weighted(baseGreen[p], decorationGreen[p], weightGreen[p]);
        currentRed[p] = Weighted(baseRed[p], decorationRed[p], weightRed[p]);
    }
}

void CompositePlacedDecoration() {
    CompositeDecoration(BasePicture.blue, BasePicture.green, BasePicture.red, CurrentPicture.blue,
                        CurrentPicture.green, CurrentPicture.red, DecorationPicture.blue,
                        DecorationPicture.green, DecorationPicture.red, DecorationWeights.blue,
                        DecorationWeights.green, DecorationWeights.red, DecorationWidth,
                        DecorationHeight, DecorationX, DecorationY, BlendMode);
}
