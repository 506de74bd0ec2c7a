// The percentage resampler fed from a device bitmap.
#pragma once
#include <windows.h>

#include <cstdint>

// Scales the w x h bitmap by pw across and ph down into the planes; w and h become the new
// size. False, with the planes and sizes unchanged, when the work buffers cannot be had.
bool ResamplePercent(HBITMAP bitmap, int pw, int ph, uint8_t* blue, uint8_t* green, uint8_t* red,
                     int& w, int& h);
