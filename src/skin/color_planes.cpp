#include "skin/color_planes.h"

#include <cstring>

ColorPlanes BasePicture;
ColorPlanes CurrentPicture;
ColorPlanes EntryPicture;
ColorPlanes DecorationPicture;
ColorPlanes GalleryPicture;

int PictureWidth = 0, PictureHeight = 0;

void CopyPlane(const uint8_t* source, uint8_t* destination) {
    if (PictureWidth <= 0 || PictureHeight <= 0)
        return;
    std::memmove(destination, source,
                 static_cast<std::size_t>(PictureWidth) * static_cast<std::size_t>(PictureHeight));
}

void CopyPicture(const ColorPlanes& source, ColorPlanes& destination) {
    CopyPlane(source.blue, destination.blue);
    CopyPlane(source.green, destination.green);
    CopyPlane(source.red, destination.red);
}

int BytesPerPixel(int depth) {
    switch (depth) {
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    }
    return 0;
}

void PackPixels(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int width,
                int height, int depth, uint8_t* bits, std::size_t stride) {
    if (width <= 0 || height <= 0 || BytesPerPixel(depth) == 0)
        return;
    const std::size_t w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const uint8_t* b = blue + y * w;
        const uint8_t* g = green + y * w;
        const uint8_t* r = red + y * w;
        uint8_t* out = bits + y * stride;
        if (depth == 16) {
            for (std::size_t x = 0; x < w; ++x) {
                out[2 * x] = static_cast<uint8_t>(((g[x] >> 2) << 5) | (b[x] >> 3));
                out[2 * x + 1] = static_cast<uint8_t>((g[x] >> 5) | (r[x] & 248));
            }
        } else if (depth == 24) {
            for (std::size_t x = 0; x < w; ++x) {
                out[3 * x] = b[x];
                out[3 * x + 1] = g[x];
                out[3 * x + 2] = r[x];
            }
        } else {
            for (std::size_t x = 0; x < w; ++x) {
                const uint32_t v = static_cast<uint32_t>(b[x]) | static_cast<uint32_t>(g[x]) << 8 |
                                   static_cast<uint32_t>(r[x]) << 16;
                std::memcpy(out + 4 * x, &v, 4); // the device's byte order is little-endian
            }
        }
    }
}

void UnpackPixels(const uint8_t* bits, std::size_t stride, int width, int height, int depth,
                  uint8_t* blue, uint8_t* green, uint8_t* red) {
    if (width <= 0 || height <= 0 || BytesPerPixel(depth) == 0)
        return;
    const std::size_t w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        uint8_t* b = blue + y * w;
        uint8_t* g = green + y * w;
        uint8_t* r = red + y * w;
        const uint8_t* in = bits + y * stride;
        if (depth == 16) {
            for (std::size_t x = 0; x < w; ++x) {
                const uint8_t b0 = in[2 * x], b1 = in[2 * x + 1];
                b[x] = static_cast<uint8_t>(b0 << 3);
                g[x] = static_cast<uint8_t>(((b0 >> 3) & 28) | (b1 << 5));
                r[x] = static_cast<uint8_t>(b1 & 248);
            }
        } else {
            const std::size_t n = depth == 24 ? 3 : 4;
            for (std::size_t x = 0; x < w; ++x) {
                b[x] = in[n * x];
                g[x] = in[n * x + 1];
                r[x] = in[n * x + 2];
            }
        }
    }
}
