#include "capture/capture_frames.h"

#include <algorithm>
#include <cstdio>

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

void FlipRows(std::uint8_t* frame, int width, int height, int bytesPerPixel) {
    if (frame == nullptr || width <= 0 || bytesPerPixel <= 0)
        return;
    const std::size_t row = static_cast<std::size_t>(width) * bytesPerPixel;
    for (int i = 0; i < height / 2; ++i)
        std::swap_ranges(frame + row * i, frame + row * (i + 1), frame + row * (height - 1 - i));
}

void SnapshotPath(const LocalTime& t, const char* tempFolder, char* name, char* path,
                  std::size_t size) {
    TimeStampName(t, ".png", name, size);
    std::snprintf(path, size, "%s%s", tempFolder, name);
}
