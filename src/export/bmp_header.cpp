#include "export/bmp_header.h"

int BitClassOf(int planesTimesBits) {
    const int c = planesTimesBits & 0xFFFF;
    if (c <= 1)
        return 1;
    if (c <= 4)
        return 4;
    if (c <= 8)
        return 8;
    if (c <= 16)
        return 16;
    if (c <= 24)
        return 24;
    return 32;
}

BmpLayout LayoutBmp(int width, int height, int planesTimesBits) {
    BmpLayout l{};
    l.bitClass = BitClassOf(planesTimesBits);
    l.colourCount = l.bitClass < 24 ? (1u << l.bitClass) : 0u;
    const uint32_t rowBytes = ((static_cast<uint32_t>(width) * static_cast<uint32_t>(l.bitClass) + 31u) & ~31u) / 8u;
    l.imageSize = rowBytes * static_cast<uint32_t>(height);
    l.offBits = 14u + 40u + 4u * l.colourCount;
    l.fileSize = l.offBits + l.imageSize;
    return l;
}

namespace {
void Put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}
} // namespace

void WriteBmpFileHeader(const BmpLayout& layout, uint8_t out[14]) {
    Put16(out, 0x4D42);
    Put32(out + 2, layout.fileSize);
    Put16(out + 6, 0);
    Put16(out + 8, 0);
    Put32(out + 10, layout.offBits);
}
