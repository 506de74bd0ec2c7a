// A picture pasted from the clipboard as a packed DIB (CF_DIB, CF_DIBV5): its layout checked
// against the size of the block before anything reads the pixels.
#pragma once
#include <cstddef>
#include <cstdint>

// Bigger pastes are refused: their 32-bit copy alone would not fit comfortably in memory.
constexpr std::size_t MaxPastePixels = std::size_t{64} * 1024 * 1024;

enum class DibVerdict { Usable, NotUsable, TooLarge };

struct PackedDib {
    DibVerdict verdict = DibVerdict::NotUsable;
    int width = 0;
    int height = 0; // always positive; topDown says which way the rows run
    bool topDown = false;
    int bitCount = 0;
    std::size_t bitsOffset = 0; // from the start of the header
    std::size_t stride = 0;
    bool alpha = false; // 32 bits whose fourth byte is alpha
};

// Uncompressed DIBs of 1, 4, 8, 16, 24 and 32 bits with any of the three header sizes.
PackedDib ReadPackedDib(const uint8_t* block, std::size_t size);

// Blue, green, red, alpha pixels composed over white, alpha made opaque. Pictures whose alpha
// bytes are all zero are left as they are: many programs never fill them in.
void FlattenOnWhite(uint8_t* bgra, std::size_t count);
