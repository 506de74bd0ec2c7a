#include "skin/region_runs.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t HeaderWords = sizeof(RegionHeader) / sizeof(uint32_t);
constexpr uint32_t RectWords = sizeof(RegionRect) / sizeof(uint32_t);
} // namespace

RegionBuffer::RegionBuffer() : storage_(HeaderWords + Growth * RectWords), capacity_(Growth) {
    Reset();
}

RegionHeader& RegionBuffer::MutableHeader() {
    return *reinterpret_cast<RegionHeader*>(storage_.data());
}

const RegionHeader& RegionBuffer::Header() const {
    return *reinterpret_cast<const RegionHeader*>(storage_.data());
}

const RegionRect& RegionBuffer::Rect(uint32_t i) const {
    return reinterpret_cast<const RegionRect*>(storage_.data() + HeaderWords)[i];
}

void RegionBuffer::Reset() {
    RegionHeader& h = MutableHeader();
    h.size = sizeof(RegionHeader);
    h.type = 1;
    h.count = 0;
    h.regionSize = 0;
    h.bounds = {2147483647, 2147483647, 0, 0};
}

bool RegionBuffer::Append(const RegionRect& r) {
    if (Header().count >= capacity_) {
        capacity_ += Growth;
        storage_.resize(HeaderWords + capacity_ * RectWords);
    }
    RegionHeader& h = MutableHeader();
    std::memcpy(storage_.data() + HeaderWords + h.count * RectWords, &r, sizeof r);
    h.bounds.left = std::min(h.bounds.left, r.left);
    h.bounds.top = std::min(h.bounds.top, r.top);
    h.bounds.right = std::max(h.bounds.right, r.right);
    h.bounds.bottom = std::max(h.bounds.bottom, r.bottom);
    ++h.count;
    return h.count == BatchSize;
}

KeyRange MakeKeyRange(const uint8_t key[3], const uint8_t tolerance[3]) {
    KeyRange k{};
    for (int c = 0; c < 3; ++c) {
        k.low[c] = key[c];
        k.high[c] = static_cast<uint8_t>(std::min(255, key[c] + tolerance[c]));
    }
    return k;
}
