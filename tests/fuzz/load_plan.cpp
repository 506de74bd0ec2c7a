// Load planning and the resampler: the plan for any picture size, mode, area and picture, then
// the resampling it asks for into planes of exactly the planned size; and the resampler alone
// at any size and percentages, also from rows found one by one.
//
// Input: edge flags, natural width and height (int32), mode (int32), area width and height
// (uint16: a display's size at most), picture width and height (int32), a pixel pattern length
// and its bytes; then a second case for the resampler: width and height (1..300), percentages
// across and down (int32), a window (row, column, rows, columns) and a pixel pattern. An edge
// flag turns a height into the limit over the width plus -2..2, where off-by-ones live: flag 1
// the natural height at a plane's capacity, 2 at the drawing limit, 4 the picture height at a
// plane's capacity. Flag 8 runs the baseline vector bodies instead of AVX2.
#include "fuzz_support.h"

#include "common/vector_dispatch.h"
#include "effects/resample.h"
#include "picture/picture_file.h"
#include "skin/color_planes.h"

#include <memory>

namespace {

// Source bitmaps larger than this are planned but not resampled: the run would be too slow to
// be worth it, and the resampler reads only the window that the cut keeps anyway.
constexpr long long ResampledPixelsAtMost = 1 << 18;
constexpr int RowsKeptApartAtMost = 1024;

long long Pixels(int w, int h) {
    return static_cast<long long>(w) * h;
}

void CheckPlan(const LoadPlan& plan, int nw, int nh, int mode, int aw, int ah, int pw, int ph) {
    FUZZ_CHECK(plan.verdict >= LoadGoesAhead && plan.verdict <= RefusedEmpty);
    if (plan.verdict != LoadGoesAhead) {
        FUZZ_CHECK(plan.width == 0 && plan.height == 0);
        FUZZ_CHECK(plan.bitmapWidth == 0 && plan.bitmapHeight == 0);
    } else {
        // The planes written always fit the planes the program has.
        FUZZ_CHECK(plan.width >= 1 && plan.height >= 1);
        FUZZ_CHECK(Pixels(plan.width, plan.height) <= PlaneCapacity);
        FUZZ_CHECK(plan.width <= plan.bitmapWidth && plan.height <= plan.bitmapHeight);
        FUZZ_CHECK(Pixels(plan.bitmapWidth, plan.bitmapHeight) <= MaxDrawnPixels);
        FUZZ_CHECK(plan.percent >= 1 && plan.percent <= 100);
        if (plan.percent == 100)
            FUZZ_CHECK(plan.width == plan.bitmapWidth && plan.height == plan.bitmapHeight);
        if (mode == StretchToPicture)
            FUZZ_CHECK(plan.width == pw && plan.height == ph);
        else
            FUZZ_CHECK(plan.bitmapWidth == nw && plan.bitmapHeight == nh);
        // A fitted picture lies within the area.
        if (mode == FitToArea)
            FUZZ_CHECK(plan.width <= aw && plan.height <= ah);
    }
    if (nw < 1 || nh < 1)
        FUZZ_CHECK(plan.verdict == RefusedEmpty);
    if (nw >= 1 && nh >= 1 && mode != FitToArea && mode != StretchToPicture)
        FUZZ_CHECK((plan.verdict == LoadGoesAhead) == (Pixels(nw, nh) <= PlaneCapacity));
    // A picture that already fits the area and the planes is taken as it is, never enlarged.
    if (mode == FitToArea && nw >= 1 && nh >= 1 && nw <= aw && nh <= ah &&
        Pixels(nw, nh) <= PlaneCapacity)
        FUZZ_CHECK(plan.verdict == LoadGoesAhead && plan.percent == 100);
}

// Resamples w x h planes by the percentages into planes of exactly the size it should give.
void Resample(const std::vector<uint8_t>& pattern, int w, int h, int pw, int ph) {
    const bool valid = pw >= 1 && pw <= 100 && ph >= 1 && ph <= 100 && w >= 1 && h >= 1;
    const std::size_t n = static_cast<std::size_t>(w > 0 && h > 0 ? Pixels(w, h) : 0);
    const ExactBuffer sb(Tiled(pattern, n, 0)), sg(Tiled(pattern, n, 1)), sr(Tiled(pattern, n, 2));
    const int ow = valid ? ScaledSize(pw, w) : 0, oh = valid ? ScaledSize(ph, h) : 0;
    const std::size_t out = static_cast<std::size_t>(Pixels(ow, oh));
    ExactBuffer b(out), g(out), r(out);
    int rw = w, rh = h;
    const bool done = ResamplePlanes(sb.data(), sg.data(), sr.data(), pw, ph, b.data(), g.data(),
                                     r.data(), rw, rh);
    FUZZ_CHECK(done == valid);
    if (!valid) {
        FUZZ_CHECK(rw == w && rh == h);
        return;
    }
    FUZZ_CHECK(rw == ow && rh == oh);
    FUZZ_CHECK(rw >= 1 && rw <= w && rh >= 1 && rh <= h);
    // At 100 % the picture comes back as it was, but for an odd size's black last column or row.
    if (pw == 100 && ph == 100) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * w + x;
                const bool edge = (w % 2 == 1 && x == w - 1) || (h % 2 == 1 && y == h - 1);
                FUZZ_CHECK(b[i] == (edge ? 0 : sb[i]));
            }
    }
}

// 24-bit device pixels found row by row, each row in a buffer of exactly its length, resample to
// what the same pixels read whole give; only the rows ResampledRows names are there to read.
void ResampleFromRows(const std::vector<uint8_t>& pattern, int w, int h, int p) {
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    const std::vector<uint8_t> bits = Tiled(pattern, rowBytes * static_cast<std::size_t>(h));
    const std::size_t out = static_cast<std::size_t>(Pixels(ScaledSize(p, w), ScaledSize(p, h)));
    std::vector<uint8_t> eb(out), eg(out), er(out);
    int ew = w, eh = h;
    FUZZ_CHECK(ResamplePixels(bits.data(), rowBytes, 3, p, p, eb.data(), eg.data(), er.data(), ew,
                              eh));
    std::vector<std::unique_ptr<ExactBuffer>> kept;
    std::vector<const uint8_t*> rows(static_cast<std::size_t>(h), nullptr);
    const std::vector<int> needed = ResampledRows(p, p, w, h);
    for (int y : needed) {
        FUZZ_CHECK(y >= 0 && y < h);
        const auto at = bits.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        kept.push_back(std::make_unique<ExactBuffer>(
            std::vector<uint8_t>(at, at + static_cast<std::ptrdiff_t>(rowBytes))));
        rows[static_cast<std::size_t>(y)] = kept.back()->data();
    }
    ExactBuffer b(out), g(out), r(out);
    int rw = w, rh = h;
    FUZZ_CHECK(ResampleRows(rows.data(), rowBytes, 3, p, p, b.data(), g.data(), r.data(), rw, rh));
    FUZZ_CHECK(rw == ew && rh == eh);
    FUZZ_CHECK(std::memcmp(b.data(), eb.data(), out) == 0 &&
               std::memcmp(g.data(), eg.data(), out) == 0 &&
               std::memcmp(r.data(), er.data(), out) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const uint8_t edges = in.Byte();
    WideVectorsAllowed = (edges & 8) == 0;
    auto height = [&in](bool atEdge, long long limit, int width) {
        return atEdge && width > 0 ? static_cast<int>(limit / width) + in.Between(-2, 2) : in.I32();
    };
    const int nw = in.I32();
    const int nh = height(edges & 3, (edges & 1) ? PlaneCapacity : MaxDrawnPixels, nw);
    const int mode = in.I32();
    const int aw = in.U16(), ah = in.U16();
    const int pw = in.I32();
    const int ph = height(edges & 4, PlaneCapacity, pw);
    const std::vector<uint8_t> pattern = in.Bytes(in.Byte());

    const LoadPlan plan = PlanPictureLoad(nw, nh, mode, aw, ah, pw, ph);
    CheckPlan(plan, nw, nh, mode, aw, ah, pw, ph);
    if (plan.verdict == LoadGoesAhead && plan.percent < 100 &&
        Pixels(plan.bitmapWidth, plan.bitmapHeight) <= ResampledPixelsAtMost) {
        Resample(pattern, plan.bitmapWidth, plan.bitmapHeight, plan.percent, plan.percent);
        // A buffer for each row is slow under the sanitizers: smaller pictures only.
        if (plan.bitmapHeight <= RowsKeptApartAtMost &&
            Pixels(plan.bitmapWidth, plan.bitmapHeight) <= ResampledPixelsAtMost / 4)
            ResampleFromRows(pattern, plan.bitmapWidth, plan.bitmapHeight, plan.percent);
    }

    // The resampler on its own: any percentages, small pictures.
    const int w = in.Between(1, 300), h = in.Between(1, 300);
    const int rpw = in.I32(), rph = in.I32();
    const int row0 = in.Between(0, 299), col0 = in.Between(0, 299);
    const int rows = in.Between(1, 300), cols = in.Between(1, 300);
    const std::vector<uint8_t> tile = in.Bytes(in.Byte());
    Resample(tile, w, h, rpw, rph);

    // Any window of the zoomed plane holds exactly what the whole zoomed plane holds there, and
    // what the pixel-by-pixel zoom gives.
    if (row0 + rows <= h && col0 + cols <= w) {
        const float sx = static_cast<float>((rpw & 0x7f) % 100 + 1) / 100;
        const float sy = static_cast<float>((rph & 0x7f) % 100 + 1) / 100;
        const std::size_t n = static_cast<std::size_t>(w) * h;
        const ExactBuffer source(Tiled(tile, n));
        ExactBuffer whole(n), window(static_cast<std::size_t>(rows) * cols),
            reference(static_cast<std::size_t>(rows) * cols);
        ZoomPlane(source.data(), whole.data(), w, h, sx, sy);
        ZoomPlaneWindow(source.data(), w, h, sx, sy, row0, col0, rows, cols, window.data());
        ZoomPlaneWindowReference(source.data(), w, h, sx, sy, row0, col0, rows, cols,
                                 reference.data());
        FUZZ_CHECK(std::memcmp(window.data(), reference.data(), window.size()) == 0);
        for (int y = 0; y < rows; ++y)
            FUZZ_CHECK(std::memcmp(window.data() + static_cast<std::size_t>(y) * cols,
                                   whole.data() + static_cast<std::size_t>(row0 + y) * w + col0,
                                   static_cast<std::size_t>(cols)) == 0);
    }
    return 0;
}
