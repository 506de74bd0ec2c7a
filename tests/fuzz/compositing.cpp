// Compositing a decoration of any size at any position over a picture of any size, into
// planes of exactly the picture's size; every pixel checked against the plain rule.
//
// Input: picture width and height, decoration width and height, x and y (each
// FuzzInput::Small), a rule selector (and an int32 rule when it asks for any), a pattern.
#include "fuzz_support.h"

#include "picture/compositing.h"
#include "skin/color_planes.h"

#include <algorithm>
#include <utility>

namespace {

uint8_t Weighted(uint8_t base, uint8_t decoration, uint8_t weight) {
    return static_cast<uint8_t>((base * (255 - weight) + decoration * weight) / 255);
}

int Distance(int a, int b) {
    return a > b ? a - b : b - a;
}

struct Planes {
    explicit Planes(std::size_t n) : b(n), g(n), r(n) {}
    Planes(const std::vector<uint8_t>& pattern, std::size_t n, unsigned salt)
        : b(Tiled(pattern, n, salt)), g(Tiled(pattern, n, salt + 1)),
          r(Tiled(pattern, n, salt + 2)) {}
    ExactBuffer b, g, r;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const int pw = in.Small(-2), ph = in.Small(-2);
    const int dw = in.Small(-2), dh = in.Small(-2);
    const int x = in.Small(-32), y = in.Small(-32);
    const uint8_t ruleChoice = in.Byte();
    const int rule = ruleChoice % 3 == 0   ? WeightedBlend
                     : ruleChoice % 3 == 1 ? KeyedBlend
                                           : in.I32();
    const std::vector<uint8_t> pattern = in.Bytes(in.Remaining());

    // Every picture the program holds fits the planes; a decoration may be anything.
    const long long pictureArea = static_cast<long long>(pw) * ph;
    if (pw > 0 && ph > 0 && pictureArea > PlaneCapacity)
        return 0;
    PictureWidth = pw;
    PictureHeight = ph;
    const std::size_t n = pw > 0 && ph > 0 ? static_cast<std::size_t>(pictureArea) : 0;
    const long long decorationArea = static_cast<long long>(dw) * dh;
    const bool decorationHeld = dw > 0 && dh > 0 && decorationArea <= PlaneCapacity;
    const std::size_t d = decorationHeld ? static_cast<std::size_t>(decorationArea) : 0;

    const Planes base(pattern, n, 0), decoration(pattern, d, 7), weights(pattern, d, 13);
    Planes current(n);
    CompositeDecoration(base.b.data(), base.g.data(), base.r.data(), current.b.data(),
                        current.g.data(), current.r.data(), decoration.b.data(),
                        decoration.g.data(), decoration.r.data(), weights.b.data(),
                        weights.g.data(), weights.r.data(), dw, dh, x, y, rule);

    const bool blends = decorationHeld && (rule == WeightedBlend || rule == KeyedBlend);
    for (int py = 0; n > 0 && py < ph; ++py) {
        const std::size_t row = static_cast<std::size_t>(py) * pw;
        // The picture columns that see the decoration in this row: [x, x + dw) within [0, pw).
        const long long dy = static_cast<long long>(py) - y;
        const bool rowSeesIt = blends && dy >= 0 && dy < dh;
        const long long from = rowSeesIt ? std::clamp<long long>(x, 0, pw) : 0;
        const long long to =
            rowSeesIt ? std::clamp<long long>(static_cast<long long>(x) + dw, 0, pw) : 0;
        const std::size_t left = static_cast<std::size_t>(from);
        const std::size_t right = static_cast<std::size_t>(std::max(from, to));
        // Outside the decoration the base shows unchanged.
        for (const auto& [c, b] :
             {std::pair{&current.b, &base.b}, {&current.g, &base.g}, {&current.r, &base.r}}) {
            FUZZ_CHECK(std::memcmp(c->data() + row, b->data() + row, left) == 0);
            FUZZ_CHECK(std::memcmp(c->data() + row + right, b->data() + row + right,
                                   static_cast<std::size_t>(pw) - right) == 0);
        }
        for (std::size_t px = left; px < right; ++px) {
            const std::size_t p = row + px;
            const std::size_t k =
                static_cast<std::size_t>(dy * dw + (static_cast<long long>(px) - x));
            uint8_t eb = base.b[p], eg = base.g[p], er = base.r[p];
            const int wb = weights.b[k], wg = weights.g[k], wr = weights.r[k];
            const bool keyedAway = rule == KeyedBlend && wb + wg + wr == 0;
            const bool opaque =
                rule == KeyedBlend &&
                (wr >= 128 || wg >= 128 || wb >= 128 ||
                 !(Distance(wr, wg) < 30 || Distance(wb, wg) < 30 || Distance(wb, wr) < 30));
            if (opaque) {
                eb = decoration.b[k];
                eg = decoration.g[k];
                er = decoration.r[k];
            } else if (!keyedAway) {
                eb = Weighted(eb, decoration.b[k], static_cast<uint8_t>(wb));
                eg = Weighted(eg, decoration.g[k], static_cast<uint8_t>(wg));
                er = Weighted(er, decoration.r[k], static_cast<uint8_t>(wr));
            }
            FUZZ_CHECK(current.b[p] == eb && current.g[p] == eg && current.r[p] == er);
        }
    }

    // A decoration as large as the picture, weighted pixel by pixel; any other rule leaves the
    // base.
    const Planes full(pattern, n, 21), fullWeights(pattern, n, 29);
    Planes fullCurrent(n);
    CompositeFullPicture(full.b.data(), full.g.data(), full.r.data(), base.b.data(), base.g.data(),
                         base.r.data(), fullCurrent.b.data(), fullCurrent.g.data(),
                         fullCurrent.r.data(), fullWeights.b.data(), fullWeights.g.data(),
                         fullWeights.r.data(), rule);
    if (rule != WeightedBlend) {
        FUZZ_CHECK(fullCurrent.b.Equals(base.b.data(), n) &&
                   fullCurrent.g.Equals(base.g.data(), n) &&
                   fullCurrent.r.Equals(base.r.data(), n));
    } else {
        for (std::size_t p = 0; p < n; ++p) {
            FUZZ_CHECK(fullCurrent.b[p] == Weighted(base.b[p], full.b[p], fullWeights.b[p]));
            FUZZ_CHECK(fullCurrent.g[p] == Weighted(base.g[p], full.g[p], fullWeights.g[p]));
            FUZZ_CHECK(fullCurrent.r[p] == Weighted(base.r[p], full.r[p], fullWeights.r[p]));
        }
    }
    PictureWidth = PictureHeight = 0;
    return 0;
}
