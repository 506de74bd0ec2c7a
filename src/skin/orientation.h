// Which way up a camera says a picture is, and the turn that sets it upright.
#pragma once
#include <cstddef>
#include <cstdint>

// The orientation a camera records: 1 is as stored; 2..8 need a turn, a mirror or both.
constexpr int StoredUpright = 1;

// A JPEG's EXIF block lies among the segments before the picture data; this much of the file's
// beginning holds its orientation in practice.
constexpr std::size_t JpegHeadSize = 64 * 1024;

// The orientation in the EXIF block of a JPEG file's first size bytes; StoredUpright when there
// is none, it lies beyond them or it is not 1..8.
int JpegOrientation(const uint8_t* head, std::size_t size);

// The number of colour components in the frame header of a JPEG file's first size bytes: 3 for
// colour, 1 for grey, 4 for CMYK; 0 when the head holds no frame header.
int JpegComponents(const uint8_t* head, std::size_t size);

// The imaging library's rotate-flip types: quarter turns clockwise, then a left-right mirror.
enum RotateFlip {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6, // the same as a top-bottom mirror
    Rotate270FlipX = 7
};

// The rotate-flip that shows a picture stored with the orientation upright; RotateNoneFlipNone
// for 1 and for values that are not orientations.
RotateFlip UprightTurn(int orientation);
