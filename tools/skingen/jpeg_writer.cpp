#include "jpeg_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace skingen {

namespace {

constexpr std::array<int, 64> ZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr std::array<int, 64> LumaQuant = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

constexpr std::array<int, 64> ChromaQuant = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

struct HuffmanDefinition {
    std::array<std::uint8_t, 16> counts; // codes of length 1..16
    std::vector<std::uint8_t> symbols;
};

const HuffmanDefinition LumaDc = {{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
                            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffmanDefinition ChromaDc = {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
                              {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffmanDefinition LumaAc = {
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
    {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
     0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52,
     0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25,
     0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45,
     0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
     0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
     0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
     0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6,
     0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3,
     0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8,
     0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}};
const HuffmanDefinition ChromaAc = {
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
     0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33,
     0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18,
     0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44,
     0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63,
     0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
     0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97,
     0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4,
     0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca,
     0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7,
     0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}};

struct Code {
    std::uint16_t bits = 0;
    std::uint8_t length = 0;
};
using CodeTable = std::array<Code, 256>;

// Canonical codes: consecutive values within a length, doubled between lengths.
CodeTable BuildCodes(const HuffmanDefinition& huffman) {
    CodeTable table{};
    unsigned code = 0;
    std::size_t k = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < huffman.counts[length - 1]; ++i)
            table[huffman.symbols[k++]] = {static_cast<std::uint16_t>(code++),
                                        static_cast<std::uint8_t>(length)};
        code <<= 1;
    }
    return table;
}

std::array<int, 64> ScaledQuant(const std::array<int, 64>& base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<int, 64> q{};
    for (int i = 0; i < 64; ++i)
        q[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
    return q;
}

class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void Put(unsigned bits, int length) {
        for (int i = length - 1; i >= 0; --i) {
            acc_ = (acc_ << 1) | ((bits >> i) & 1);
            if (++count_ == 8)
                Emit();
        }
    }
    void Flush() {
        while (count_ != 0)
            Put(1, 1); // padding bits are ones
    }

  private:
    void Emit() {
        out_.push_back(static_cast<std::uint8_t>(acc_));
        if (acc_ == 0xFF)
            out_.push_back(0); // stuffed so data can't look like a marker
        acc_ = 0;
        count_ = 0;
    }
    Bytes& out_;
    unsigned acc_ = 0;
    int count_ = 0;
};

int Magnitude(int v) {
    int n = 0;
    for (int a = std::abs(v); a != 0; a >>= 1)
        ++n;
    return n;
}

void PutValue(BitWriter& bw, const Code& prefix, int v) {
    const int n = Magnitude(v);
    bw.Put(prefix.bits, prefix.length);
    if (n > 0)
        bw.Put(static_cast<unsigned>(v > 0 ? v : v + (1 << n) - 1), n);
}

struct Component {
    const std::array<int, 64>* quant;
    const CodeTable* dc;
    const CodeTable* ac;
    int previousDc = 0;
};

void EncodeBlock(BitWriter& bw, const std::array<double, 64>& samples, Component& comp) {
    static const auto cosines = [] {
        std::array<double, 64> c{};
        for (int x = 0; x < 8; ++x)
            for (int u = 0; u < 8; ++u)
                c[x * 8 + u] = std::cos((2 * x + 1) * u * std::numbers::pi / 16);
        return c;
    }();
    // Separable DCT-II: rows, then columns.
    std::array<double, 64> rows{}, coeffs{};
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            double s = 0;
            for (int x = 0; x < 8; ++x)
                s += samples[y * 8 + x] * cosines[x * 8 + u];
            rows[y * 8 + u] = s;
        }
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            double s = 0;
            for (int y = 0; y < 8; ++y)
                s += rows[y * 8 + u] * cosines[y * 8 + v];
            const double cu = u == 0 ? std::numbers::sqrt2 / 2 : 1.0;
            const double cv = v == 0 ? std::numbers::sqrt2 / 2 : 1.0;
            coeffs[v * 8 + u] = s * cu * cv / 4;
        }

    std::array<int, 64> q{};
    for (int k = 0; k < 64; ++k) {
        const int i = ZigZag[k];
        q[k] = static_cast<int>(std::lround(coeffs[i] / (*comp.quant)[i]));
    }

    const int diff = q[0] - comp.previousDc;
    comp.previousDc = q[0];
    PutValue(bw, (*comp.dc)[Magnitude(diff)], diff);

    int run = 0;
    for (int k = 1; k < 64; ++k) {
        if (q[k] == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16)
            bw.Put((*comp.ac)[0xF0].bits, (*comp.ac)[0xF0].length);
        PutValue(bw, (*comp.ac)[(run << 4) | Magnitude(q[k])], q[k]);
        run = 0;
    }
    if (run > 0)
        bw.Put((*comp.ac)[0x00].bits, (*comp.ac)[0x00].length);
}

void PutMarker(Bytes& out, unsigned marker) {
    PutBE16(out, marker);
}

void PutHuffmanTable(Bytes& out, unsigned classAndId, const HuffmanDefinition& huffman) {
    PutU8(out, classAndId);
    out.insert(out.end(), huffman.counts.begin(), huffman.counts.end());
    out.insert(out.end(), huffman.symbols.begin(), huffman.symbols.end());
}

} // namespace

Bytes EncodeJpeg(const Canvas& canvas, int quality) {
    const auto lumaQ = ScaledQuant(LumaQuant, quality);
    const auto chromaQ = ScaledQuant(ChromaQuant, quality);
    static const CodeTable lumaDc = BuildCodes(LumaDc), lumaAc = BuildCodes(LumaAc);
    static const CodeTable chromaDc = BuildCodes(ChromaDc), chromaAc = BuildCodes(ChromaAc);

    Bytes out;
    PutMarker(out, 0xFFD8);
    PutMarker(out, 0xFFE0); // JFIF 1.01, no density, no thumbnail
    PutBE16(out, 16);
    for (char c : {'J', 'F', 'I', 'F', '\0'})
        PutU8(out, static_cast<unsigned char>(c));
    PutU8(out, 1);
    PutU8(out, 1);
    PutU8(out, 0);
    PutBE16(out, 1);
    PutBE16(out, 1);
    PutU8(out, 0);
    PutU8(out, 0);

    PutMarker(out, 0xFFDB);
    PutBE16(out, 2 + 2 * 65);
    for (int id = 0; id < 2; ++id) {
        PutU8(out, static_cast<unsigned>(id)); // 8-bit entries
        for (int k = 0; k < 64; ++k)
            PutU8(out, static_cast<unsigned>((id == 0 ? lumaQ : chromaQ)[ZigZag[k]]));
    }

    PutMarker(out, 0xFFC0);
    PutBE16(out, 8 + 3 * 3);
    PutU8(out, 8);
    PutBE16(out, static_cast<unsigned>(canvas.Height()));
    PutBE16(out, static_cast<unsigned>(canvas.Width()));
    PutU8(out, 3);
    for (unsigned id = 1; id <= 3; ++id) {
        PutU8(out, id);
        PutU8(out, 0x11); // no subsampling
        PutU8(out, id == 1 ? 0 : 1);
    }

    PutMarker(out, 0xFFC4);
    PutBE16(out, static_cast<unsigned>(2 + 4 * 17 + LumaDc.symbols.size() + LumaAc.symbols.size() +
                                       ChromaDc.symbols.size() + ChromaAc.symbols.size()));
    PutHuffmanTable(out, 0x00, LumaDc);
    PutHuffmanTable(out, 0x10, LumaAc);
    PutHuffmanTable(out, 0x01, ChromaDc);
    PutHuffmanTable(out, 0x11, ChromaAc);

    PutMarker(out, 0xFFDA);
    PutBE16(out, 6 + 2 * 3);
    PutU8(out, 3);
    PutU8(out, 1);
    PutU8(out, 0x00);
    PutU8(out, 2);
    PutU8(out, 0x11);
    PutU8(out, 3);
    PutU8(out, 0x11);
    PutU8(out, 0);
    PutU8(out, 63);
    PutU8(out, 0);

    Component comps[3] = {{&lumaQ, &lumaDc, &lumaAc},
                          {&chromaQ, &chromaDc, &chromaAc},
                          {&chromaQ, &chromaDc, &chromaAc}};
    BitWriter bw(out);
    std::array<std::array<double, 64>, 3> blocks{};
    for (int by = 0; by < canvas.Height(); by += 8)
        for (int bx = 0; bx < canvas.Width(); bx += 8) {
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 8; ++i) {
                    // Partial blocks repeat the edge pixels.
                    const Color c = canvas.At(std::min(bx + i, canvas.Width() - 1),
                                              std::min(by + j, canvas.Height() - 1));
                    const double r = c.r, g = c.g, b = c.b;
                    blocks[0][j * 8 + i] = 0.299 * r + 0.587 * g + 0.114 * b - 128;
                    blocks[1][j * 8 + i] = -0.168736 * r - 0.331264 * g + 0.5 * b;
                    blocks[2][j * 8 + i] = 0.5 * r - 0.418688 * g - 0.081312 * b;
                }
            for (int k = 0; k < 3; ++k)
                EncodeBlock(bw, blocks[k], comps[k]);
        }
    bw.Flush();
    PutMarker(out, 0xFFD9);
    return out;
}

} // namespace skingen
