// What loading a picture file will draw and keep, decided before anything is touched.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

// Results of LoadPictureFile besides 0 and the imaging library's own status.
constexpr int LoadNotAPicture = -1;
constexpr int LoadTooLarge = -2;
// The imaging library's status for memory that could not be had.
constexpr int LoadOutOfMemory = 3;

// Largest natural picture drawn into a device bitmap: the bitmap, its scratch copy and the
// resampler's planes then stay well within what a process can allocate.
constexpr long long MaxDrawnPixels = 1LL << 27;

enum LoadMode { NaturalSize = 0, FitToArea = 1, StretchToPicture = 2 };

enum LoadVerdict {
    LoadGoesAhead = 0,
    RefusedOverPlanes, // a natural-size picture with more pixels than a plane holds
    RefusedOverBitmap, // too large to draw (or to shrink into the area)
    RefusedEmpty       // no pixels to draw
};

struct LoadPlan {
    int verdict;
    int bitmapWidth, bitmapHeight; // size of the device bitmap the picture is drawn into
    int percent;                   // below 100: resampled by it on both axes
    int width, height;             // size of the planes written
};

LoadPlan PlanPictureLoad(int naturalWidth, int naturalHeight, int mode, int areaWidth,
                         int areaHeight, int pictureWidth, int pictureHeight);
// 24-bit pixels of the plan's bitmap size into the planes, resampled by the plan's percent;
// w and h come back as the planes' size. False when the resampler finds no memory.
bool PlanesFromPixels(const uint8_t* rows, std::size_t stride, const LoadPlan& plan,
                      uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h);

// Writes row y of a picture that arrives row by row into out, as 24-bit pixels (blue, green,
// red); false when the row cannot be had.
using RowFetch = std::function<bool(int y, uint8_t* out)>;
enum RowsResult { RowsRead = 0, RowsNoMemory, RowsUnreadable };
// PlanesFromPixels for such a picture: only the rows the plan reads are fetched and held, never
// the whole picture at once.
int PlanesFromRows(const RowFetch& fetch, const LoadPlan& plan, uint8_t* blue, uint8_t* green,
                   uint8_t* red, int& w, int& h);
