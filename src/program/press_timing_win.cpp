#include "program/press_timing_win.h"

#include "program/press_timing.h"

const UINT PressTimesMessage = RegisterWindowMessageA("Flimmer.PressTimes");

long long PressClockTicks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

namespace {

uint32_t Micros(long long ticks) {
    static const long long frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    const long long us = ticks * 1000000 / frequency;
    return us < 0 ? 0 : us > 0xffffffffLL ? 0xffffffffU : static_cast<uint32_t>(us);
}

long long PressStart = 0;
int PressSlot = -1;
int KernelDepth = 0;
long long KernelStart = 0;
long long KernelTicks = 0;

void StartKernelClock() {
    KernelStart = PressClockTicks();
}
void StopKernelClock() {
    KernelTicks += PressClockTicks() - KernelStart;
}

} // namespace

LRESULT AnswerPressTimes(WPARAM wp, LPARAM lp) {
    if (static_cast<LONG_PTR>(wp) == -1)
        return PressTimingCount();
    return static_cast<LRESULT>(PressTimingField(static_cast<int>(wp), static_cast<int>(lp)));
}

void BeginPress() {
    PressStart = PressClockTicks();
    PressSlot = -1;
    KernelTicks = 0;
}

void NotePressedSlot(int slot) {
    PressSlot = slot;
}

void EndPress(int screenCode) {
    RecordPressTiming(PressTiming{screenCode, PressSlot, Micros(PressClockTicks() - PressStart),
                                  Micros(KernelTicks)});
}

void AddKernelTicks(long long ticks) {
    KernelTicks += ticks;
}

KernelSpan::KernelSpan() {
    if (KernelDepth++ == 0)
        StartKernelClock();
}

KernelSpan::~KernelSpan() {
    if (--KernelDepth == 0)
        StopKernelClock();
}

OutsideKernel::OutsideKernel() : paused_(KernelDepth > 0) {
    if (paused_)
        StopKernelClock();
}

OutsideKernel::~OutsideKernel() {
    if (paused_)
        StartKernelClock();
}
