#include "skin/orientation.h"

#include <algorithm>

namespace {

constexpr uint16_t OrientationTag = 0x0112;
constexpr uint16_t ShortType = 3;

// Reads the numbers of an EXIF block (a TIFF structure) in its own byte order.
struct TiffReader {
    const uint8_t* data;
    std::size_t size;
    bool bigEndian;

    bool has(std::size_t at, std::size_t n) const { return at <= size && n <= size - at; }
    uint16_t u16(std::size_t at) const {
        return bigEndian ? static_cast<uint16_t>(data[at] << 8 | data[at + 1])
                         : static_cast<uint16_t>(data[at + 1] << 8 | data[at]);
    }
    uint32_t u32(std::size_t at) const {
        const uint32_t a = u16(at), b = u16(at + 2);
        return bigEndian ? a << 16 | b : b << 16 | a;
    }
};

// The orientation entry of the first directory of a TIFF structure.
int TiffOrientation(const uint8_t* data, std::size_t size) {
    // "MM" big-endian, "II" little-endian.
    if (size < 8 || data[0] != data[1] || (data[0] != 'M' && data[0] != 'I'))
        return StoredUpright;
    const TiffReader tiff{data, size, data[0] == 'M'};
    if (tiff.u16(2) != 42)
        return StoredUpright;
    const std::size_t directory = tiff.u32(4);
    if (!tiff.has(directory, 2))
        return StoredUpright;
    const std::size_t entries = tiff.u16(directory);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (!tiff.has(entry, 12))
            break;
        if (tiff.u16(entry) != OrientationTag)
            continue;
        // A single SHORT sits at the start of the entry's value field.
        const int value = tiff.u16(entry + 8);
        const bool valid = tiff.u16(entry + 2) == ShortType && tiff.u32(entry + 4) >= 1 &&
                           value >= 1 && value <= 8;
        return valid ? value : StoredUpright;
    }
    return StoredUpright;
}

// Calls visit(marker, body, bodySize) for each block with a length among the segments before a
// JPEG's picture data, as far as the head goes, until visit returns true.
template <class Visit> void WalkJpegBlocks(const uint8_t* head, std::size_t size, Visit visit) {
    if (size < 2 || head[0] != 0xFF || head[1] != 0xD8)
        return;
    std::size_t at = 2;
    while (at + 4 <= size && head[at] == 0xFF) {
        const uint8_t marker = head[at + 1];
        if (marker == 0xFF) { // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // the picture data, or the end: no more blocks
            return;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            at += 2;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(head[at + 2] << 8 | head[at + 3]);
        if (length < 2)
            return;
        const std::size_t body = at + 4;
        if (visit(marker, body, length - 2))
            return;
        at = body + length - 2;
    }
}

} // namespace

int JpegOrientation(const uint8_t* head, std::size_t size) {
    int orientation = StoredUpright;
    WalkJpegBlocks(head, size, [&](uint8_t marker, std::size_t body, std::size_t bodySize) {
        static const uint8_t exif[6] = {'E', 'x', 'i', 'f', 0, 0};
        if (marker != 0xE1 || bodySize < sizeof exif || body + sizeof exif > size ||
            !std::equal(exif, exif + sizeof exif, head + body))
            return false;
        // A block cut short by the end of the head is read as far as it goes.
        const std::size_t end = body + bodySize < size ? body + bodySize : size;
        orientation = TiffOrientation(head + body + sizeof exif, end - body - sizeof exif);
        return true;
    });
    return orientation;
}

int JpegComponents(const uint8_t* head, std::size_t size) {
    int components = 0;
    WalkJpegBlocks(head, size, [&](uint8_t marker, std::size_t body, std::size_t bodySize) {
        // Start of frame, in any of its codings (C4, C8 and CC are other blocks).
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame)
            return false;
        // Precision, height, width, then the count of components.
        if (bodySize >= 6 && body + 6 <= size)
            components = head[body + 5];
        return true;
    });
    return components;
}

RotateFlip UprightTurn(int orientation) {
    static const RotateFlip turns[9] = {RotateNoneFlipNone, RotateNoneFlipNone, RotateNoneFlipX,
                                        Rotate180FlipNone,  Rotate180FlipX,     Rotate90FlipX,
                                        Rotate90FlipNone,   Rotate270FlipX,     Rotate270FlipNone};
    return orientation >= 1 && orientation <= 8 ? turns[orientation] : RotateNoneFlipNone;
}
