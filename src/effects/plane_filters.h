// Filters over byte planes of PictureWidth x PictureHeight, row-major. Each takes its input
// plane(s) first, then its output plane(s); an output is never one of the inputs. Pixels a
// filter does not write keep whatever the output plane held.
#pragma once
#include <cstdint>

// 3 x 3 kernels, row by row from the top-left element.
extern const int32_t SharpenKernel[9];
extern const int32_t StrongSharpenKernel[9];
extern const int32_t SlantKernel[9];

// Every pixel: 255 - v.
void InvertPlane(const uint8_t* in, uint8_t* out);
// All but the last row and column: v < 128 gives 180 - v, otherwise v.
void FoldDarkTones(const uint8_t* inBlue, const uint8_t* inGreen, const uint8_t* inRed,
                   uint8_t* outBlue, uint8_t* outGreen, uint8_t* outRed);
// Interior pixels (all but the outermost rows and columns): min(|sum of kernel x window|, 255).
void Convolve3x3(const uint8_t* in, uint8_t* out, const int32_t kernel[9]);
// Interior pixels: the median of the 3 x 3 window.
void Median3x3(const uint8_t* in, uint8_t* out);
// Interior pixels: the sum of the 3 x 3 window / 9, truncated.
void BoxBlur3x3(const uint8_t* in, uint8_t* out);
// Every pixel: each whole 5 x 5 block (from the top-left corner) gets its average, truncated;
// the columns and rows left over at the right and bottom are 0.
void Mosaic5x5(const uint8_t* in, uint8_t* out);
// Interior pixels: the strongest of the eight compass edges (each direction's five neighbours
// less the other three and twice the centre, at least 0), times factor in single precision,
// truncated and limited to 255.
void CompassEdges(const uint8_t* in, uint8_t* out, float factor);
// All but the last row and column: right neighbour - pixel + offset, wrapping modulo 256.
void EmbossPlanes(const uint8_t* inBlue, const uint8_t* inGreen, const uint8_t* inRed,
                  uint8_t* outBlue, uint8_t* outGreen, uint8_t* outRed, int offset);
