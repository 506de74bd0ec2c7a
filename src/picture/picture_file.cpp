#include "picture/picture_file.h"

#include "effects/resample.h"
#include "skin/color_planes.h"
#include "skin/file_kind.h"

#include <memory>
#include <new>
#include <vector>

namespace {

LoadPlan Refused(int verdict) {
    return LoadPlan{verdict, 0, 0, 100, 0, 0};
}

long long Pixels(int w, int h) {
    return static_cast<long long>(w) * h;
}

} // namespace

LoadPlan PlanPictureLoad(int naturalWidth, int naturalHeight, int mode, int areaWidth,
                         int areaHeight, int pictureWidth, int pictureHeight) {
    if (naturalWidth < 1 || naturalHeight < 1)
        return Refused(RefusedEmpty);
    if (mode == StretchToPicture) {
        if (pictureWidth < 1 || pictureHeight < 1)
            return Refused(RefusedEmpty);
        if (Pixels(pictureWidth, pictureHeight) > PlaneCapacity)
            return Refused(RefusedOverPlanes);
        return LoadPlan{LoadGoesAhead, pictureWidth, pictureHeight,
                        100,           pictureWidth, pictureHeight};
    }
    const LoadPlan natural{LoadGoesAhead, naturalWidth, naturalHeight,
                           100,           naturalWidth, naturalHeight};
    if (mode != FitToArea)
        return Pixels(naturalWidth, naturalHeight) > PlaneCapacity ? Refused(RefusedOverPlanes)
                                                                   : natural;
    if (Pixels(naturalWidth, naturalHeight) > MaxDrawnPixels)
        return Refused(RefusedOverBitmap);
    const int p = FitPercent(naturalWidth, naturalHeight, areaWidth, areaHeight);
    if (p >= 100)
        return Pixels(naturalWidth, naturalHeight) > PlaneCapacity ? Refused(RefusedOverPlanes)
                                                                   : natural;
    // More than a hundred times the area across or down: not even 1 % fits.
    if (p < 1)
        return Refused(RefusedOverBitmap);
    const int width = ScaledSize(p, naturalWidth), height = ScaledSize(p, naturalHeight);
    // Only an area larger than a plane could let the fitted picture outgrow the planes.
    if (Pixels(width, height) > PlaneCapacity)
        return Refused(RefusedOverPlanes);
    return LoadPlan{LoadGoesAhead, naturalWidth, naturalHeight, p, width, height};
}

bool PlanesFromPixels(const uint8_t* rows, std::size_t stride, const LoadPlan& plan,
                      uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h) {
    w = plan.bitmapWidth;
    h = plan.bitmapHeight;
    if (plan.percent < 100)
        return ResamplePixels(rows, stride, 3, plan.percent, plan.percent, blue, green, red, w, h);
    UnpackPixels(rows, stride, w, h, 24, blue, green, red);
    return true;
}

int PlanesFromRows(const RowFetch& fetch, const LoadPlan& plan, uint8_t* blue, uint8_t* green,
                   uint8_t* red, int& w, int& h) {
    const int width = plan.bitmapWidth, height = plan.bitmapHeight;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    w = width;
    h = height;
    try {
        if (plan.percent >= 100) {
            const auto row = std::make_unique_for_overwrite<uint8_t[]>(rowBytes);
            for (int y = 0; y < height; ++y) {
                if (!fetch(y, row.get()))
                    return RowsUnreadable;
                const std::size_t at =
                    static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
                UnpackPixels(row.get(), rowBytes, width, 1, 24, blue + at, green + at, red + at);
            }
            return RowsRead;
        }
        const std::vector<int> needed = ResampledRows(plan.percent, plan.percent, width, height);
        const auto kept = std::make_unique_for_overwrite<uint8_t[]>(needed.size() * rowBytes);
        std::vector<const uint8_t*> rowAt(static_cast<std::size_t>(height), nullptr);
        for (std::size_t k = 0; k < needed.size(); ++k) {
            uint8_t* row = kept.get() + k * rowBytes;
            if (!fetch(needed[k], row))
                return RowsUnreadable;
            rowAt[static_cast<std::size_t>(needed[k])] = row;
        }
        return ResampleRows(rowAt.data(), rowBytes, 3, plan.percent, plan.percent, blue, green, red,
                            w, h)
                   ? RowsRead
                   : RowsNoMemory;
    } catch (const std::bad_alloc&) {
        return RowsNoMemory;
    }
}
