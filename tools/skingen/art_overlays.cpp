// Picture-sized decorations: foregrounds laid over the photo through their own weights
// pictures, and covers (frames and vignettes) that the photo shows through where they
// are dark. Both are drawn with alpha at twice the size and averaged down.
#include "decorations.h"

#include "art.h"
#include "look.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skingen {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int K = 2;

class Layer {
  public:
    Layer(int width, int height) : c(width * K, height * K, Rgb(0, 0, 0, 0)) {}
    double X(double u) const { return u * c.Width(); }
    double Y(double v) const { return v * c.Height(); }
    Point P(double u, double v) const { return {X(u), Y(v)}; }
    double R(double r) const { return r * c.Height(); }
    void Disc(double u, double v, double r, Color colour) {
        c.FillCircle(X(u), Y(v), R(r), colour);
    }
    void Oval(double u, double v, double ru, double rv, Color colour) {
        c.FillEllipse(X(u), Y(v), R(ru), R(rv), colour);
    }
    // Every pixel whose centre gives a colour (alpha 0 leaves it).
    template <typename F> void Each(F colourAt) {
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                const Color p = colourAt((x + 0.5) / c.Width(), (y + 0.5) / c.Height());
                if (p.a > 0)
                    c.Blend(x, y, p);
            }
    }
    void Ring(double u, double v, double r, double width, Color colour) {
        const double cx = X(u), cy = Y(v), rr = R(r), w = R(width);
        for (int y = static_cast<int>(cy - rr - w); y <= static_cast<int>(cy + rr + w); ++y)
            for (int x = static_cast<int>(cx - rr - w); x <= static_cast<int>(cx + rr + w); ++x)
                if (std::fabs(std::hypot(x + 0.5 - cx, y + 0.5 - cy) - rr) < w / 2)
                    c.Blend(x, y, colour);
    }
    Canvas Done() const { return c.Downsample(K); }

    Canvas c;
};

std::vector<Point> Rotated(std::vector<Point> pts, Point centre, double angle) {
    const double ca = std::cos(angle), sa = std::sin(angle);
    for (Point& p : pts) {
        const double x = p.x - centre.x, y = p.y - centre.y;
        p = {centre.x + x * ca - y * sa, centre.y + x * sa + y * ca};
    }
    return pts;
}

void Blossom(Layer& l, double u, double v, double r, Color petal, double turn) {
    const double cx = l.X(u), cy = l.Y(v), rr = l.R(r);
    for (int i = 0; i < 5; ++i) {
        const double a = turn + i * 2 * Pi / 5;
        l.c.FillEllipse(cx + std::cos(a) * rr * 0.55, cy + std::sin(a) * rr * 0.55, rr * 0.48,
                        rr * 0.48, petal);
    }
    for (int i = 0; i < 5; ++i) {
        const double a = turn + i * 2 * Pi / 5;
        l.c.FillEllipse(cx + std::cos(a) * rr * 0.62, cy + std::sin(a) * rr * 0.62, rr * 0.22,
                        rr * 0.22, Mix(petal, Rgb(255, 255, 255), 0.35));
    }
    l.c.FillCircle(cx, cy, rr * 0.3, Rgb(255, 206, 70));
    l.c.FillCircle(cx - rr * 0.08, cy - rr * 0.08, rr * 0.12, Rgb(255, 236, 150));
}

void Leaf(Layer& l, double u, double v, double len, double angle, Color colour) {
    std::vector<Point> pts;
    const double L = l.R(len);
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        pts.push_back({L * t, L * 0.28 * std::sin(Pi * t)});
    }
    for (int i = 12; i >= 0; --i) {
        const double t = i / 12.0;
        pts.push_back({L * t, -L * 0.28 * std::sin(Pi * t)});
    }
    for (Point& p : pts)
        p = {p.x + l.X(u), p.y + l.Y(v)};
    l.c.FillPolygon(Rotated(pts, l.P(u, v), angle), colour);
}

// --- foregrounds

Canvas FlowerBorder() {
    Layer l(ForegroundWidth, ForegroundHeight);
    const Color petals[] = {Rgb(255, 120, 160), Rgb(255, 190, 70),  Rgb(170, 130, 240),
                            Rgb(255, 255, 255), Rgb(255, 150, 120), Rgb(120, 190, 255)};
    Prng rng(101);
    // Points spaced along the edge of the picture, leaves first, then the blossoms.
    std::vector<std::pair<double, double>> spots;
    for (int i = 0; i < 16; ++i) {
        const double t = (i + 0.5) / 16;
        spots.push_back({t, 0.03});
        spots.push_back({t + 0.03, 0.97});
    }
    for (int i = 0; i < 12; ++i) {
        const double t = (i + 0.5) / 12;
        spots.push_back({0.025, t});
        spots.push_back({0.975, t + 0.04});
    }
    for (auto [u, v] : spots)
        for (int j = 0; j < 2; ++j)
            Leaf(l, u, v, 0.07, rng.Unit() * 2 * Pi, j ? Rgb(90, 180, 90) : Rgb(60, 150, 80));
    int n = 0;
    for (auto [u, v] : spots) {
        const double r = 0.035 + rng.Unit() * 0.025;
        Blossom(l, u + (rng.Unit() - 0.5) * 0.02, v + (rng.Unit() - 0.5) * 0.02, r, petals[n++ % 6],
                rng.Unit() * Pi);
    }
    return l.Done();
}

Canvas Bubbles() {
    Layer l(ForegroundWidth, ForegroundHeight);
    Prng rng(202);
    for (int i = 0; i < 34; ++i) {
        const double u = rng.Unit(), v = rng.Unit(), r = 0.02 + std::pow(rng.Unit(), 2) * 0.09;
        // Keep the middle of the picture mostly clear.
        if (std::fabs(u - 0.5) < 0.25 && std::fabs(v - 0.5) < 0.25 && r > 0.04)
            continue;
        l.Disc(u, v, r, Rgb(230, 245, 255, 40));
        const double cx = l.X(u), cy = l.Y(v), rr = l.R(r);
        // A rim that runs through the rainbow.
        for (int y = static_cast<int>(cy - rr - 3); y <= static_cast<int>(cy + rr + 3); ++y)
            for (int x = static_cast<int>(cx - rr - 3); x <= static_cast<int>(cx + rr + 3); ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
                const double w = std::max(2.0, rr * 0.09);
                if (std::fabs(d - rr + w / 2) < w / 2) {
                    const double a = std::atan2(dy, dx);
                    const Color tint = Mix(Rgb(255, 170, 220), Rgb(150, 220, 255),
                                           0.5 + 0.5 * std::sin(a * 2 + i));
                    l.c.Blend(x, y, Rgb(tint.r, tint.g, tint.b, 170));
                }
            }
        l.Oval(u - r * 0.38, v - r * 0.42, r * 0.22, r * 0.13, Rgb(255, 255, 255, 230));
        l.Disc(u + r * 0.42, v + r * 0.4, r * 0.07, Rgb(255, 255, 255, 180));
    }
    return l.Done();
}

Canvas Confetti() {
    Layer l(ForegroundWidth, ForegroundHeight);
    const Color colours[] = {Rgb(255, 90, 120), Rgb(255, 200, 60),  Rgb(80, 200, 150),
                             Rgb(80, 160, 250), Rgb(170, 110, 240), Rgb(255, 150, 60)};
    Prng rng(303);
    // Streamers curling down from the top corners.
    for (int s = 0; s < 4; ++s) {
        const bool left = s < 2;
        std::vector<Point> line;
        for (int i = 0; i <= 60; ++i) {
            const double t = i / 60.0;
            const double u =
                (left ? 0.02 + 0.18 * t : 0.98 - 0.18 * t) + 0.03 * std::sin(t * 14 + s);
            line.push_back(l.P(u + (s % 2) * (left ? 0.06 : -0.06), t * (0.45 + 0.1 * s)));
        }
        for (std::size_t i = 1; i < line.size(); ++i)
            l.c.DrawLine(line[i - 1].x, line[i - 1].y, line[i].x, line[i].y, l.R(0.012),
                         colours[(s * 2 + 1) % 6]);
    }
    for (int i = 0; i < 260; ++i) {
        const double u = rng.Unit(), v = std::pow(rng.Unit(), 1.4);
        // Fewer pieces over the middle, where faces usually are.
        if (std::hypot(u - 0.5, (v - 0.55) * 1.2) < 0.28 && rng.Unit() < 0.85)
            continue;
        const Color col = colours[rng.Next() % 6];
        const double angle = rng.Unit() * Pi, w = l.R(0.012 + rng.Unit() * 0.01),
                     h = w * (0.4 + rng.Unit() * 0.5);
        const Point c = l.P(u, v);
        if (rng.Unit() < 0.3) {
            l.c.FillCircle(c.x, c.y, w * 0.6, col);
        } else {
            l.c.FillPolygon(Rotated({{c.x - w, c.y - h},
                                     {c.x + w, c.y - h},
                                     {c.x + w, c.y + h},
                                     {c.x - w, c.y + h}},
                                    c, angle),
                            col);
        }
    }
    return l.Done();
}

Canvas Window() {
    Layer l(ForegroundWidth, ForegroundHeight);
    const Color paint = Rgb(255, 250, 240), shade = Rgb(226, 214, 200);
    // Frame and cross bars.
    l.Each([&](double u, double v) -> Color {
        const double fw = 0.06, fh = 0.07, sill = 0.88;
        if (v > sill)
            return v < sill + 0.015 ? shade : paint;
        const bool frame = u < fw || u > 1 - fw || v < fh;
        const bool bars = std::fabs(u - 0.5) < 0.015 || std::fabs(v - 0.47) < 0.018;
        if (frame || bars) {
            const bool inner = (u > fw - 0.01 && u < fw) || (u > 1 - fw && u < 1 - fw + 0.01) ||
                               (v > fh - 0.013 && v < fh);
            return inner ? shade : paint;
        }
        return Color{0, 0, 0, 0};
    });
    // Curtains gathered at both sides, light and a little see-through.
    l.Each([&](double u, double v) -> Color {
        const double e = 0.16 - 0.09 * std::exp(-std::pow((v - 0.62) / 0.16, 2));
        const double d = std::min(u, 1 - u);
        if (d > e || v > 0.88)
            return Color{0, 0, 0, 0};
        const double fold = 0.5 + 0.5 * std::cos(d / e * Pi * 5);
        const Color cloth = Mix(Rgb(255, 200, 214), Rgb(255, 236, 240), fold);
        return Rgb(cloth.r, cloth.g, cloth.b, 236);
    });
    for (double u : {0.075, 0.925}) {
        l.Oval(u, 0.62, 0.045, 0.016, Rgb(240, 120, 150));
        l.Disc(u, 0.62, 0.016, Rgb(255, 200, 90));
    }
    // Pots of flowers on the sill.
    for (auto [u, col] : {std::pair{0.3, Rgb(255, 110, 150)}, {0.7, Rgb(255, 190, 70)}}) {
        for (int i = 0; i < 3; ++i) {
            const double du = (i - 1) * 0.035;
            l.c.DrawLine(l.X(u + du * 0.3), l.Y(0.88), l.X(u + du), l.Y(0.79), l.R(0.008),
                         Rgb(80, 160, 80));
            Blossom(l, u + du, 0.78, 0.03, col, i);
        }
        l.c.FillPolygon(
            {l.P(u - 0.06, 0.87), l.P(u + 0.06, 0.87), l.P(u + 0.045, 0.97), l.P(u - 0.045, 0.97)},
            Rgb(236, 120, 80));
        l.c.FillRect(static_cast<int>(l.X(u - 0.065)), static_cast<int>(l.Y(0.86)),
                     static_cast<int>(l.X(0.13)), static_cast<int>(l.Y(0.025)), Rgb(246, 140, 96));
    }
    return l.Done();
}

Canvas Snow() {
    Layer l(ForegroundWidth, ForegroundHeight);
    // Frost creeping in from the corners.
    l.Each([](double u, double v) -> Color {
        const double d = std::min({std::hypot(u, v), std::hypot(1 - u, v), std::hypot(u, 1 - v),
                                   std::hypot(1 - u, 1 - v)});
        // Short, so the thumbnail shows no more frost than the picture does.
        const double a = std::clamp(1 - d / 0.2, 0.0, 1.0);
        return Rgb(240, 248, 255, static_cast<int>(210 * a * a));
    });
    Prng rng(404);
    for (int i = 0; i < 220; ++i) {
        const double u = rng.Unit(), v = rng.Unit(), r = 0.003 + std::pow(rng.Unit(), 3) * 0.012;
        l.Disc(u, v, r * 1.6, Rgb(255, 255, 255, 70));
        l.Disc(u, v, r, Rgb(255, 255, 255, 235));
    }
    // A few bigger six-armed flakes.
    for (int i = 0; i < 12; ++i) {
        const double u = rng.Unit(), v = rng.Unit() * 0.8, r = l.R(0.025 + rng.Unit() * 0.02);
        const Point c = l.P(u, v);
        for (int k = 0; k < 6; ++k) {
            const double a = k * Pi / 3 + i;
            const Point tip{c.x + std::cos(a) * r, c.y + std::sin(a) * r};
            l.c.DrawLine(c.x, c.y, tip.x, tip.y, r * 0.12, Rgb(255, 255, 255, 240));
            for (double s : {-1.0, 1.0}) {
                const Point mid{c.x + std::cos(a) * r * 0.6, c.y + std::sin(a) * r * 0.6};
                l.c.DrawLine(mid.x, mid.y, mid.x + std::cos(a + s * 0.8) * r * 0.3,
                             mid.y + std::sin(a + s * 0.8) * r * 0.3, r * 0.09,
                             Rgb(255, 255, 255, 240));
            }
        }
    }
    // A drift along the bottom.
    std::vector<Point> drift;
    for (int i = 0; i <= 64; ++i) {
        const double u = i / 64.0;
        drift.push_back(l.P(u, 0.93 - 0.03 * std::sin(u * 7 + 1) - 0.02 * std::sin(u * 17)));
    }
    drift.push_back(l.P(1, 1.01));
    drift.push_back(l.P(0, 1.01));
    l.c.FillPolygon(drift, Rgb(246, 250, 255));
    return l.Done();
}

Canvas LightLeak() {
    Layer l(ForegroundWidth, ForegroundHeight);
    l.Each([](double u, double v) -> Color {
        const double a = std::clamp(1 - std::hypot(u * 0.8, v) / 0.85, 0.0, 1.0);
        const double b = std::clamp(1 - std::hypot((1 - u) * 1.1, (1 - v) * 0.8) / 0.55, 0.0, 1.0);
        const Color warm = Mix(Rgb(255, 110, 60), Rgb(255, 226, 150), a);
        const Color col = b > a ? Rgb(255, 110, 180) : warm;
        const double alpha = std::max(std::pow(a, 1.4) * 235, std::pow(b, 1.4) * 200);
        return Rgb(col.r, col.g, col.b, static_cast<int>(alpha));
    });
    // A soft diagonal streak of light.
    l.Each([](double u, double v) -> Color {
        const double d = std::fabs((u - 0.2) * 0.8 + (v - 0.1) * 0.6 - 0.22);
        const double a =
            std::clamp(1 - d / 0.08, 0.0, 1.0) * std::clamp(1.2 - u - v * 0.6, 0.0, 1.0);
        return Rgb(255, 236, 200, static_cast<int>(120 * a * a));
    });
    Prng rng(505);
    for (int i = 0; i < 10; ++i) {
        const double u = rng.Unit() * 0.4, v = rng.Unit() * 0.4, r = 0.006 + rng.Unit() * 0.01;
        const Point c = l.P(u, v);
        l.c.FillPolygon({{c.x, c.y - l.R(r * 3)},
                         {c.x + l.R(r * 0.6), c.y},
                         {c.x, c.y + l.R(r * 3)},
                         {c.x - l.R(r * 0.6), c.y}},
                        Rgb(255, 255, 240, 220));
        l.c.FillPolygon({{c.x - l.R(r * 3), c.y},
                         {c.x, c.y + l.R(r * 0.6)},
                         {c.x + l.R(r * 3), c.y},
                         {c.x, c.y - l.R(r * 0.6)}},
                        Rgb(255, 255, 240, 220));
    }
    return l.Done();
}

// --- covers: light colours are solid, black is the photo

constexpr Color CoverWhite = Rgb(255, 253, 248);

Canvas Polaroid() {
    Layer l(CoverWidth, CoverHeight);
    l.Each([](double u, double v) -> Color {
        const bool window = u > 0.06 && u < 0.94 && v > 0.07 && v < 0.8;
        return window ? Color{0, 0, 0, 0} : CoverWhite;
    });
    // A faint inner shadow line and a strip of tape.
    l.Each([](double u, double v) -> Color {
        const bool line = (u > 0.058 && u < 0.062 && v > 0.07 && v < 0.8) ||
                          (u > 0.938 && u < 0.942 && v > 0.07 && v < 0.8) ||
                          (v > 0.066 && v < 0.07 && u > 0.06 && u < 0.94) ||
                          (v > 0.8 && v < 0.804 && u > 0.06 && u < 0.94);
        return line ? Rgb(226, 222, 214) : Color{0, 0, 0, 0};
    });
    l.c.FillPolygon(Rotated({l.P(0.42, -0.02), l.P(0.58, -0.02), l.P(0.58, 0.08), l.P(0.42, 0.08)},
                            l.P(0.5, 0.03), -0.06),
                    Rgb(255, 246, 200, 210));
    // Little hearts doodled in the wide bottom margin.
    for (int i = 0; i < 3; ++i) {
        const Point c = l.P(0.8 + i * 0.045, 0.9);
        std::vector<Point> pts;
        for (int k = 0; k < 36; ++k) {
            const double t = 2 * Pi * k / 36;
            const double x = 16 * std::pow(std::sin(t), 3);
            const double y =
                -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
            pts.push_back({c.x + l.R(0.018) * x / 16, c.y + l.R(0.018) * y / 16});
        }
        l.c.FillPolygon(pts, Rgb(255, 190, 206));
    }
    return l.Done();
}

Canvas PhotoCorners() {
    Layer l(CoverWidth, CoverHeight);
    const double mx = 0.045, my = 0.056, radius = 0.06;
    l.Each([&](double u, double v) -> Color {
        const double x = (u - 0.5) * CoverWidth, y = (v - 0.5) * CoverHeight;
        const double hx = (0.5 - mx) * CoverWidth - radius * CoverHeight,
                     hy = (0.5 - my) * CoverHeight - radius * CoverHeight;
        const double qx = std::fabs(x) - hx, qy = std::fabs(y) - hy;
        const double d = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) +
                         std::min(std::max(qx, qy), 0.0) - radius * CoverHeight;
        return d > 0 ? Rgb(250, 246, 240) : Color{0, 0, 0, 0};
    });
    // Paper mounts over each corner.
    for (int i = 0; i < 4; ++i) {
        const bool right = i % 2 == 1, bottom = i / 2 == 1;
        const double cu = right ? 1 - mx : mx, cv = bottom ? 1 - my : my, s = 0.16;
        const double du = right ? -s : s, dv = (bottom ? -s : s) * CoverWidth / CoverHeight;
        l.c.FillPolygon({l.P(cu - du * 0.12, cv - dv * 0.12), l.P(cu + du, cv - dv * 0.12),
                         l.P(cu - du * 0.12, cv + dv)},
                        Rgb(255, 226, 170));
        l.c.FillPolygon({l.P(cu + du * 0.18, cv + dv * 0.02), l.P(cu + du * 0.78, cv + dv * 0.02),
                         l.P(cu + du * 0.18, cv + dv * 0.62)},
                        Rgb(255, 236, 196));
    }
    return l.Done();
}

// A picture-sized heart outline (points in pixels of the doubled layer).
std::vector<Point> HeartOutline(const Layer& l, double u, double v, double r) {
    std::vector<Point> pts;
    for (int i = 0; i < 120; ++i) {
        const double t = 2 * Pi * i / 120;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
        pts.push_back({l.X(u) + l.R(r) * x / 16, l.Y(v) + l.R(r) * (y - 1.5) / 16});
    }
    return pts;
}

// The weighted blend darkens a soft fade towards black, so every edge here is crisp.
Canvas HeartWindow() {
    Layer l(CoverWidth, CoverHeight);
    l.Each([](double u, double v) -> Color {
        // Pale pink with a soft diagonal check of little hearts' worth of tone.
        const bool dot = std::fmod(std::floor(u * 32) + std::floor(v * 26), 2.0) == 0;
        return dot ? Rgb(255, 222, 232) : Rgb(255, 232, 240);
    });
    Layer hole(CoverWidth, CoverHeight);
    hole.c.FillPolygon(HeartOutline(hole, 0.5, 0.52, 0.47), Rgb(255, 255, 255));
    Layer ring(CoverWidth, CoverHeight);
    ring.c.FillPolygon(HeartOutline(ring, 0.5, 0.52, 0.5), Rgb(255, 255, 255));
    for (int y = 0; y < l.c.Height(); ++y)
        for (int x = 0; x < l.c.Width(); ++x) {
            if (hole.c.At(x, y).a > 0)
                l.c.Set(x, y, Color{0, 0, 0, 0});
            else if (ring.c.At(x, y).a > 0)
                l.c.Set(x, y, Rgb(255, 255, 255));
        }
    Prng rng(606);
    for (int i = 0; i < 16; ++i) {
        const double u = rng.Unit(), v = rng.Unit();
        if (std::hypot((u - 0.5) * 1.25, v - 0.5) < 0.5)
            continue;
        l.c.FillPolygon(HeartOutline(l, u, v, 0.025 + rng.Unit() * 0.02), Rgb(255, 160, 190));
    }
    return l.Done();
}

Canvas OvalWindow() {
    Layer l(CoverWidth, CoverHeight);
    l.Each([](double u, double v) -> Color {
        const double d = std::hypot((u - 0.5) / 0.43, (v - 0.5) / 0.41);
        if (d < 1)
            return Color{0, 0, 0, 0};
        if (d < 1.035)
            return Rgb(255, 255, 255);
        if (d < 1.05)
            return Rgb(250, 214, 150);
        // Cream paper with tiny gold dots.
        const double gu = std::fmod(u * 40, 1.0) - 0.5, gv = std::fmod(v * 32, 1.0) - 0.5;
        return std::hypot(gu, gv) < 0.16 ? Rgb(250, 222, 170) : Rgb(255, 248, 232);
    });
    return l.Done();
}

Canvas CloudFrame() {
    Layer l(CoverWidth, CoverHeight);
    Prng rng(808);
    const auto puff = [&](double u, double v, double r) {
        l.Disc(u, v, r, Rgb(238, 244, 255));
        l.Disc(u - r * 0.1, v - r * 0.12, r * 0.85, Rgb(255, 255, 255));
    };
    for (int i = 0; i <= 14; ++i) {
        const double t = i / 14.0;
        puff(t, 0.02 + rng.Unit() * 0.03, 0.06 + rng.Unit() * 0.04);
        puff(t, 0.98 - rng.Unit() * 0.03, 0.07 + rng.Unit() * 0.04);
    }
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        puff(0.01 + rng.Unit() * 0.02, t, 0.06 + rng.Unit() * 0.04);
        puff(0.99 - rng.Unit() * 0.02, t, 0.06 + rng.Unit() * 0.04);
    }
    return l.Done();
}

Canvas Scallops() {
    Layer l(CoverWidth, CoverHeight);
    const double band = 0.075, bump = 0.03;
    l.Each([&](double u, double v) -> Color {
        const double x = u * CoverWidth / CoverHeight, w = CoverWidth / double(CoverHeight);
        const double d = std::min({x, w - x, v, 1 - v});
        // Along the inner edge, a row of half circles.
        const double along = (d == x || d == w - x) ? v : x;
        const double phase = std::fmod(along / (bump * 2), 1.0) - 0.5;
        const double edge = band + bump * std::sqrt(std::max(0.0, 1 - phase * phase * 4));
        if (d > edge)
            return Color{0, 0, 0, 0};
        const bool hole = std::fabs(d - band * 0.55) < 0.008 &&
                          std::fabs(std::fmod(along / 0.025, 1.0) - 0.5) < 0.25;
        return hole ? Rgb(255, 214, 224) : Rgb(255, 248, 236);
    });
    return l.Done();
}

} // namespace

Canvas OverlayWeights(const Canvas& art) {
    Canvas w(art.Width(), art.Height());
    for (int y = 0; y < art.Height(); ++y)
        for (int x = 0; x < art.Width(); ++x) {
            const int a = art.At(x, y).a;
            w.Set(x, y, Rgb(a, a, a));
        }
    return w;
}

Canvas OverlayPicture(const Canvas& art) {
    const int W = art.Width(), H = art.Height();
    Canvas pic(W, H);
    std::vector<bool> known(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Color p = art.At(x, y);
            pic.Set(x, y, Rgb(p.r, p.g, p.b));
            known[static_cast<std::size_t>(y * W + x)] = p.a > 0;
        }
    // Grow the colours outwards a pixel at a time; what stays unknown gets the stage
    // colour, so a thumbnail reads as decorations around an empty picture.
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<bool> next = known;
        Canvas grown = pic;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                if (known[static_cast<std::size_t>(y * W + x)])
                    continue;
                int r = 0, g = 0, b = 0, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= W || ny >= H ||
                            !known[static_cast<std::size_t>(ny * W + nx)])
                            continue;
                        const Color q = pic.At(nx, ny);
                        r += q.r;
                        g += q.g;
                        b += q.b;
                        ++n;
                    }
                if (n > 0) {
                    grown.Set(x, y, Rgb(r / n, g / n, b / n));
                    next[static_cast<std::size_t>(y * W + x)] = true;
                }
            }
        pic = grown;
        known = next;
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (!known[static_cast<std::size_t>(y * W + x)])
                pic.Set(x, y, look::Stage);
    return pic;
}

std::vector<DecorationArt> ForegroundArt() {
    return {
        {"Foreground/01_Flowers.png", FlowerBorder},
        {"Foreground/02_Bubbles.png", Bubbles},
        {"Foreground/03_Confetti.png", Confetti},
        {"Foreground/04_Window.png", Window},
        {"Foreground/05_Snow.png", Snow},
        {"Foreground/06_Warm_light.png", LightLeak},
    };
}

std::vector<DecorationArt> CoverArt() {
    return {
        {"Cover/01_Instant_photo.png", Polaroid}, {"Cover/02_Photo_corners.png", PhotoCorners},
        {"Cover/03_Heart.png", HeartWindow},      {"Cover/04_Oval.png", OvalWindow},
        {"Cover/05_Clouds.png", CloudFrame},      {"Cover/06_Lace.png", Scallops},
    };
}

} // namespace skingen
