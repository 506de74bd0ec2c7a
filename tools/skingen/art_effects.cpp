// The gallery's effect tiles: a small copy of the default picture with a rough
// preview of the effect and the effect's name. The previews only hint at each
// effect; the program's own filters are the real thing.
#include "art.h"

#include "font.h"
#include "look.h"
#include "shapes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace skingen {

namespace {

// One channel of a picture, for the small filters below.
struct Plane {
    int w, h;
    std::vector<int> v;
    int& At(int x, int y) { return v[static_cast<std::size_t>(y * w + x)]; }
    int At(int x, int y) const { return v[static_cast<std::size_t>(y * w + x)]; }
};

using Planes = std::array<Plane, 3>; // red, green, blue

Planes Split(const Canvas& c) {
    Planes p;
    for (Plane& q : p)
        q = {c.Width(), c.Height(),
             std::vector<int>(static_cast<std::size_t>(c.Width()) *
                              static_cast<std::size_t>(c.Height()))};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Color k = c.At(x, y);
            p[0].At(x, y) = k.r;
            p[1].At(x, y) = k.g;
            p[2].At(x, y) = k.b;
        }
    return p;
}

Canvas Join(const Planes& p) {
    Canvas c(p[0].w, p[0].h);
    auto byte = [](int v) { return std::clamp(v, 0, 255); };
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            c.Set(x, y, Rgb(byte(p[0].At(x, y)), byte(p[1].At(x, y)), byte(p[2].At(x, y))));
    return c;
}

// A 3x3 neighbourhood operation on the interior; the border keeps its values.
template <typename Op> Plane Neighbourhood(const Plane& in, Op op) {
    Plane out = in;
    for (int y = 1; y + 1 < in.h; ++y)
        for (int x = 1; x + 1 < in.w; ++x) {
            std::array<int, 9> n{};
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 3; ++i)
                    n[static_cast<std::size_t>(j * 3 + i)] = in.At(x + i - 1, y + j - 1);
            out.At(x, y) = op(n);
        }
    return out;
}

Plane Convolve(const Plane& in, const std::array<int, 9>& k) {
    return Neighbourhood(in, [&](const std::array<int, 9>& n) {
        int s = 0;
        for (std::size_t i = 0; i < 9; ++i)
            s += k[i] * n[i];
        return std::min(std::abs(s), 255);
    });
}

Plane Median(const Plane& in) {
    return Neighbourhood(in, [](std::array<int, 9> n) {
        std::nth_element(n.begin(), n.begin() + 4, n.end());
        return n[4];
    });
}

Plane Blur(const Plane& in) {
    return Neighbourhood(in, [](const std::array<int, 9>& n) {
        int s = 0;
        for (int v : n)
            s += v;
        return s / 9;
    });
}

Plane Edges(const Plane& in, double factor) {
    // Ring order N, NE, E, SE, S, SW, W, NW as indices into the 3x3 window.
    static const int ring[8] = {1, 2, 5, 8, 7, 6, 3, 0};
    return Neighbourhood(in, [factor](const std::array<int, 9>& n) {
        int best = 0;
        for (int d = 0; d < 8; ++d) {
            int s = -2 * n[4];
            for (int k = 0; k < 8; ++k) {
                const int dist = std::min((k - d + 8) % 8, (d - k + 8) % 8);
                s += dist <= 2 ? n[ring[k]] : -n[ring[k]];
            }
            best = std::max(best, s);
        }
        return std::min(static_cast<int>(best * factor), 255);
    });
}

Plane Emboss(const Plane& in) {
    Plane out = in;
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x + 1 < in.w; ++x)
            out.At(x, y) = (in.At(x + 1, y) - in.At(x, y) + 142) & 255;
    return out;
}

template <typename F> Planes EachPlane(const Planes& p, F f) {
    return {f(p[0]), f(p[1]), f(p[2])};
}

Planes Grey(const Planes& p, double gain) {
    Planes out = p;
    for (std::size_t i = 0; i < p[0].v.size(); ++i) {
        const int luma =
            static_cast<int>(gain * (0.299 * p[0].v[i] + 0.587 * p[1].v[i] + 0.114 * p[2].v[i]));
        out[0].v[i] = out[1].v[i] = out[2].v[i] = luma;
    }
    return out;
}

Planes Mosaic(const Planes& p, int block) {
    Planes out = p;
    for (int c = 0; c < 3; ++c)
        for (int by = 0; by < p[0].h; by += block)
            for (int bx = 0; bx < p[0].w; bx += block) {
                int sum = 0, n = 0;
                for (int y = by; y < std::min(by + block, p[0].h); ++y)
                    for (int x = bx; x < std::min(bx + block, p[0].w); ++x, ++n)
                        sum += p[c].At(x, y);
                for (int y = by; y < std::min(by + block, p[0].h); ++y)
                    for (int x = bx; x < std::min(bx + block, p[0].w); ++x)
                        out[c].At(x, y) = sum / n;
            }
    return out;
}

Planes Repeated(Planes p, int passes, const std::array<int, 9>& sharpen) {
    for (int i = 0; i < passes; ++i)
        p = EachPlane(p, [&](const Plane& q) { return Convolve(Median(Blur(q)), sharpen); });
    return p;
}

constexpr std::array<int, 9> Sharpen = {0, -1, 0, -1, 5, -1, 0, -1, 0};
constexpr std::array<int, 9> StrongSharpen = {-1, -1, -1, -1, 9, -1, -1, -1, -1};
constexpr std::array<int, 9> Slant = {0, -1, 3, -4, 10, -3, 3, -3, -3};

Planes Preview(int index, const Planes& p) {
    switch (index) {
    case 0:
        return Grey(p, 1.0);
    case 1:
        return EachPlane(p, [](Plane q) {
            for (int& v : q.v)
                v = 255 - v;
            return q;
        });
    case 2:
        return EachPlane(p, [](Plane q) {
            for (int& v : q.v)
                v = v < 128 ? 180 - v : v;
            return q;
        });
    case 3:
        return EachPlane(p, [](const Plane& q) { return Convolve(q, Sharpen); });
    case 4:
        return EachPlane(p, [](const Plane& q) { return Median(Median(q)); });
    case 5:
        return EachPlane(p, [](const Plane& q) { return Blur(Blur(Blur(q))); });
    case 6:
        return Mosaic(p, 6);
    case 7:
        return Repeated(p, 3, StrongSharpen);
    case 8:
        return Repeated(p, 7, Sharpen);
    case 9:
        return Repeated(p, 3, Sharpen);
    case 10:
        return EachPlane(p, [](const Plane& q) { return Convolve(q, Slant); });
    case 11:
        return EachPlane(p, [](const Plane& q) { return Edges(q, 1.1); });
    case 12: {
        Planes g = Grey(EachPlane(p, [](const Plane& q) { return Edges(q, 0.8); }), 1.0);
        for (Plane& q : g)
            for (int& v : q.v)
                v = 255 - v;
        return g;
    }
    case 13:
        return EachPlane(p, [](const Plane& q) {
            Plane e = Emboss(q);
            for (int& v : e.v)
                v = static_cast<int>(v * 1.3);
            return e;
        });
    default: {
        Planes e = EachPlane(p, [](const Plane& q) { return Emboss(q); });
        for (std::size_t i = 0; i < e[0].v.size(); ++i) {
            int& g = e[1].v[i];
            int& b = e[2].v[i];
            e[0].v[i] = 255;
            g = (g + 55) & 255;
            if (g < 150)
                g = 188;
            if (b >= 184 && b <= 189)
                b += 66;
            if (b < 150)
                b = (b - 90) & 255;
            if (b == 0)
                b = 50;
            if (b > g)
                std::swap(b, g);
        }
        return e;
    }
    }
}

const char* const EffectNames[EffectCount] = {
    "Grey",  "Negative",   "Tone fold",  "Sharpen",       "Median",
    "Blur",  "Mosaic",     "Paint bold", "Paint x7",      "Paint x3",
    "Slant", "Glow edges", "Sketch",     "Bright relief", "Colour relief",
};

} // namespace

std::string EffectName(int index) {
    return index >= 0 && index < EffectCount ? EffectNames[index] : "";
}

Canvas DrawEffectTile(int index, int size, Face face) {
    const int pictureH = size * 3 / 4;
    static const Canvas scene = DrawDefaultPicture(192, 144).Downsample(2);
    Canvas small(size, pictureH);
    for (int y = 0; y < pictureH; ++y)
        for (int x = 0; x < size; ++x)
            small.Set(x, y, scene.At(x * scene.Width() / size, y * scene.Height() / pictureH));
    const Canvas preview = Join(Preview(index, Split(small)));

    Canvas c(size, size, look::Paper);
    c.Paste(preview, 0, 0);
    if (face == Face::Pressed)
        Fill(c, RoundRect(0, 0, size, size, 0), Rgb(40, 20, 60, 50));

    // The name on a paper band along the bottom.
    const Color band = face == Face::Hover     ? look::Glow
                       : face == Face::Pressed ? Mix(look::Sky, look::Paper, 0.6)
                                               : look::Paper;
    c.FillRect(0, pictureH, size, size - pictureH, band);
    c.FillRect(0, pictureH, size, 1, Shade(band, -0.18));
    TextStyle s = Style(10, Bold, look::Ink);
    const std::string name = EffectName(index);
    s.cap = FitCap(name, s, size - 8, 10);
    DrawTextCentered(c, size / 2.0, pictureH + (size - pictureH) / 2.0 + (face == Face::Pressed),
                     name, s);

    // Rest: a thin frame. Hover: a warm glow. Pressed: a deep blue frame.
    const Shape edge = Minus(RoundRect(0, 0, size, size, 0),
                             face == Face::Norm ? RoundRect(1, 1, size - 2, size - 2, 0)
                                                : RoundRect(3, 3, size - 6, size - 6, 3));
    const Color frame = face == Face::Hover     ? look::Amber
                        : face == Face::Pressed ? Shade(look::Sky, -0.25)
                                                : look::PaperEdge;
    Fill(c, edge, frame);

    // JPEG rounding must not reach either key colour (black, or pure red for the last
    // four tiles): keep every channel well above zero.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Color p = c.At(x, y);
            const auto lift = [](std::uint8_t v) {
                return static_cast<std::uint8_t>(std::max<int>(v, 44));
            };
            c.Set(x, y, Rgb(lift(p.r), lift(p.g), lift(p.b)));
        }
    return c;
}

} // namespace skingen
