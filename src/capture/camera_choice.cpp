#include "capture/camera_choice.h"

#include <algorithm>
#include <cstdio>

int ChooseCamera(const std::vector<std::string>& names, const char* remembered) {
    if (names.empty())
        return -1;
    if (remembered != nullptr && remembered[0] != '\0')
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == remembered)
                return static_cast<int>(i);
    return 0;
}

int NextCamera(int current, int count) {
    if (count <= 0)
        return -1;
    return current < 0 || current + 1 >= count ? 0 : current + 1;
}

std::vector<FrameSize> OfferedSizes(const FrameCapability* caps, std::size_t count) {
    std::vector<FrameSize> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const FrameCapability& c = caps[i];
        if (!c.video || !c.videoInfo || !c.formatPresent || c.formatSize < VideoInfoSize ||
            c.maxWidth <= 0 || c.maxHeight <= 0)
            continue;
        const bool seen = std::any_of(sizes.begin(), sizes.end(), [&](FrameSize s) {
            return s.width == c.maxWidth && s.height == c.maxHeight;
        });
        if (!seen)
            sizes.push_back({c.maxWidth, c.maxHeight});
    }
    std::stable_sort(sizes.begin(), sizes.end(),
                     [](FrameSize a, FrameSize b) { return a.height > b.height; });
    return sizes;
}

bool ParseSize(const char* text, FrameSize& out) {
    if (text == nullptr)
        return false;
    int w = 0, h = 0, used = 0;
    if (std::sscanf(text, "%d x %d%n", &w, &h, &used) != 2 || text[used] != '\0' || w <= 0 ||
        h <= 0)
        return false;
    out = {w, h};
    return true;
}

int ChooseSize(const std::vector<FrameSize>& offered, const char* remembered) {
    if (offered.empty())
        return -1;
    FrameSize want{};
    if (ParseSize(remembered, want))
        for (std::size_t i = 0; i < offered.size(); ++i)
            if (offered[i].width == want.width && offered[i].height == want.height)
                return static_cast<int>(i);
    return 0;
}

int NextSize(int current, int count) {
    return NextCamera(current, count);
}

std::string SizeText(FrameSize s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height);
}

CameraNotice NoticeFor(bool running, bool lost, unsigned msSinceLastFrameOrStart,
                       unsigned silentMs) {
    if (lost)
        return CameraNotice::Disconnected;
    if (running && msSinceLastFrameOrStart >= silentMs)
        return CameraNotice::Silent;
    return CameraNotice::None;
}
