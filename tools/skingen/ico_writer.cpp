#include "ico_writer.h"

#include "bmp_writer.h"

#include <stdexcept>

namespace skingen {

namespace {

Bytes IconImage(const Canvas& c) {
    const std::size_t maskStride = BmpRowStride(c.Width(), 1);
    const std::size_t xorSize = static_cast<std::size_t>(c.Width()) * c.Height() * 4;
    const std::size_t andSize = maskStride * c.Height();
    Bytes out;
    PutLE32(out, 40);
    PutLE32(out, static_cast<std::uint32_t>(c.Width()));
    PutLE32(out, static_cast<std::uint32_t>(c.Height() * 2)); // colour image and mask
    PutLE16(out, 1);
    PutLE16(out, 32);
    PutLE32(out, 0);
    PutLE32(out, static_cast<std::uint32_t>(xorSize + andSize));
    for (int i = 0; i < 4; ++i)
        PutLE32(out, 0);
    for (int y = c.Height() - 1; y >= 0; --y)
        for (int x = 0; x < c.Width(); ++x) {
            const Color p = c.At(x, y);
            PutU8(out, p.b);
            PutU8(out, p.g);
            PutU8(out, p.r);
            PutU8(out, p.a);
        }
    // The mask matters only to readers that ignore alpha: set where fully transparent.
    for (int y = c.Height() - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < c.Width(); ++x)
            if (c.At(x, y).a == 0)
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | (0x80 >> (x % 8)));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

Bytes EncodeIco(const std::vector<Canvas>& images) {
    std::vector<Bytes> bodies;
    for (const Canvas& c : images) {
        if (c.Width() > 256 || c.Height() > 256)
            throw std::invalid_argument("icon image too large");
        bodies.push_back(IconImage(c));
    }
    Bytes out;
    PutLE16(out, 0);
    PutLE16(out, 1); // icon
    PutLE16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        PutU8(out, images[i].Width() & 0xFF); // 256 is written as 0
        PutU8(out, images[i].Height() & 0xFF);
        PutU8(out, 0); // no palette
        PutU8(out, 0);
        PutLE16(out, 1);
        PutLE16(out, 32);
        PutLE32(out, static_cast<std::uint32_t>(bodies[i].size()));
        PutLE32(out, static_cast<std::uint32_t>(offset));
        offset += bodies[i].size();
    }
    for (const Bytes& b : bodies)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

} // namespace skingen
