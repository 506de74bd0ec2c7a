#include "cur_writer.h"

#include "bmp_writer.h"

#include <stdexcept>

namespace skingen {

MonoCursor CursorFromArt(const std::vector<std::string>& rows, int hotX, int hotY) {
    MonoCursor c;
    c.height = static_cast<int>(rows.size());
    c.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    c.hotX = hotX;
    c.hotY = hotY;
    for (const std::string& row : rows) {
        if (static_cast<int>(row.size()) != c.width)
            throw std::invalid_argument("cursor art rows differ in width");
        for (char ch : row) {
            switch (ch) {
            case '.':
                c.pixels.push_back(CursorPixel::Transparent);
                break;
            case '#':
                c.pixels.push_back(CursorPixel::Black);
                break;
            case 'o':
                c.pixels.push_back(CursorPixel::White);
                break;
            case '~':
                c.pixels.push_back(CursorPixel::Inverted);
                break;
            default:
                throw std::invalid_argument("unknown cursor art character");
            }
        }
    }
    return c;
}

Bytes EncodeCur(const MonoCursor& c) {
    const std::size_t stride = BmpRowStride(c.width, 1);
    const std::size_t maskSize = stride * static_cast<std::size_t>(c.height);
    Bytes xorMask(maskSize, 0), andMask(maskSize, 0);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            // Screen = (screen AND and) XOR xor.
            const CursorPixel p = c.pixels[static_cast<std::size_t>(y * c.width + x)];
            const bool andBit = p == CursorPixel::Transparent || p == CursorPixel::Inverted;
            const bool xorBit = p == CursorPixel::White || p == CursorPixel::Inverted;
            const std::size_t at = static_cast<std::size_t>(c.height - 1 - y) * stride + x / 8;
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if (andBit)
                andMask[at] |= bit;
            if (xorBit)
                xorMask[at] |= bit;
        }

    Bytes image;
    PutLE32(image, 40);
    PutLE32(image, static_cast<std::uint32_t>(c.width));
    PutLE32(image, static_cast<std::uint32_t>(c.height * 2));
    PutLE16(image, 1);
    PutLE16(image, 1);
    PutLE32(image, 0);
    PutLE32(image, static_cast<std::uint32_t>(2 * maskSize));
    for (int i = 0; i < 4; ++i)
        PutLE32(image, 0);
    PutLE32(image, 0x00000000); // palette: black
    PutLE32(image, 0x00FFFFFF); // white
    image.insert(image.end(), xorMask.begin(), xorMask.end());
    image.insert(image.end(), andMask.begin(), andMask.end());

    Bytes out;
    PutLE16(out, 0);
    PutLE16(out, 2); // cursor
    PutLE16(out, 1);
    PutU8(out, c.width & 0xFF);
    PutU8(out, c.height & 0xFF);
    PutU8(out, 2); // two colours
    PutU8(out, 0);
    PutLE16(out, static_cast<unsigned>(c.hotX));
    PutLE16(out, static_cast<unsigned>(c.hotY));
    PutLE32(out, static_cast<std::uint32_t>(image.size()));
    PutLE32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace skingen
