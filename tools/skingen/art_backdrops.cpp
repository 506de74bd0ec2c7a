// Backgrounds for the Background screen: scenes, patterns and soft gradients at the
// picture area's size. Scenes are drawn at twice the size and averaged down.
#include "decorations.h"

#include "art.h"
#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skingen {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int K = 2; // supersampling of the scenes

// A scene in coordinates of the unit square (u across, v down) at twice the size.
class Scene {
  public:
    Scene() : c(BackgroundWidth * K, BackgroundHeight * K) {}
    double X(double u) const { return u * c.Width(); }
    double Y(double v) const { return v * c.Height(); }
    Point P(double u, double v) const { return {X(u), Y(v)}; }
    // Radii in units of the height, so circles stay round.
    double R(double r) const { return r * c.Height(); }

    // Every pixel from a function of (u, v).
    template <typename F> void Paint(F colourAt) {
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x)
                c.Set(x, y, colourAt((x + 0.5) / c.Width(), (y + 0.5) / c.Height()));
    }
    void Sky(double v0, double v1, Color top, Color bottom) {
        c.VerticalGradient(0, static_cast<int>(Y(v0)), c.Width(), static_cast<int>(Y(v1) - Y(v0)),
                           top, bottom);
    }
    // A soft round light: full colour in the middle, fading to nothing at r.
    void Glow(double u, double v, double r, Color colour, double power = 2) {
        const double cx = X(u), cy = Y(v), rr = R(r);
        const int x0 = std::max(0, static_cast<int>(cx - rr)),
                  x1 = std::min(c.Width() - 1, static_cast<int>(cx + rr));
        const int y0 = std::max(0, static_cast<int>(cy - rr)),
                  y1 = std::min(c.Height() - 1, static_cast<int>(cy + rr));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / rr;
                if (d < 1)
                    c.Blend(x, y, colour, std::pow(1 - d, power));
            }
    }
    void Disc(double u, double v, double r, Color colour) {
        c.FillCircle(X(u), Y(v), R(r), colour);
    }
    void Oval(double u, double v, double ru, double rv, Color colour) {
        c.FillEllipse(X(u), Y(v), R(ru), R(rv), colour);
    }
    void Poly(std::initializer_list<std::pair<double, double>> uv, Color colour) {
        std::vector<Point> pts;
        for (auto [u, v] : uv)
            pts.push_back(P(u, v));
        c.FillPolygon(pts, colour);
    }
    // A band of ground whose top edge is a sum of waves, filled down to the bottom.
    void Ground(double base, double amplitude, double waves, double phase, Color colour) {
        std::vector<Point> pts;
        for (int i = 0; i <= 96; ++i) {
            const double u = i / 96.0;
            pts.push_back(P(u, base - amplitude * std::sin(phase + waves * 2 * Pi * u) -
                                   amplitude * 0.3 * std::sin(phase * 1.7 + waves * 5.1 * Pi * u)));
        }
        pts.push_back(P(1, 1.01));
        pts.push_back(P(0, 1.01));
        c.FillPolygon(pts, colour);
    }
    void Cloud(double u, double v, double s, Color colour = Rgb(255, 255, 255, 240)) {
        Oval(u, v, 0.11 * s, 0.05 * s, colour);
        Disc(u - 0.05 * s, v - 0.005 * s, 0.045 * s, colour);
        Disc(u + 0.005 * s, v - 0.035 * s, 0.06 * s, colour);
        Disc(u + 0.06 * s, v - 0.01 * s, 0.042 * s, colour);
    }
    // A line through the points with round joints.
    void Polyline(const std::vector<Point>& pts, double width, Color colour) {
        for (std::size_t i = 1; i < pts.size(); ++i)
            c.DrawLine(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, width, colour);
        for (std::size_t i = 1; i + 1 < pts.size(); ++i)
            c.FillCircle(pts[i].x, pts[i].y, width / 2, colour);
    }
    // A soft oval of light, squashed vertically by `squash`.
    void Pool(double u, double v, double r, double squash, Color colour) {
        const double cx = X(u), cy = Y(v), rr = R(r);
        for (int y = static_cast<int>(cy - rr * squash); y <= static_cast<int>(cy + rr * squash);
             ++y)
            for (int x = static_cast<int>(cx - rr); x <= static_cast<int>(cx + rr); ++x) {
                const double d = std::hypot((x + 0.5 - cx) / rr, (y + 0.5 - cy) / (rr * squash));
                if (d < 1)
                    c.Blend(x, y, colour, 1 - d * d);
            }
    }
    Canvas Done() const { return c.Downsample(K); }

    Canvas c;
};

std::vector<Point> StarAt(double cx, double cy, double r, double turn) {
    std::vector<Point> pts;
    for (int i = 0; i < 10; ++i) {
        const double a = -Pi / 2 + turn + i * Pi / 5, rr = i % 2 == 0 ? r : r * 0.45;
        pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    return pts;
}

std::vector<Point> HeartAt(double cx, double cy, double r) {
    std::vector<Point> pts;
    for (int i = 0; i < 48; ++i) {
        const double t = 2 * Pi * i / 48;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
        pts.push_back({cx + r * x / 16, cy + r * (y - 1.5) / 16});
    }
    return pts;
}

// --- scenes

Canvas Beach() {
    Scene s;
    s.Sky(0, 0.56, Rgb(70, 168, 240), Rgb(190, 230, 252));
    s.Glow(0.78, 0.2, 0.3, Rgb(255, 246, 200), 1.6);
    s.Disc(0.78, 0.2, 0.075, Rgb(255, 226, 110));
    s.Cloud(0.2, 0.16, 1.2);
    s.Cloud(0.52, 0.26, 0.8);
    // The sea with light on it, the foam, then the sand.
    s.c.VerticalGradient(0, static_cast<int>(s.Y(0.52)), s.c.Width(), static_cast<int>(s.Y(0.3)),
                         Rgb(40, 170, 200), Rgb(70, 214, 210));
    Prng rng(7);
    for (int i = 0; i < 60; ++i) {
        const double u = rng.Unit(), v = 0.54 + rng.Unit() * 0.14, w = 0.02 + rng.Unit() * 0.05;
        s.Oval(u, v, w, 0.003, Rgb(255, 255, 255, 120));
    }
    s.Ground(0.72, 0.012, 2.5, 0.5, Rgb(255, 255, 255, 220));
    s.Ground(0.735, 0.012, 2.5, 0.5, Rgb(250, 226, 176));
    s.c.VerticalGradient(0, static_cast<int>(s.Y(0.76)), s.c.Width(), static_cast<int>(s.Y(0.25)),
                         Rgb(250, 226, 176), Rgb(238, 200, 140));
    // A palm leaning in from the left.
    std::vector<Point> trunk;
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        trunk.push_back(s.P(0.1 + 0.1 * t + 0.04 * t * t, 0.9 - 0.62 * t));
    }
    for (std::size_t i = 1; i < trunk.size(); ++i)
        s.c.DrawLine(trunk[i - 1].x, trunk[i - 1].y, trunk[i].x, trunk[i].y,
                     s.R(0.035 - 0.012 * i / 12.0), i % 2 ? Rgb(170, 110, 64) : Rgb(150, 94, 52));
    const Point top = trunk.back();
    for (int i = 0; i < 7; ++i) {
        const double a = -Pi * 0.95 + i * Pi * 0.32, len = s.R(0.2);
        std::vector<Point> leaf;
        for (int j = 0; j <= 10; ++j) {
            const double t = j / 10.0, droop = t * t * s.R(0.07);
            leaf.push_back({top.x + std::cos(a) * len * t,
                            top.y + std::sin(a) * len * t + droop - s.R(0.03) * std::sin(Pi * t)});
        }
        std::vector<Point> back;
        for (int j = 10; j >= 0; --j) {
            const double t = j / 10.0, droop = t * t * s.R(0.07);
            back.push_back({top.x + std::cos(a) * len * t,
                            top.y + std::sin(a) * len * t + droop + s.R(0.02) * std::sin(Pi * t)});
        }
        leaf.insert(leaf.end(), back.begin(), back.end());
        s.c.FillPolygon(leaf, i % 2 ? Rgb(60, 170, 80) : Rgb(40, 146, 70));
    }
    s.Disc(top.x / s.c.Width() * 1.0 + 0.0, top.y / s.c.Height() + 0.02, 0.018, Rgb(130, 84, 40));
    // A striped umbrella and a starfish on the sand.
    const double ux = 0.78, uy = 0.7;
    s.c.DrawLine(s.X(ux), s.Y(uy), s.X(ux + 0.02), s.Y(0.92), s.R(0.01), Rgb(150, 100, 70));
    for (int i = 0; i < 6; ++i) {
        const double a0 = Pi + i * Pi / 6, a1 = a0 + Pi / 6;
        std::vector<Point> wedge = {s.P(ux, uy - 0.005)};
        for (int j = 0; j <= 6; ++j) {
            const double a = a0 + (a1 - a0) * j / 6;
            wedge.push_back({s.X(ux) + s.R(0.16) * std::cos(a), s.Y(uy) + s.R(0.1) * std::sin(a)});
        }
        s.c.FillPolygon(wedge, i % 2 ? Rgb(255, 255, 255) : Rgb(240, 86, 96));
    }
    s.c.FillPolygon(StarAt(s.X(0.4), s.Y(0.88), s.R(0.035), 0.3), Rgb(255, 130, 90));
    s.Disc(0.6, 0.93, 0.012, Rgb(255, 236, 220));
    return s.Done();
}

Canvas Underwater() {
    Scene s;
    s.Sky(0, 1, Rgb(60, 200, 220), Rgb(20, 80, 160));
    for (int i = 0; i < 6; ++i) {
        const double u = 0.1 + i * 0.17;
        s.Poly({{u - 0.03, 0}, {u + 0.03, 0}, {u + 0.12, 1}, {u - 0.02, 1}},
               Rgb(255, 255, 255, 22));
    }
    s.Ground(0.86, 0.03, 1.2, 1.0, Rgb(236, 206, 150));
    // Seaweed swaying up from the floor.
    Prng rng(11);
    for (int i = 0; i < 9; ++i) {
        const double u = 0.04 + i * 0.115 + rng.Unit() * 0.03, h = 0.25 + rng.Unit() * 0.25;
        std::vector<Point> stem;
        for (int j = 0; j <= 16; ++j) {
            const double t = j / 16.0;
            stem.push_back(s.P(u + 0.02 * std::sin(t * 9 + i), 0.92 - h * t));
        }
        s.Polyline(stem, s.R(0.016), i % 3 == 0 ? Rgb(70, 180, 90) : Rgb(40, 150, 110));
    }
    // Coral.
    for (auto [u, col] : {std::pair{0.22, Rgb(255, 110, 140)}, {0.7, Rgb(255, 150, 90)}}) {
        for (int j = 0; j < 5; ++j) {
            const double a = -Pi / 2 + (j - 2) * 0.35;
            s.c.DrawLine(s.X(u), s.Y(0.9), s.X(u) + s.R(0.12) * std::cos(a),
                         s.Y(0.9) + s.R(0.12) * std::sin(a), s.R(0.022), col);
            s.Disc((s.X(u) + s.R(0.12) * std::cos(a)) / s.c.Width(),
                   (s.Y(0.9) + s.R(0.12) * std::sin(a)) / s.c.Height(), 0.013, col);
        }
    }
    // Fish.
    const Color fishes[] = {Rgb(255, 150, 40), Rgb(255, 220, 70), Rgb(255, 110, 150)};
    const double fu[] = {0.3, 0.62, 0.82}, fv[] = {0.36, 0.22, 0.56}, fs[] = {1.0, 0.7, 0.85};
    for (int i = 0; i < 3; ++i) {
        const double u = fu[i], v = fv[i], k = fs[i];
        const double bx = s.X(u), by = s.Y(v), r = s.R(0.06 * k);
        s.c.FillPolygon(
            {{bx + r * 0.7, by}, {bx + r * 1.5, by - r * 0.6}, {bx + r * 1.5, by + r * 0.6}},
            Shade(fishes[i], -0.1));
        s.c.FillEllipse(bx, by, r, r * 0.62, fishes[i]);
        s.c.FillEllipse(bx + r * 0.1, by, r * 0.12, r * 0.5, Rgb(255, 255, 255, 160));
        s.c.FillCircle(bx - r * 0.5, by - r * 0.12, r * 0.15, Rgb(255, 255, 255));
        s.c.FillCircle(bx - r * 0.53, by - r * 0.12, r * 0.08, Rgb(40, 40, 70));
    }
    // Bubbles rising.
    for (int i = 0; i < 26; ++i) {
        const double u = 0.05 + rng.Unit() * 0.9, v = 0.05 + rng.Unit() * 0.75,
                     r = 0.006 + rng.Unit() * 0.016;
        s.c.FillCircle(s.X(u), s.Y(v), s.R(r), Rgb(255, 255, 255, 60));
        s.c.FillCircle(s.X(u) - s.R(r) * 0.35, s.Y(v) - s.R(r) * 0.35, s.R(r) * 0.3,
                       Rgb(255, 255, 255, 200));
    }
    return s.Done();
}

void Pine(Scene& s, double u, double base, double h, Color colour) {
    const double w = h * 0.42 * s.c.Height() / s.c.Width();
    s.c.FillRect(static_cast<int>(s.X(u) - s.R(h * 0.03)), static_cast<int>(s.Y(base - h * 0.14)),
                 static_cast<int>(s.R(h * 0.06)), static_cast<int>(s.R(h * 0.14)),
                 Shade(colour, -0.35));
    // Three tiers, each lit on its left half.
    const Color lit = Mix(colour, Rgb(255, 255, 230), 0.14), dark = Shade(colour, -0.08);
    for (int i = 0; i < 3; ++i) {
        const double top = base - h * (0.45 + 0.27 * i), bottom = base - h * 0.12 - h * 0.22 * i;
        const double half = w * (1 - i * 0.24), dip = h * 0.03;
        s.Poly({{u, top}, {u, bottom + dip}, {u - half, bottom}}, lit);
        s.Poly({{u, top}, {u + half, bottom}, {u, bottom + dip}}, dark);
    }
}

Canvas Forest() {
    Scene s;
    s.Sky(0, 0.7, Rgb(150, 210, 240), Rgb(236, 244, 210));
    s.Glow(0.3, 0.3, 0.4, Rgb(255, 250, 210), 1.5);
    Prng rng(23);
    const Color layers[] = {Rgb(150, 200, 170), Rgb(90, 168, 120), Rgb(50, 130, 80)};
    for (int l = 0; l < 3; ++l) {
        s.Ground(0.66 + l * 0.07, 0.015, 1 + l, l * 1.3, Mix(layers[l], Rgb(120, 200, 110), 0.3));
        const int n = 14 - l * 3;
        for (int i = 0; i < n; ++i) {
            const double u = (i + rng.Unit() * 0.8) / n, h = 0.22 + l * 0.1 + rng.Unit() * 0.08;
            Pine(s, u, 0.7 + l * 0.08, h, Shade(layers[l], (rng.Unit() - 0.5) * 0.16));
        }
    }
    s.Ground(0.9, 0.01, 1.5, 0.2, Rgb(110, 186, 80));
    for (auto [u, r] : {std::pair{0.2, 1.0}, {0.27, 0.7}, {0.74, 0.85}}) {
        s.c.FillRect(static_cast<int>(s.X(u) - s.R(0.012 * r)),
                     static_cast<int>(s.Y(0.95) - s.R(0.05 * r)), static_cast<int>(s.R(0.024 * r)),
                     static_cast<int>(s.R(0.05 * r)), Rgb(250, 240, 220));
        s.c.FillEllipse(s.X(u), s.Y(0.95) - s.R(0.05 * r), s.R(0.04 * r), s.R(0.028 * r),
                        Rgb(230, 60, 60));
        s.c.FillCircle(s.X(u) - s.R(0.015 * r), s.Y(0.95) - s.R(0.058 * r), s.R(0.007 * r),
                       Rgb(255, 255, 255));
        s.c.FillCircle(s.X(u) + s.R(0.016 * r), s.Y(0.95) - s.R(0.055 * r), s.R(0.006 * r),
                       Rgb(255, 255, 255));
    }
    for (int i = 0; i < 40; ++i)
        s.Disc(rng.Unit(), 0.9 + rng.Unit() * 0.1, 0.004,
               i % 2 ? Rgb(255, 255, 255) : Rgb(255, 220, 80));
    return s.Done();
}

Canvas Mountains() {
    Scene s;
    s.Sky(0, 0.7, Rgb(90, 160, 236), Rgb(210, 232, 250));
    s.Cloud(0.72, 0.14, 1.0);
    const auto peak = [&](double u, double v, double w, Color rock) {
        s.Poly({{u, v}, {u + w, 0.72}, {u - w, 0.72}}, rock);
        s.Poly({{u, v},
                {u + w * 0.3, v + (0.72 - v) * 0.3},
                {u + w * 0.12, v + (0.72 - v) * 0.25},
                {u, v + (0.72 - v) * 0.33},
                {u - w * 0.14, v + (0.72 - v) * 0.26},
                {u - w * 0.3, v + (0.72 - v) * 0.3}},
               Rgb(250, 252, 255));
        s.Poly({{u, v}, {u + w, 0.72}, {u + w * 0.2, 0.72}}, Rgb(0, 0, 40, 30));
    };
    peak(0.25, 0.3, 0.3, Rgb(130, 150, 190));
    peak(0.7, 0.2, 0.36, Rgb(110, 128, 176));
    peak(0.48, 0.4, 0.22, Rgb(150, 166, 200));
    s.Ground(0.7, 0.01, 1, 0, Rgb(120, 190, 110));
    // A still lake reflecting the sky.
    s.Oval(0.5, 0.82, 0.4, 0.06, Rgb(140, 200, 240));
    s.Oval(0.45, 0.81, 0.2, 0.006, Rgb(255, 255, 255, 140));
    Prng rng(5);
    for (int i = 0; i < 12; ++i) {
        const double u = i < 6 ? 0.02 + i * 0.035 : 0.78 + (i - 6) * 0.04;
        Pine(s, u + rng.Unit() * 0.02, 0.98, 0.22 + rng.Unit() * 0.08, Rgb(40, 120, 80));
    }
    return s.Done();
}

Canvas Balloons() {
    Scene s;
    s.Sky(0, 1, Rgb(120, 190, 246), Rgb(255, 214, 190));
    s.Cloud(0.16, 0.3, 1.1);
    s.Cloud(0.82, 0.46, 0.9);
    s.Ground(0.86, 0.02, 1.1, 0.4, Rgb(130, 200, 120));
    s.Ground(0.92, 0.015, 1.6, 2.0, Rgb(100, 180, 96));
    const Color stripes[][2] = {{Rgb(240, 80, 90), Rgb(255, 220, 90)},
                                {Rgb(70, 150, 240), Rgb(255, 255, 255)},
                                {Rgb(150, 100, 230), Rgb(120, 220, 180)},
                                {Rgb(255, 150, 50), Rgb(255, 240, 220)}};
    const double bu[] = {0.3, 0.62, 0.84, 0.48}, bv[] = {0.34, 0.2, 0.66, 0.62},
                 bs[] = {1.0, 0.75, 0.55, 0.45};
    for (int i = 0; i < 4; ++i) {
        const double cx = s.X(bu[i]), cy = s.Y(bv[i]), r = s.R(0.13 * bs[i]);
        // Vertical stripes across the envelope, narrowing towards its sides.
        for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r * 1.25); ++y)
            for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
                const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
                const double half = dy < 0 ? std::sqrt(std::max(0.0, 1 - dy * dy))
                                           : std::max(0.0, 1 - dy * 0.8) *
                                                 std::sqrt(std::max(0.0, 1 - dy * dy * 0.3));
                if (std::fabs(dx) >= half)
                    continue;
                const double band = std::asin(std::clamp(dx / half, -1.0, 1.0)) / Pi * 6 + 6;
                const Color col = static_cast<int>(band) % 2 ? stripes[i][0] : stripes[i][1];
                s.c.Set(x, y, Shade(col, -0.18 * std::pow(std::fabs(dx / half), 3)));
            }
        const double by = cy + r * 1.25;
        s.c.DrawLine(cx - r * 0.2, by, cx - r * 0.15, by + r * 0.3, std::max(1.0, r * 0.03),
                     Rgb(120, 90, 70));
        s.c.DrawLine(cx + r * 0.2, by, cx + r * 0.15, by + r * 0.3, std::max(1.0, r * 0.03),
                     Rgb(120, 90, 70));
        s.c.FillRoundRect(static_cast<int>(cx - r * 0.17), static_cast<int>(by + r * 0.3),
                          static_cast<int>(r * 0.34), static_cast<int>(r * 0.22), r * 0.05,
                          Rgb(176, 120, 70));
    }
    return s.Done();
}

Canvas CityNight() {
    Scene s;
    s.Sky(0, 1, Rgb(30, 30, 90), Rgb(150, 80, 150));
    Prng rng(31);
    for (int i = 0; i < 140; ++i)
        s.Disc(rng.Unit(), rng.Unit() * 0.5, 0.0015 + rng.Unit() * 0.003,
               Rgb(255, 250, 220, 120 + static_cast<int>(rng.Unit() * 135)));
    s.Glow(0.8, 0.16, 0.16, Rgb(255, 240, 200, 120));
    s.Disc(0.8, 0.16, 0.06, Rgb(255, 246, 210));
    s.Disc(0.825, 0.145, 0.05, Rgb(50, 40, 100, 230));
    // Two rows of buildings, the far one paler.
    for (int row = 0; row < 2; ++row) {
        double u = -0.02;
        while (u < 1) {
            const double w = 0.05 + rng.Unit() * 0.07,
                         h = (row == 0 ? 0.3 : 0.2) + rng.Unit() * 0.25;
            const Color wall = row == 0 ? Rgb(70, 56, 120) : Rgb(40, 30, 80);
            const double top = 1 - h - (row == 0 ? 0.08 : 0);
            s.c.FillRect(static_cast<int>(s.X(u)), static_cast<int>(s.Y(top)),
                         static_cast<int>(s.X(w)), s.c.Height(), wall);
            if (rng.Unit() < 0.3)
                s.Poly({{u, top}, {u + w / 2, top - 0.05}, {u + w, top}}, wall);
            for (double wy = top + 0.02; wy < 0.98; wy += 0.04)
                for (double wx = u + 0.012; wx < u + w - 0.015; wx += 0.022)
                    if (rng.Unit() < 0.45)
                        s.c.FillRect(static_cast<int>(s.X(wx)), static_cast<int>(s.Y(wy)),
                                     static_cast<int>(s.X(0.01)), static_cast<int>(s.Y(0.018)),
                                     rng.Unit() < 0.8 ? Rgb(255, 214, 120) : Rgb(140, 220, 255));
            u += w + 0.004;
        }
    }
    return s.Done();
}

Canvas Space() {
    Scene s;
    s.Paint([](double u, double v) {
        return Mix(Rgb(16, 20, 60), Rgb(70, 30, 100), std::clamp(0.3 * u + 0.7 * v, 0.0, 1.0));
    });
    s.Glow(0.3, 0.6, 0.5, Rgb(230, 90, 180, 70), 1.5);
    s.Glow(0.7, 0.3, 0.45, Rgb(60, 140, 240, 80), 1.5);
    Prng rng(3);
    for (int i = 0; i < 260; ++i)
        s.Disc(rng.Unit(), rng.Unit(), 0.001 + rng.Unit() * 0.0025,
               Rgb(255, 255, 255, 100 + static_cast<int>(rng.Unit() * 155)));
    for (int i = 0; i < 8; ++i) {
        const double u = rng.Unit(), v = rng.Unit();
        s.c.FillPolygon(StarAt(s.X(u), s.Y(v), s.R(0.012), 0), Rgb(255, 240, 180));
    }
    // A small moon with craters.
    s.Disc(0.18, 0.24, 0.06, Rgb(220, 214, 240));
    s.Disc(0.16, 0.22, 0.014, Rgb(190, 182, 220));
    s.Disc(0.2, 0.27, 0.01, Rgb(190, 182, 220));
    s.Disc(0.205, 0.205, 0.008, Rgb(190, 182, 220));
    // A ringed planet: the back of the ring, the ball, then the front of the ring.
    const double cx = s.X(0.66), cy = s.Y(0.6), r = s.R(0.17);
    const auto ring = [&](bool front) {
        for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
            for (int x = static_cast<int>(cx - r * 2); x <= static_cast<int>(cx + r * 2); ++x) {
                const double dx = (x + 0.5 - cx) / (r * 1.9), dy = (y + 0.5 - cy) / (r * 0.42);
                const double d = std::hypot(dx, dy);
                if (d < 1 && d > 0.7 && (y + 0.5 > cy) == front)
                    s.c.Blend(
                        x, y,
                        Mix(Rgb(255, 214, 160), Rgb(240, 150, 120), 0.5 + 0.5 * std::sin(d * 40)),
                        0.9);
            }
    };
    ring(false);
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
            const double nx = (x + 0.5 - cx) / r, ny = (y + 0.5 - cy) / r, q = nx * nx + ny * ny;
            if (q >= 1)
                continue;
            const double nz = std::sqrt(1 - q);
            const double light =
                std::clamp(0.45 + 0.6 * (-0.45 * nx - 0.45 * ny + 0.77 * nz), 0.2, 1.1);
            const Color band = Mix(Rgb(255, 170, 90), Rgb(236, 100, 90),
                                   0.5 + 0.5 * std::sin(ny * 9 + std::sin(nx * 3)));
            s.c.Set(x, y, light > 1 ? Shade(band, light - 1) : Shade(band, light - 1));
        }
    ring(true);
    for (int i = 0; i < 3; ++i) {
        const double u = 0.1 + i * 0.03;
        s.c.DrawLine(s.X(u + 0.3), s.Y(0.7 + i * 0.02), s.X(u + 0.42), s.Y(0.62 + i * 0.02), 3,
                     Rgb(255, 255, 255, 40));
    }
    s.c.DrawLine(s.X(0.32), s.Y(0.08), s.X(0.46), s.Y(0.16), s.R(0.004), Rgb(255, 255, 255, 140));
    s.Disc(0.46, 0.16, 0.006, Rgb(255, 255, 230));
    return s.Done();
}

Canvas RainbowSky() {
    Scene s;
    s.Sky(0, 1, Rgb(150, 206, 250), Rgb(255, 236, 246));
    const Color bands[] = {Rgb(246, 96, 110),  Rgb(255, 166, 70), Rgb(255, 222, 90),
                           Rgb(110, 210, 120), Rgb(90, 170, 250), Rgb(160, 120, 230)};
    for (int i = 0; i < 6; ++i)
        s.Oval(0.5, 1.05, 0.95 - i * 0.06, 0.95 - i * 0.06,
               Mix(bands[i], Rgb(255, 255, 255), 0.15));
    s.Oval(0.5, 1.05, 0.59, 0.59, Rgb(190, 224, 250));
    s.Cloud(0.14, 0.86, 2.0);
    s.Cloud(0.88, 0.88, 1.8);
    s.Cloud(0.5, 0.2, 0.9);
    Prng rng(17);
    for (int i = 0; i < 14; ++i)
        s.c.FillPolygon(StarAt(s.X(rng.Unit()), s.Y(rng.Unit() * 0.5),
                               s.R(0.01 + rng.Unit() * 0.01), rng.Unit()),
                        Rgb(255, 255, 255, 220));
    return s.Done();
}

Canvas Stage() {
    Scene s;
    s.Sky(0, 0.78, Rgb(50, 30, 80), Rgb(90, 46, 110));
    s.Glow(0.5, 0.56, 0.55, Rgb(255, 214, 170, 170), 1.4);
    s.c.VerticalGradient(0, static_cast<int>(s.Y(0.78)), s.c.Width(), static_cast<int>(s.Y(0.23)),
                         Rgb(200, 130, 80), Rgb(150, 90, 50));
    for (int i = 1; i < 12; ++i)
        s.c.DrawLine(s.X(0.5) + (i - 6) * s.X(0.02), s.Y(0.78), s.X(0.5) + (i - 6) * s.X(0.2),
                     s.Y(1.0), 2, Rgb(120, 70, 40, 120));
    s.Pool(0.5, 0.87, 0.42, 0.22, Rgb(255, 240, 200, 200));
    // Curtains tied back at each side, in deep red folds, under a scalloped pelmet.
    for (int y = 0; y < s.c.Height(); ++y)
        for (int x = 0; x < s.c.Width(); ++x) {
            const double u = (x + 0.5) / s.c.Width(), v = (y + 0.5) / s.c.Height();
            const double e =
                v < 0.58 ? 0.32 - 0.2 * std::pow(v / 0.58, 1.6) : 0.12 + 0.12 * (v - 0.58) / 0.42;
            const double d = std::min(u, 1 - u);
            if (d < e) {
                const double fold = 0.5 + 0.5 * std::cos(d / e * Pi * 7);
                s.c.Set(x, y, Mix(Rgb(150, 24, 44), Rgb(232, 56, 72), fold * (0.6 + 0.4 * d / e)));
            }
            const double scallop = 0.09 + 0.035 * std::fabs(std::sin(u * Pi * 9));
            if (v < scallop)
                s.c.Set(x, y, Mix(Rgb(206, 40, 60), Rgb(150, 20, 40), v / scallop));
            else if (v < scallop + 0.012)
                s.c.Set(x, y, Rgb(250, 196, 70));
        }
    // Ties where the curtains are gathered.
    s.Oval(0.12, 0.58, 0.035, 0.015, Rgb(250, 196, 70));
    s.Oval(0.88, 0.58, 0.035, 0.015, Rgb(250, 196, 70));
    return s.Done();
}

// --- patterns

Canvas CandyStripes() {
    Canvas c(BackgroundWidth, BackgroundHeight);
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double t = std::fmod((x + y) / 56.0, 1.0);
            // A soft edge between the bands (two pixels wide).
            const double edge = std::clamp((std::fabs(t - 0.5) - 0.25) * 28 + 0.5, 0.0, 1.0);
            c.Set(x, y, Mix(Rgb(255, 250, 246), Rgb(255, 140, 180), edge));
        }
    return c;
}

Canvas PolkaDots() {
    Scene s;
    s.c.Fill(Rgb(120, 214, 196));
    const double step = 0.1;
    for (int row = 0; row * step * 0.866 < 1.1; ++row)
        for (int col = -1; col * step < 1.3; ++col) {
            const double u = (col + (row % 2) * 0.5) * step * 0.8, v = row * step * 0.866;
            s.Disc(u, v, 0.028, Rgb(255, 255, 255));
        }
    return s.Done();
}

Canvas Hearts() {
    Scene s;
    s.c.Fill(Rgb(255, 226, 234));
    const double step = 0.125;
    for (int row = 0; row < 10; ++row)
        for (int col = -1; col < 12; ++col) {
            const double u = (col + (row % 2) * 0.5) * step * 0.8, v = row * step;
            s.c.FillPolygon(HeartAt(s.X(u), s.Y(v), s.R(0.03)),
                            row % 2 ? Rgb(255, 120, 160) : Rgb(240, 70, 100));
        }
    return s.Done();
}

Canvas Gingham() {
    Canvas c(BackgroundWidth, BackgroundHeight, Rgb(255, 255, 255));
    const Color red = Rgb(236, 70, 80);
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const bool a = (x / 40) % 2 == 0, b = (y / 40) % 2 == 0;
            c.Set(x, y,
                  a && b   ? red
                  : a || b ? Mix(red, Rgb(255, 255, 255), 0.5)
                           : Rgb(255, 252, 248));
        }
    return c;
}

// --- gradients

Canvas SunsetGlow() {
    Canvas c(BackgroundWidth, BackgroundHeight);
    const Color stops[] = {Rgb(120, 90, 200), Rgb(240, 110, 160), Rgb(255, 170, 110),
                           Rgb(255, 226, 150)};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double cx = x - c.Width() * 0.5, cy = y - c.Height() * 1.05;
            const double t = std::clamp(1 - std::hypot(cx, cy) / (c.Height() * 1.2), 0.0, 1.0) * 3;
            const int i = std::min(2, static_cast<int>(t));
            c.Set(x, y, Mix(stops[i], stops[i + 1], t - i));
        }
    return c;
}

Canvas Bokeh() {
    Scene s;
    s.Paint([](double u, double v) {
        return Mix(Mix(Rgb(30, 110, 160), Rgb(100, 60, 160), u), Rgb(20, 170, 170), v * 0.6);
    });
    Prng rng(41);
    const Color lights[] = {Rgb(255, 240, 180), Rgb(255, 180, 220), Rgb(170, 240, 255),
                            Rgb(255, 210, 150)};
    for (int i = 0; i < 40; ++i) {
        const double u = rng.Unit(), v = rng.Unit(), r = 0.02 + rng.Unit() * 0.07;
        Color c = lights[i % 4];
        c.a = static_cast<std::uint8_t>(40 + rng.Unit() * 70);
        s.Disc(u, v, r, c);
        s.Glow(u, v, r * 1.1, Rgb(c.r, c.g, c.b, c.a / 2), 0.5);
    }
    return s.Done();
}

Canvas CottonCandy() {
    Scene s;
    s.Paint([](double u, double v) {
        return Mix(Mix(Rgb(255, 196, 222), Rgb(176, 214, 255),
                       std::clamp(u * 0.8 + v * 0.4 - 0.1, 0.0, 1.0)),
                   Rgb(255, 240, 246), 0.25);
    });
    Prng rng(53);
    for (int i = 0; i < 9; ++i) {
        const double u = (i % 3) * 0.38 + rng.Unit() * 0.2,
                     v = (i / 3) * 0.34 + 0.1 + rng.Unit() * 0.1;
        s.Cloud(u, v, 0.9 + rng.Unit() * 0.9, Rgb(255, 255, 255, 200));
    }
    for (int i = 0; i < 30; ++i)
        s.c.FillPolygon(
            StarAt(s.X(rng.Unit()), s.Y(rng.Unit()), s.R(0.006 + rng.Unit() * 0.01), rng.Unit()),
            Rgb(255, 255, 255, 230));
    return s.Done();
}

// Pure yellow is the Background screen's paint key: a background must never hold it,
// or a later stroke or eraser would treat those pixels as painted.
Canvas WithoutPaintKey(Canvas c) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Color p = c.At(x, y);
            if (p.r >= 236 && p.g >= 236 && p.b < 40)
                c.Set(x, y, Rgb(p.r, p.g, 40));
        }
    return c;
}

template <Canvas (*Draw)()> Canvas Keyless() {
    return WithoutPaintKey(Draw());
}

} // namespace

std::vector<DecorationArt> BackgroundArt() {
    return {
        {"Background/01_Beach.jpg", Keyless<Beach>},
        {"Background/02_Under_the_sea.jpg", Keyless<Underwater>},
        {"Background/03_Forest.jpg", Keyless<Forest>},
        {"Background/04_Mountains.jpg", Keyless<Mountains>},
        {"Background/05_Balloons.jpg", Keyless<Balloons>},
        {"Background/06_City_night.jpg", Keyless<CityNight>},
        {"Background/07_Space.jpg", Keyless<Space>},
        {"Background/08_Rainbow.jpg", Keyless<RainbowSky>},
        {"Background/09_Stage.jpg", Keyless<Stage>},
        {"Background/10_Candy_stripes.png", Keyless<CandyStripes>},
        {"Background/11_Polka_dots.png", Keyless<PolkaDots>},
        {"Background/12_Hearts.png", Keyless<Hearts>},
        {"Background/13_Picnic.png", Keyless<Gingham>},
        {"Background/14_Sunset_glow.jpg", Keyless<SunsetGlow>},
        {"Background/15_Bokeh.jpg", Keyless<Bokeh>},
        {"Background/16_Cotton_candy.jpg", Keyless<CottonCandy>},
    };
}

} // namespace skingen
