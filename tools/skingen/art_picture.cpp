#include "art.h"

#include <cmath>
#include <numbers>

namespace skingen {

namespace {

// A rolling hill line across the whole width, closed at the bottom.
std::vector<Point> Hill(double width, double height, double base, double amplitude, double waves,
                        double phase) {
    std::vector<Point> pts;
    for (int i = 0; i <= 64; ++i) {
        const double x = width * i / 64.0;
        const double y =
            base - amplitude * std::sin(phase + waves * 2 * std::numbers::pi * i / 64.0);
        pts.push_back({x, y});
    }
    pts.push_back({width, height});
    pts.push_back({0, height});
    return pts;
}

void Cloud(Canvas& c, double x, double y, double s) {
    const Color white = Rgb(255, 255, 255, 235);
    c.FillEllipse(x, y, 46 * s, 22 * s, white);
    c.FillCircle(x - 26 * s, y + 2 * s, 20 * s, white);
    c.FillCircle(x + 4 * s, y - 16 * s, 26 * s, white);
    c.FillCircle(x + 32 * s, y - 2 * s, 20 * s, white);
}

} // namespace

Canvas DrawDefaultPicture(int width, int height) {
    // Drawn at twice the size and averaged down, for smooth edges.
    constexpr int k = 2;
    const double W = width * k, H = height * k;
    const double horizon = H * 0.58;
    const Color haze = Rgb(196, 230, 255);
    Canvas c(width * k, height * k, haze);
    c.VerticalGradient(0, 0, width * k, static_cast<int>(horizon), Rgb(84, 162, 240), haze);

    // Sun with a soft glow and rays.
    const double sx = W * 0.78, sy = H * 0.2, sr = H * 0.09;
    for (int i = 6; i >= 1; --i)
        c.FillCircle(sx, sy, sr * (1 + i * 0.22), Rgb(255, 240, 170, 22));
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6 + 0.13;
        const double r0 = sr * 1.3, r1 = sr * 2.0, half = 0.09;
        c.FillPolygon({{sx + r0 * std::cos(a - half), sy + r0 * std::sin(a - half)},
                       {sx + r1 * std::cos(a), sy + r1 * std::sin(a)},
                       {sx + r0 * std::cos(a + half), sy + r0 * std::sin(a + half)}},
                      Rgb(255, 214, 90, 200));
    }
    c.FillCircle(sx, sy, sr, Rgb(255, 214, 74));
    c.FillCircle(sx - sr * 0.3, sy - sr * 0.3, sr * 0.45, Rgb(255, 236, 150));

    Cloud(c, W * 0.2, H * 0.17, k * 1.1);
    Cloud(c, W * 0.5, H * 0.28, k * 0.8);

    c.FillPolygon(Hill(W, H, horizon, H * 0.06, 1.3, 0.4), Rgb(126, 190, 132));
    c.FillPolygon(Hill(W, H, horizon + H * 0.1, H * 0.05, 0.9, 2.1), Rgb(92, 172, 88));
    c.FillPolygon(Hill(W, H, horizon + H * 0.24, H * 0.04, 0.7, 4.0), Rgb(70, 152, 66));

    // A little house on the middle hill.
    const double hx = W * 0.6, hy = horizon + H * 0.12, hw = W * 0.09;
    c.FillRect(static_cast<int>(hx), static_cast<int>(hy - hw * 0.7), static_cast<int>(hw),
               static_cast<int>(hw * 0.7), Rgb(250, 236, 200));
    c.FillPolygon({{hx - hw * 0.12, hy - hw * 0.68},
                   {hx + hw / 2, hy - hw * 1.15},
                   {hx + hw * 1.12, hy - hw * 0.68}},
                  Rgb(214, 76, 60));
    c.FillRect(static_cast<int>(hx + hw * 0.4), static_cast<int>(hy - hw * 0.36),
               static_cast<int>(hw * 0.22), static_cast<int>(hw * 0.36), Rgb(150, 92, 60));
    c.FillRect(static_cast<int>(hx + hw * 0.12), static_cast<int>(hy - hw * 0.52),
               static_cast<int>(hw * 0.18), static_cast<int>(hw * 0.16), Rgb(120, 190, 240));

    // A round tree at the left.
    const double tx = W * 0.16, ty = horizon + H * 0.2;
    c.FillRect(static_cast<int>(tx - W * 0.012), static_cast<int>(ty - H * 0.12),
               static_cast<int>(W * 0.024), static_cast<int>(H * 0.13), Rgb(128, 84, 52));
    c.FillCircle(tx, ty - H * 0.19, H * 0.1, Rgb(58, 140, 62));
    c.FillCircle(tx - H * 0.07, ty - H * 0.14, H * 0.07, Rgb(66, 152, 70));
    c.FillCircle(tx + H * 0.07, ty - H * 0.14, H * 0.07, Rgb(52, 130, 58));
    c.FillCircle(tx - H * 0.02, ty - H * 0.23, H * 0.05, Rgb(96, 176, 90));

    // Flowers scattered over the front hill.
    Prng rng(20240601);
    const Color petals[] = {Rgb(255, 110, 140), Rgb(255, 220, 80), Rgb(255, 255, 255),
                            Rgb(180, 120, 255)};
    for (int i = 0; i < 70; ++i) {
        const double x = rng.Unit() * W;
        const double y = H * 0.87 + rng.Unit() * H * 0.12;
        const double r = k * (2.5 + 2 * rng.Unit());
        c.FillCircle(x, y, r, petals[rng.Next() % 4]);
        c.FillCircle(x, y, r * 0.4, Rgb(250, 200, 60));
    }
    Canvas small = c.Downsample(k);
    return small;
}

} // namespace skingen
