// Bilinear scaling of colour planes about their centre by whole percentages. Large zooms share
// their rows out with helper threads; every function returns with its planes written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Zooms a width x height plane about its centre by sx across and sy down into a plane of the
// same size; positions that fall outside the source are black. For an odd size the last
// column or row has no source position and is black too.
void ZoomPlane(const uint8_t* source, uint8_t* destination, int width, int height, float sx,
               float sy);
// The pixels that ZoomPlane would write at rows row0 .. row0 + rows - 1 and columns
// col0 .. col0 + cols - 1, stored consecutively (row length cols).
void ZoomPlaneWindow(const uint8_t* source, int width, int height, float sx, float sy, int row0,
                     int col0, int rows, int cols, uint8_t* out);
// The same, pixel by pixel: what the vector bodies must match.
void ZoomPlaneWindowReference(const uint8_t* source, int width, int height, float sx, float sy,
                              int row0, int col0, int rows, int cols, uint8_t* out);
// Output size of pw percent of w: truncated, but never below one pixel.
int ScaledSize(int percent, int size);
// Scales the three w x h source planes by pw across and ph down (each 1..100) about the centre
// and cuts the scaled picture out into the destination planes (row length = new width).
// w and h become the new size. False, and nothing changed, for percentages or sizes out of range.
bool ResamplePlanes(const uint8_t* sourceBlue, const uint8_t* sourceGreen, const uint8_t* sourceRed,
                    int pw, int ph, uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h);
// ResamplePlanes straight from device pixels: rows of `stride` bytes, blue-green-red with
// bytesPerPixel 3, or with a fourth byte that is not read at 4. The result is what UnpackPixels
// then ResamplePlanes give, without the three full-size planes. Also false for any other
// bytesPerPixel.
bool ResamplePixels(const uint8_t* bits, std::size_t stride, int bytesPerPixel, int pw, int ph,
                    uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h);
// The source rows that ResamplePixels reads for these percentages and size, ascending: a
// picture that arrives row by row needs only these.
std::vector<int> ResampledRows(int pw, int ph, int w, int h);
// ResamplePixels with source row y at rows[y], each rowBytes long or longer; only the rows that
// ResampledRows names are read.
bool ResampleRows(const uint8_t* const* rows, std::size_t rowBytes, int bytesPerPixel, int pw,
                  int ph, uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h);
