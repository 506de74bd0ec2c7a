// Pictures as three byte planes (blue, green, red), rows top to bottom, no padding.
#pragma once
#include <cstdint>

constexpr int PlaneCapacity = 800 * 640;

struct ColorPlanes {
    uint8_t blue[PlaneCapacity];
    uint8_t green[PlaneCapacity];
    uint8_t red[PlaneCapacity];
};

// The working pictures, alive for the whole run; all used at PictureWidth x PictureHeight.
extern ColorPlanes BasePicture;
extern ColorPlanes CurrentPicture;
extern ColorPlanes EntryPicture;
extern ColorPlanes DecorationPicture;
extern ColorPlanes GalleryPicture;

extern int PictureWidth, PictureHeight;

// Copies PictureHeight rows of PictureWidth bytes.
void CopyPlane(const uint8_t* source, uint8_t* destination);
// The three planes of one picture into another.
void CopyPicture(const ColorPlanes& source, ColorPlanes& destination);
