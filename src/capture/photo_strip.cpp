#include "capture/photo_strip.h"

#include "skin/file_kind.h"

#include <algorithm>
#include <cstring>

namespace {

StripPlan Arranged(int columns, int rows, int border, int fw, int fh) {
    const long long w = static_cast<long long>(columns) * fw + (columns + 1LL) * border;
    const long long h = static_cast<long long>(rows) * fh + (rows + 1LL) * border;
    if (w > StripMaxSide || h > StripMaxSide)
        return {};
    return {columns, rows, border, static_cast<int>(w), static_cast<int>(h)};
}

// What the user sees of it: the fitted picture's area (never enlarged).
long long ShownArea(const StripPlan& p, int areaWidth, int areaHeight) {
    if (p.width == 0)
        return -1;
    const int percent = std::min(100, FitPercent(p.width, p.height, areaWidth, areaHeight));
    return static_cast<long long>(p.width) * percent / 100 * (p.height * percent / 100);
}

} // namespace

StripPlan PlanStrip(int shots, int frameWidth, int frameHeight, int areaWidth, int areaHeight) {
    if (shots < 1 || frameWidth < 1 || frameHeight < 1 || areaWidth < 1 || areaHeight < 1)
        return {};
    // Thin beside a shot, yet still a visible line once the strip is shrunk to the area.
    const int border = std::max(2, std::min(frameWidth, frameHeight) / 30);
    const StripPlan column = Arranged(1, shots, border, frameWidth, frameHeight);
    if (shots != 4)
        return column;
    const StripPlan grid = Arranged(2, 2, border, frameWidth, frameHeight);
    return ShownArea(column, areaWidth, areaHeight) > ShownArea(grid, areaWidth, areaHeight)
               ? column
               : grid;
}

void StripShotOrigin(const StripPlan& plan, int frameWidth, int frameHeight, int i, int& x,
                     int& y) {
    const int columns = std::max(1, plan.columns);
    x = plan.border + (i % columns) * (frameWidth + plan.border);
    y = plan.border + (i / columns) * (frameHeight + plan.border);
}

bool ComposeStrip(const StripPlan& plan, const std::uint8_t* const* shots, int count,
                  int frameWidth, int frameHeight, std::uint8_t* out, std::size_t outSize) {
    if (plan.width < 1 || plan.height < 1 || shots == nullptr || out == nullptr || frameWidth < 1 ||
        frameHeight < 1 || count < 1 || count > plan.columns * plan.rows)
        return false;
    const std::size_t row = static_cast<std::size_t>(plan.width) * 3;
    if (outSize / row < static_cast<std::size_t>(plan.height))
        return false;
    if (plan.columns * (frameWidth + plan.border) + plan.border > plan.width ||
        plan.rows * (frameHeight + plan.border) + plan.border > plan.height)
        return false;
    for (int i = 0; i < count; ++i)
        if (shots[i] == nullptr)
            return false;
    for (std::size_t p = 0; p < row; p += 3) {
        out[p] = StripBorderBlue;
        out[p + 1] = StripBorderGreen;
        out[p + 2] = StripBorderRed;
    }
    for (int y = 1; y < plan.height; ++y)
        std::memcpy(out + row * y, out, row);
    const std::size_t shotRow = static_cast<std::size_t>(frameWidth) * 3;
    for (int i = 0; i < count; ++i) {
        int x0 = 0, y0 = 0;
        StripShotOrigin(plan, frameWidth, frameHeight, i, x0, y0);
        for (int y = 0; y < frameHeight; ++y)
            std::memcpy(out + row * (y0 + y) + static_cast<std::size_t>(x0) * 3,
                        shots[i] + shotRow * y, shotRow);
    }
    return true;
}
