#include "capture/capture_frames.h"

#include "effects/resample.h"
#include "picture/picture_file.h"
#include "skin/color_planes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

FrameSize PickLargestFrame(const FrameCapability* caps, std::size_t count) {
    FrameSize chosen{0, 0};
    for (std::size_t i = 0; i < count; ++i) {
        const FrameCapability& c = caps[i];
        if (!c.video || !c.videoInfo || !c.formatPresent || c.formatSize < VideoInfoSize)
            continue;
        if (c.maxHeight > chosen.height)
            chosen = {c.maxWidth, c.maxHeight};
    }
    return chosen;
}

long long FrameBytes(int width, int height, int bytesPerPixel) {
    if (width <= 0 || height <= 0 || bytesPerPixel <= 0)
        return -1;
    const long long bytes = static_cast<long long>(width) * bytesPerPixel * height;
    return bytes > 0x7fffffffLL ? -1 : bytes;
}

std::size_t GrabberStride(int width, int bytesPerPixel) {
    if (width <= 0 || bytesPerPixel <= 0)
        return 0;
    return (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~static_cast<std::size_t>(3);
}

bool UprightFrame(const std::uint8_t* source, std::size_t sourceSize, int width, int height,
                  int bytesPerPixel, bool topDown, bool mirror, std::uint8_t* out) {
    const long long bytes = FrameBytes(width, height, bytesPerPixel);
    const std::size_t stride = GrabberStride(width, bytesPerPixel);
    // The last row needs no padding after it.
    if (source == nullptr || out == nullptr || bytes < 0 ||
        sourceSize < stride * (height - 1) + static_cast<std::size_t>(width) * bytesPerPixel)
        return false;
    const std::size_t row = static_cast<std::size_t>(width) * bytesPerPixel;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = source + stride * (topDown ? y : height - 1 - y);
        std::uint8_t* to = out + row * y;
        if (!mirror) {
            std::memcpy(to, from, row);
            continue;
        }
        const std::uint8_t* last = from + row - bytesPerPixel;
        if (bytesPerPixel == 3) {
            // The camera's case, spelt out: a copy call per pixel costs more than the frame's
            // fitting.
            for (int x = 0; x < width; ++x, to += 3, last -= 3) {
                to[0] = last[0];
                to[1] = last[1];
                to[2] = last[2];
            }
            continue;
        }
        for (int x = 0; x < width; ++x)
            std::memcpy(to + static_cast<std::size_t>(x) * bytesPerPixel,
                        last - static_cast<std::size_t>(x) * bytesPerPixel, bytesPerPixel);
    }
    return true;
}

bool FitFrame(const std::uint8_t* upright, int width, int height, int areaWidth, int areaHeight,
              std::uint8_t* blue, std::uint8_t* green, std::uint8_t* red, int& w, int& h) {
    const LoadPlan plan = PlanPictureLoad(width, height, FitToArea, areaWidth, areaHeight, 0, 0);
    if (upright == nullptr || plan.verdict != LoadGoesAhead)
        return false;
    // The same steps as the loader takes with the snapshot's decoded pixels.
    return PlanesFromPixels(upright, static_cast<std::size_t>(width) * 3, plan, blue, green, red,
                            w, h);
}

void SnapshotPath(const LocalTime& t, const char* tempFolder, char* name, char* path,
                  std::size_t size) {
    TimeStampName(t, ".png", name, size);
    std::snprintf(path, size, "%s%s", tempFolder, name);
}
