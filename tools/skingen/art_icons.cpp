#include "art.h"

#include <cmath>
#include <numbers>

namespace skingen {

Canvas DrawAppIcon(int size) {
    // Drawn large on a unit square and averaged down so every size is smooth.
    constexpr int k = 8;
    const double u = size * k;
    Canvas c(size * k, size * k, Rgb(0, 0, 0, 0));
    auto box = [&](double x0, double y0, double x1, double y1, double r, Color col) {
        c.FillRoundRect(static_cast<int>(x0 * u), static_cast<int>(y0 * u),
                        static_cast<int>((x1 - x0) * u), static_cast<int>((y1 - y0) * u), r * u,
                        col);
    };
    const Color outline = Rgb(120, 50, 40);
    box(0.2, 0.18, 0.46, 0.36, 0.05, outline); // viewfinder
    box(0.23, 0.21, 0.43, 0.36, 0.03, Rgb(90, 96, 120));
    box(0.04, 0.3, 0.96, 0.9, 0.13, outline); // body
    box(0.075, 0.335, 0.925, 0.865, 0.1, Rgb(242, 112, 92));
    box(0.075, 0.335, 0.925, 0.46, 0.1, Rgb(250, 150, 120));

    c.FillCircle(0.5 * u, 0.61 * u, 0.23 * u, outline);
    c.FillCircle(0.5 * u, 0.61 * u, 0.2 * u, Rgb(70, 78, 100));
    c.FillCircle(0.5 * u, 0.61 * u, 0.14 * u, Rgb(110, 172, 232));
    c.FillCircle(0.45 * u, 0.56 * u, 0.05 * u, Rgb(236, 246, 255));

    // The star that makes it fun.
    std::vector<Point> star, inner;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = (i % 2 == 0 ? 0.2 : 0.085) * u;
        star.push_back({0.79 * u + r * std::cos(a), 0.2 * u + r * std::sin(a)});
        const double ri = (i % 2 == 0 ? 0.15 : 0.062) * u;
        inner.push_back({0.79 * u + ri * std::cos(a), 0.205 * u + ri * std::sin(a)});
    }
    c.FillPolygon(star, Rgb(200, 120, 20));
    c.FillPolygon(inner, Rgb(255, 214, 60));
    return c.Downsample(k);
}

namespace {

const std::vector<std::string> OpenHandArt = {
    "................................", "................................",
    "................................", "................................",
    "...............##...............", "............###oo###............",
    "...........#oo#oo#oo#...........", "...........#oo#oo#oo###.........",
    "...........#oo#oo#oo#oo#........", "...........#oo#oo#oo#oo#........",
    "...........#oo#oo#oo#oo#........", "...........#oo#oo#oo#oo#........",
    ".....##....#oo#oo#oo#oo#........", "....#oo#...#oo#oo#oo#oo#........",
    "....#ooo#..#oo#oo#oo#oo#........", ".....#ooooooooooooooooo#........",
    "......#oooooooooooooooo#........", ".......#ooooooooooooooo#........",
    "........#oooooooooooooo#........", ".........#ooooooooooooo#........",
    "..........#ooooooooooo#.........", "...........#oooooooooo#.........",
    "...........#ooooooooo#..........", "............#oooooooo#..........",
    "............##########..........", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
};

const std::vector<std::string> GrabHandArt = {
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "............##.##.##............",
    "...........#oo#oo#oo###.........", "...........#oo#oo#oo#oo#........",
    "........###oooooooooooo#........", ".......#ooooooooooooooo#........",
    ".......#ooooooooooooooo#........", "........#oooooooooooooo#........",
    ".........#ooooooooooooo#........", "..........#oooooooooooo#........",
    "..........#ooooooooooo#.........", "...........#oooooooooo#.........",
    "...........#ooooooooo#..........", "............##########..........",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
};

} // namespace

MonoCursor OpenHandCursor() {
    return CursorFromArt(OpenHandArt, 15, 15);
}
MonoCursor GrabHandCursor() {
    return CursorFromArt(GrabHandArt, 15, 15);
}

} // namespace skingen
