// How long the last presses took, from the button going down to the pixels on the screen,
// and how much of that the picture's own computing took. Kept for the benchmarks only.
#pragma once
#include <cstdint>

struct PressTiming {
    int screenCode;        // the screen pressed on (-1: the picture window)
    int slot;              // the button pressed, -1 for none
    uint32_t totalMicros;  // button down to the end of the paints it caused
    uint32_t kernelMicros; // of which the computing of the picture
};

constexpr int PressTimingCapacity = 512;
// The slot of a record that times an open: from the Open dialog closing to the colour screen
// shown, the kernel being the imaging library's decode.
constexpr int PictureOpenedSlot = -2;

// Keeps the record, the oldest one giving way once the ring is full.
void RecordPressTiming(const PressTiming& timing);
// Records kept, at most PressTimingCapacity.
int PressTimingCount();
// The record `back` presses ago (0: the last one); all fields zero beyond what is kept.
PressTiming PressTimingAt(int back);
// Field 0..3 of PressTimingAt(back) (screen, slot, total, kernel), as the debug channel answers.
long long PressTimingField(int back, int field);
