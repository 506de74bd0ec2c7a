// Moving pixels between colour planes and the display's device bitmaps.
#pragma once
#include <windows.h>

#include "skin/color_planes.h"

// Writes PictureWidth x PictureHeight pixels of the planes into the bitmap.
void PlanesToBitmap(const uint8_t* blue, const uint8_t* green, const uint8_t* red, HBITMAP bitmap);
void PlanesToBitmap(const ColorPlanes& picture, HBITMAP bitmap);
// Reads PictureWidth x PictureHeight pixels of the bitmap into the planes.
void BitmapToPlanes(HBITMAP bitmap, uint8_t* blue, uint8_t* green, uint8_t* red);
void BitmapToPlanes(HBITMAP bitmap, ColorPlanes& picture);
// Both directions over an explicit size; false (and nothing moved) when the bitmap is smaller,
// not of 16, 24 or 32 bits, or the scratch buffer cannot be had.
bool PlanesToBitmapSized(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                         int height, HBITMAP bitmap);
bool BitmapToPlanesSized(HBITMAP bitmap, int width, int height, uint8_t* blue, uint8_t* green,
                         uint8_t* red);

// A 32-bit top-down description of a width x height picture: rows run as the planes' do.
BITMAPINFO TopDownInfo(int width, int height);
// A DIB section of that description, *bits at its first row; null when none can be had.
HBITMAP CreateTopDownSection(int width, int height, void** bits);
