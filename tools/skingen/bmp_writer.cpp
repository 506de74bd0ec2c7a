#include "bmp_writer.h"

namespace skingen {

std::size_t BmpRowStride(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

Bytes EncodeBmp24(const Canvas& canvas) {
    const std::size_t stride = BmpRowStride(canvas.Width(), 24);
    const auto imageSize =
        static_cast<std::uint32_t>(stride * static_cast<std::size_t>(canvas.Height()));
    Bytes out;
    out.reserve(BmpHeaderSize + imageSize);
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutLE32(out, BmpHeaderSize + imageSize);
    PutLE32(out, 0); // reserved
    PutLE32(out, BmpHeaderSize);
    PutLE32(out, 40);
    PutLE32(out, static_cast<std::uint32_t>(canvas.Width()));
    PutLE32(out, static_cast<std::uint32_t>(canvas.Height())); // positive: bottom-up
    PutLE16(out, 1);
    PutLE16(out, 24);
    PutLE32(out, 0); // BI_RGB
    PutLE32(out, imageSize);
    PutLE32(out, 2835); // 72 dpi
    PutLE32(out, 2835);
    PutLE32(out, 0);
    PutLE32(out, 0);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < canvas.Width(); ++x) {
            const Color c = canvas.At(x, y);
            PutU8(out, c.b);
            PutU8(out, c.g);
            PutU8(out, c.r);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

} // namespace skingen
