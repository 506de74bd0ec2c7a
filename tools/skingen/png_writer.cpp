#include "png_writer.h"

#include <cstdlib>
#include <stdexcept>
#include <zlib.h>

namespace skingen {

namespace {

void PutChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    PutBE32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    PutTag(out, type);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    PutBE32(out, static_cast<std::uint32_t>(crc));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Filters one row with each of the five filters and keeps the one with the smallest sum
// of absolute signed bytes: the usual heuristic, and deterministic.
void AppendFilteredRow(Bytes& out, const Bytes& row, const Bytes& prior, int bpp) {
    Bytes best;
    long bestScore = -1;
    Bytes candidate(row.size() + 1);
    for (int filter = 0; filter < 5; ++filter) {
        candidate[0] = static_cast<std::uint8_t>(filter);
        long score = 0;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int a = i >= static_cast<std::size_t>(bpp) ? row[i - bpp] : 0;
            const int b = prior[i];
            const int c = i >= static_cast<std::size_t>(bpp) ? prior[i - bpp] : 0;
            int predictor = 0;
            switch (filter) {
            case 1:
                predictor = a;
                break;
            case 2:
                predictor = b;
                break;
            case 3:
                predictor = (a + b) / 2;
                break;
            case 4:
                predictor = Paeth(a, b, c);
                break;
            default:
                break;
            }
            const auto v = static_cast<std::uint8_t>(row[i] - predictor);
            candidate[i + 1] = v;
            score += v < 128 ? v : 256 - v;
        }
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best = candidate;
        }
    }
    out.insert(out.end(), best.begin(), best.end());
}

} // namespace

Bytes EncodePng(const Canvas& canvas, PngChannels channels) {
    const int bpp = channels == PngChannels::Rgba ? 4 : 3;
    const auto w = static_cast<std::size_t>(canvas.Width());
    Bytes raw;
    Bytes row(w * bpp), prior(w * bpp, 0);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            const Color c = canvas.At(static_cast<int>(x), y);
            std::uint8_t* p = &row[x * bpp];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            if (bpp == 4)
                p[3] = c.a;
        }
        AppendFilteredRow(raw, row, prior, bpp);
        prior = row;
    }

    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        throw std::runtime_error("deflate failed");
    packed.resize(packedSize);

    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBE32(header, static_cast<std::uint32_t>(canvas.Width()));
    PutBE32(header, static_cast<std::uint32_t>(canvas.Height()));
    PutU8(header, 8);                                     // bits per channel
    PutU8(header, channels == PngChannels::Rgba ? 6 : 2); // colour type
    PutU8(header, 0);                                     // deflate
    PutU8(header, 0);                                     // adaptive filtering
    PutU8(header, 0);                                     // not interlaced
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

} // namespace skingen
