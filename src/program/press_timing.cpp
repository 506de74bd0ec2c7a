#include "program/press_timing.h"

namespace {

PressTiming Ring[PressTimingCapacity];
int Next = 0; // where the next record goes
int Kept = 0;

} // namespace

void RecordPressTiming(const PressTiming& timing) {
    Ring[Next] = timing;
    Next = (Next + 1) % PressTimingCapacity;
    if (Kept < PressTimingCapacity)
        ++Kept;
}

int PressTimingCount() {
    return Kept;
}

PressTiming PressTimingAt(int back) {
    if (back < 0 || back >= Kept)
        return PressTiming{};
    return Ring[(Next - 1 - back + PressTimingCapacity) % PressTimingCapacity];
}

long long PressTimingField(int back, int field) {
    const PressTiming t = PressTimingAt(back);
    switch (field) {
    case 0:
        return t.screenCode;
    case 1:
        return t.slot;
    case 2:
        return t.totalMicros;
    case 3:
        return t.kernelMicros;
    }
    return 0;
}
