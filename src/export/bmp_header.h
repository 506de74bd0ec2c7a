// The numbers of the BMP files the program writes from device bitmaps.
#pragma once
#include <cstdint>

struct BmpLayout {
    int bitClass;          // the bit count raised to 1, 4, 8, 16, 24 or 32
    uint32_t colourCount;  // colour-table entries (biClrUsed)
    uint32_t imageSize;    // biSizeImage: rows padded to four bytes
    uint32_t offBits;      // bfOffBits
    uint32_t fileSize;     // bfSize
};

// planesTimesBits is the bitmap's planes x bits per pixel (a 16-bit product).
int BitClassOf(int planesTimesBits);
BmpLayout LayoutBmp(int width, int height, int planesTimesBits);
// The 14-byte file header, little-endian.
void WriteBmpFileHeader(const BmpLayout& layout, uint8_t out[14]);
