// Pictures as three byte planes (blue, green, red), rows top to bottom, no padding.
#pragma once
#include <cstddef>
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

// Bytes of one device pixel at 16, 24 or 32 bits; 0 for any other depth.
int BytesPerPixel(int depth);
// Device bits of a width x height picture: rows of `stride` bytes (at least width x bytes per
// pixel), pixels 5-6-5 at 16 bits, blue-green-red at 24 and 32. Other depths write nothing.
// At 32 bits the fourth byte is written as 0.
void PackPixels(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                int height, int depth, uint8_t* bits, std::size_t stride);
// The reverse; at 16 bits the dropped low bits come back as zero. Other depths change nothing.
void UnpackPixels(const uint8_t* bits, std::size_t stride, int width, int height, int depth,
                  uint8_t* blue, uint8_t* green, uint8_t* red);
// The same two, pixel by pixel: what the vector bodies must match.
void PackPixelsReference(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                         int height, int depth, uint8_t* bits, std::size_t stride);
void UnpackPixelsReference(const uint8_t* bits, std::size_t stride, int width, int height,
                           int depth, uint8_t* blue, uint8_t* green, uint8_t* red);
