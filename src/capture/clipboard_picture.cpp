#include "capture/clipboard_picture.h"

#include <cstring>

namespace {

constexpr uint32_t PlainRgb = 0;  // BI_RGB
constexpr uint32_t BitFields = 3; // BI_BITFIELDS
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t V4HeaderSize = 108;
constexpr std::size_t AlphaMaskOffset = 52; // in the V4 and V5 headers
constexpr int MaxSide = 65535;

uint32_t Read32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
uint16_t Read16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool KnownBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

PackedDib ReadPackedDib(const uint8_t* block, std::size_t size) {
    PackedDib dib;
    if (block == nullptr || size < InfoHeaderSize)
        return dib;
    const std::size_t headerSize = Read32(block);
    if (headerSize < InfoHeaderSize || headerSize > size)
        return dib;
    const int32_t width = static_cast<int32_t>(Read32(block + 4));
    const int32_t height = static_cast<int32_t>(Read32(block + 8));
    const int bits = Read16(block + 14);
    const uint32_t compression = Read32(block + 16);
    const uint32_t coloursUsed = Read32(block + 32);
    if (Read16(block + 12) != 1 || !KnownBitCount(bits) || width <= 0 || width > MaxSide ||
        height == 0 || height < -MaxSide || height > MaxSide)
        return dib;
    if (compression != PlainRgb && !(compression == BitFields && (bits == 16 || bits == 32)))
        return dib;
    if (bits <= 8 ? coloursUsed > (1u << bits) : coloursUsed > 256)
        return dib;

    const std::size_t colours = bits <= 8 && coloursUsed == 0 ? (std::size_t{1} << bits)
                                                              : coloursUsed;
    // The small header keeps its three masks after it; the bigger ones hold them inside.
    const std::size_t masks = compression == BitFields && headerSize == InfoHeaderSize ? 12 : 0;
    dib.width = width;
    dib.height = height < 0 ? -height : height;
    dib.topDown = height < 0;
    dib.bitCount = bits;
    dib.bitsOffset = headerSize + masks + colours * 4;
    dib.stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (dib.bitsOffset > size || dib.stride * dib.height > size - dib.bitsOffset)
        return dib;
    if (static_cast<std::size_t>(dib.width) * dib.height > MaxPastePixels) {
        dib.verdict = DibVerdict::TooLarge;
        return dib;
    }
    dib.alpha = bits == 32 &&
                (compression == PlainRgb ||
                 (headerSize >= V4HeaderSize && Read32(block + AlphaMaskOffset) == 0xFF000000u));
    dib.verdict = DibVerdict::Usable;
    return dib;
}

void FlattenOnWhite(uint8_t* bgra, std::size_t count) {
    bool anyAlpha = false;
    for (std::size_t i = 0; i < count && !anyAlpha; ++i)
        anyAlpha = bgra[4 * i + 3] != 0;
    for (std::size_t i = 0; i < count; ++i) {
        uint8_t* p = bgra + 4 * i;
        const unsigned a = anyAlpha ? p[3] : 255;
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<uint8_t>((p[c] * a + 255 * (255 - a) + 127) / 255);
        p[3] = 255;
    }
}
