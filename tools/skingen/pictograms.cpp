#include "pictograms.h"

#include "shapes.h"

#include <cmath>
#include <numbers>

namespace skingen {

namespace {

// Coordinates in a unit square mapped onto the box.
struct Box {
    double cx, cy, s;
    Point P(double u, double v) const { return {cx + (u - 0.5) * s, cy + (v - 0.5) * s}; }
    double L(double u) const { return u * s; }
    std::vector<Point> Ps(std::initializer_list<std::pair<double, double>> uv) const {
        std::vector<Point> out;
        for (auto [u, v] : uv)
            out.push_back(P(u, v));
        return out;
    }
    std::vector<Point> Arc(double u, double v, double r, double a0, double a1) const {
        const Point c = P(u, v);
        return ArcPoints(c.x, c.y, L(r), L(r), a0, a1);
    }
};

Color Hue(double degrees) {
    const double h = std::fmod(degrees + 360.0, 360.0) / 60.0;
    auto channel = [h](double offset) {
        const double k = std::fmod(offset + h, 6.0);
        return 255 * (1 - std::clamp(std::min(k, 4 - k), 0.0, 1.0));
    };
    // A soft, friendly rainbow rather than the full-strength one.
    const Color pure = Rgb(static_cast<int>(channel(5)), static_cast<int>(channel(3)),
                           static_cast<int>(channel(1)));
    return Mix(pure, Rgb(255, 255, 255), 0.12);
}

Shape RoundedPolygon(const Box& b, std::vector<Point> pts, double round) {
    // A polygon with its corners softened by a stroke around it.
    std::vector<Point> ring = pts;
    ring.push_back(pts.front());
    return Union(Polygon(std::move(pts)), Line(std::move(ring), b.L(round)));
}

// The head of an arrow whose tip is at `tip`, pointing along (dx, dy).
Shape ArrowHead(Point tip, double dx, double dy, double length, double width) {
    const double n = std::hypot(dx, dy);
    dx /= n;
    dy /= n;
    const Point base{tip.x - dx * length, tip.y - dy * length};
    return Polygon({tip,
                    {base.x - dy * width / 2, base.y + dx * width / 2},
                    {base.x + dy * width / 2, base.y - dx * width / 2}});
}

void DrawTurn(Canvas& c, const Box& b, Color ink, bool left) {
    // An open circle with an arrow head: anticlockwise for left, clockwise for right.
    const double a0 = left ? 40 : 140, a1 = left ? -190 : 370;
    auto arc = b.Arc(0.5, 0.52, 0.28, a0, a1);
    const Point end = arc.back(), before = arc[arc.size() - 2];
    Fill(c, Line(arc, b.L(0.12)), ink);
    const double dx = end.x - before.x, dy = end.y - before.y, n = std::hypot(dx, dy);
    Fill(c,
         ArrowHead({end.x + dx / n * b.L(0.2), end.y + dy / n * b.L(0.2)}, dx, dy, b.L(0.3),
                   b.L(0.4)),
         ink);
}

void DrawStar(Canvas& c, const Box& b, double u, double v, double r, Color fill) {
    std::vector<Point> pts;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double rr = b.L(i % 2 == 0 ? r : r * 0.45);
        const Point c0 = b.P(u, v);
        pts.push_back({c0.x + rr * std::cos(a), c0.y + rr * std::sin(a)});
    }
    Fill(c, RoundedPolygon(b, pts, 0.06), fill);
}

void DrawSparkle(Canvas& c, const Box& b, double u, double v, double r, Color fill) {
    const Point o = b.P(u, v);
    const double R = b.L(r), k = R * 0.22;
    Fill(c,
         Polygon({{o.x, o.y - R},
                  {o.x + k, o.y - k},
                  {o.x + R, o.y},
                  {o.x + k, o.y + k},
                  {o.x, o.y + R},
                  {o.x - k, o.y + k},
                  {o.x - R, o.y},
                  {o.x - k, o.y - k}}),
         fill);
}

void DrawDoubleArrow(Canvas& c, const Box& b, Color ink, bool horizontal) {
    auto P = [&](double along, double across) {
        return horizontal ? b.P(along, across) : b.P(across, along);
    };
    Fill(c, Line({P(0.22, 0.5), P(0.78, 0.5)}, b.L(0.1)), ink);
    const Point a = P(0.1, 0.5), z = P(0.9, 0.5);
    const double dx = horizontal ? 1 : 0, dy = horizontal ? 0 : 1;
    Fill(c, ArrowHead(a, -dx, -dy, b.L(0.22), b.L(0.34)), ink);
    Fill(c, ArrowHead(z, dx, dy, b.L(0.22), b.L(0.34)), ink);
    Fill(c, Line({P(0.04, 0.26), P(0.04, 0.74)}, b.L(0.07)), Mix(ink, Rgb(255, 255, 255), 0.4));
    Fill(c, Line({P(0.96, 0.26), P(0.96, 0.74)}, b.L(0.07)), Mix(ink, Rgb(255, 255, 255), 0.4));
}

void DrawCard(Canvas& c, std::vector<Point> corners, Color ink) {
    // A picture seen in perspective: a pale card with a little sun and hill on it.
    const Shape card = Polygon(corners);
    Fill(c, card, Rgb(190, 226, 250));
    Fill(c, Outline(card, 1.6), ink);
}

} // namespace

void DrawPictogram(Canvas& c, Pictogram p, double cx, double cy, double size, Color ink) {
    const Box b{cx, cy, size};
    const Color light = Mix(ink, Rgb(255, 255, 255), 0.55);
    const Color white = Rgb(255, 255, 255);
    switch (p) {
    case Pictogram::Cross:
        Fill(c,
             Strokes({b.Ps({{0.24, 0.24}, {0.76, 0.76}}), b.Ps({{0.76, 0.24}, {0.24, 0.76}})},
                     b.L(0.17)),
             ink);
        break;
    case Pictogram::Home: {
        const Shape house = RoundedPolygon(b,
                                           b.Ps({{0.5, 0.14},
                                                 {0.88, 0.5},
                                                 {0.78, 0.5},
                                                 {0.78, 0.86},
                                                 {0.22, 0.86},
                                                 {0.22, 0.5},
                                                 {0.12, 0.5}}),
                                           0.08);
        const Point d = b.P(0.42, 0.6);
        Fill(c, Minus(house, RoundRect(d.x, d.y, b.L(0.16), b.L(0.3), b.L(0.04))), ink);
        break;
    }
    case Pictogram::Minimise:
        Fill(c, Line(b.Ps({{0.26, 0.72}, {0.74, 0.72}}), b.L(0.17)), ink);
        break;
    case Pictogram::Back:
        Fill(c,
             Strokes({b.Ps({{0.78, 0.5}, {0.26, 0.5}}),
                      b.Ps({{0.48, 0.26}, {0.24, 0.5}, {0.48, 0.74}})},
                     b.L(0.15)),
             ink);
        break;
    case Pictogram::Check:
        Fill(c, Line(b.Ps({{0.2, 0.52}, {0.42, 0.74}, {0.8, 0.28}}), b.L(0.17)), ink);
        break;
    case Pictogram::Plus:
        Fill(c,
             Strokes({b.Ps({{0.2, 0.5}, {0.8, 0.5}}), b.Ps({{0.5, 0.2}, {0.5, 0.8}})}, b.L(0.18)),
             ink);
        break;
    case Pictogram::Minus:
        Fill(c, Line(b.Ps({{0.2, 0.5}, {0.8, 0.5}}), b.L(0.18)), ink);
        break;
    case Pictogram::TurnLeft:
    case Pictogram::TurnRight:
        DrawTurn(c, b, ink, p == Pictogram::TurnLeft);
        break;
    case Pictogram::PageBack:
        Fill(c, RoundedPolygon(b, b.Ps({{0.68, 0.2}, {0.68, 0.8}, {0.26, 0.5}}), 0.1), ink);
        break;
    case Pictogram::PageNext:
        Fill(c, RoundedPolygon(b, b.Ps({{0.32, 0.2}, {0.32, 0.8}, {0.74, 0.5}}), 0.1), ink);
        break;
    case Pictogram::SoundOn:
    case Pictogram::SoundOff: {
        Fill(c,
             RoundedPolygon(b,
                            b.Ps({{0.1, 0.38},
                                  {0.26, 0.38},
                                  {0.48, 0.18},
                                  {0.48, 0.82},
                                  {0.26, 0.62},
                                  {0.1, 0.62}}),
                            0.06),
             ink);
        if (p == Pictogram::SoundOn) {
            Fill(c,
                 Strokes({b.Arc(0.5, 0.5, 0.17, -45, 45), b.Arc(0.5, 0.5, 0.33, -50, 50)},
                         b.L(0.09)),
                 ink);
        } else {
            Fill(c,
                 Strokes({b.Ps({{0.62, 0.36}, {0.88, 0.64}}), b.Ps({{0.88, 0.36}, {0.62, 0.64}})},
                         b.L(0.1)),
                 ink);
        }
        break;
    }
    case Pictogram::Camera: {
        const Point o = b.P(0.08, 0.3);
        const Point t = b.P(0.32, 0.18);
        const Shape body = Union(RoundRect(o.x, o.y, b.L(0.84), b.L(0.58), b.L(0.12)),
                                 RoundRect(t.x, t.y, b.L(0.3), b.L(0.2), b.L(0.06)));
        const Point lens = b.P(0.5, 0.6);
        Fill(c, Minus(body, Circle(lens.x, lens.y, b.L(0.2))), ink);
        Fill(c, Circle(lens.x, lens.y, b.L(0.12)), ink);
        const Point flash = b.P(0.77, 0.4);
        Fill(c, Circle(flash.x, flash.y, b.L(0.045)), light);
        break;
    }
    case Pictogram::Folder: {
        Fill(
            c,
            RoundedPolygon(
                b,
                b.Ps(
                    {{0.1, 0.22}, {0.38, 0.22}, {0.46, 0.31}, {0.9, 0.31}, {0.9, 0.8}, {0.1, 0.8}}),
                0.06),
            ink);
        Fill(c, RoundedPolygon(b, b.Ps({{0.1, 0.42}, {0.9, 0.42}, {0.9, 0.8}, {0.1, 0.8}}), 0.06),
             light);
        break;
    }
    case Pictogram::Pencil: {
        // Along the diagonal from the lower left tip to the upper right end.
        const Point tip = b.P(0.16, 0.84), end = b.P(0.84, 0.16);
        const double dx = (end.x - tip.x) / std::hypot(end.x - tip.x, end.y - tip.y);
        const double dy = (end.y - tip.y) / std::hypot(end.x - tip.x, end.y - tip.y);
        const double half = b.L(0.12);
        auto at = [&](double t, double side) {
            const double len = std::hypot(end.x - tip.x, end.y - tip.y) * t;
            return Point{tip.x + dx * len - dy * half * side, tip.y + dy * len + dx * half * side};
        };
        Fill(c, Polygon({at(0.28, -1), at(0.82, -1), at(0.82, 1), at(0.28, 1)}), ink);
        Fill(c, Polygon({at(0.84, -1), at(1, -1), at(1, 1), at(0.84, 1)}), Rgb(244, 140, 150));
        Fill(c, Polygon({at(0.02, 0), at(0.28, -1), at(0.28, 1)}), Rgb(250, 220, 170));
        Fill(c, Polygon({at(0.0, 0), at(0.1, -0.38), at(0.1, 0.38)}), Rgb(90, 70, 70));
        break;
    }
    case Pictogram::Star:
        DrawStar(c, b, 0.5, 0.53, 0.42, ink);
        break;
    case Pictogram::Heart: {
        const Point l = b.P(0.34, 0.38), r = b.P(0.66, 0.38);
        Fill(c,
             Union(Union(Circle(l.x, l.y, b.L(0.19)), Circle(r.x, r.y, b.L(0.19))),
                   RoundedPolygon(b, b.Ps({{0.17, 0.45}, {0.83, 0.45}, {0.5, 0.82}}), 0.06)),
             ink);
        break;
    }
    case Pictogram::Landscape: {
        const Point o = b.P(0.08, 0.16);
        const Shape frame = RoundRect(o.x, o.y, b.L(0.84), b.L(0.68), b.L(0.1));
        Fill(c, frame, VerticalShade(o.y, o.y + b.L(0.68), Rgb(120, 190, 250), Rgb(200, 232, 255)));
        const Point sun = b.P(0.68, 0.36);
        Fill(c, Circle(sun.x, sun.y, b.L(0.1)), Rgb(255, 200, 60));
        Fill(c,
             Intersect(frame,
                       Polygon(b.Ps(
                           {{0.02, 0.9}, {0.34, 0.46}, {0.52, 0.68}, {0.64, 0.56}, {0.98, 0.9}}))),
             Rgb(86, 176, 96));
        Fill(c, Outline(frame, b.L(0.07)), ink);
        break;
    }
    case Pictogram::Sparkles:
        DrawSparkle(c, b, 0.4, 0.58, 0.34, ink);
        DrawSparkle(c, b, 0.76, 0.26, 0.18, Rgb(255, 196, 60));
        DrawSparkle(c, b, 0.78, 0.78, 0.13, light);
        break;
    case Pictogram::Frame: {
        const Point o = b.P(0.12, 0.12), i = b.P(0.3, 0.3);
        const Shape outer = RoundRect(o.x, o.y, b.L(0.76), b.L(0.76), b.L(0.06));
        const Shape inner = RoundRect(i.x, i.y, b.L(0.4), b.L(0.4), b.L(0.03));
        Fill(c, inner, Rgb(200, 232, 255));
        Fill(c, Minus(outer, inner), ink);
        for (auto [u, v] : {std::pair{0.21, 0.21}, {0.79, 0.21}, {0.21, 0.79}, {0.79, 0.79}}) {
            const Point d = b.P(u, v);
            Fill(c, Circle(d.x, d.y, b.L(0.05)), light);
        }
        break;
    }
    case Pictogram::Palette: {
        const Point o = b.P(0.5, 0.52), hole = b.P(0.62, 0.7);
        Fill(c, Minus(Ellipse(o.x, o.y, b.L(0.42), b.L(0.36)), Circle(hole.x, hole.y, b.L(0.08))),
             Rgb(250, 226, 180));
        Fill(c,
             Outline(
                 Minus(Ellipse(o.x, o.y, b.L(0.42), b.L(0.36)), Circle(hole.x, hole.y, b.L(0.08))),
                 b.L(0.06)),
             ink);
        const Color dots[] = {Rgb(236, 70, 80), Rgb(255, 190, 40), Rgb(70, 180, 90),
                              Rgb(60, 140, 230)};
        const double at[][2] = {{0.3, 0.42}, {0.46, 0.3}, {0.64, 0.32}, {0.32, 0.62}};
        for (int k = 0; k < 4; ++k) {
            const Point d = b.P(at[k][0], at[k][1]);
            Fill(c, Circle(d.x, d.y, b.L(0.08)), dots[k]);
        }
        break;
    }
    case Pictogram::Eye: {
        const Point top = b.P(0.5, 0.95), bottom = b.P(0.5, 0.05);
        const Shape almond =
            Intersect(Circle(top.x, top.y, b.L(0.62)), Circle(bottom.x, bottom.y, b.L(0.62)));
        Fill(c, almond, white);
        Fill(c, Outline(almond, b.L(0.08)), ink);
        const Point o = b.P(0.5, 0.5);
        Fill(c, Circle(o.x, o.y, b.L(0.17)), ink);
        Fill(c, Circle(o.x - b.L(0.05), o.y - b.L(0.05), b.L(0.05)), white);
        break;
    }
    case Pictogram::Document: {
        const Shape page = RoundedPolygon(
            b, b.Ps({{0.2, 0.08}, {0.6, 0.08}, {0.8, 0.28}, {0.8, 0.92}, {0.2, 0.92}}), 0.06);
        Fill(c, page, ink);
        Fill(c, RoundedPolygon(b, b.Ps({{0.6, 0.08}, {0.8, 0.28}, {0.6, 0.28}}), 0.04), light);
        break;
    }
    case Pictogram::Brush: {
        Fill(c, Line(b.Ps({{0.84, 0.14}, {0.46, 0.52}}), b.L(0.1)), Rgb(170, 110, 70));
        Fill(c, Line(b.Ps({{0.5, 0.48}, {0.42, 0.56}}), b.L(0.16)), Rgb(190, 190, 200));
        Fill(c,
             RoundedPolygon(
                 b, b.Ps({{0.4, 0.52}, {0.48, 0.6}, {0.3, 0.86}, {0.12, 0.88}, {0.2, 0.7}}), 0.06),
             ink);
        break;
    }
    case Pictogram::Sun: {
        std::vector<std::vector<Point>> rays;
        for (int k = 0; k < 8; ++k) {
            const double a = k * std::numbers::pi / 4;
            rays.push_back(b.Ps({{0.5 + 0.32 * std::cos(a), 0.5 + 0.32 * std::sin(a)},
                                 {0.5 + 0.44 * std::cos(a), 0.5 + 0.44 * std::sin(a)}}));
        }
        Fill(c, Strokes(rays, b.L(0.08)), Rgb(250, 170, 40));
        const Point o = b.P(0.5, 0.5);
        Fill(c, Circle(o.x, o.y, b.L(0.22)), Rgb(255, 200, 60));
        Fill(c, Outline(Circle(o.x, o.y, b.L(0.22)), b.L(0.05)), Rgb(240, 150, 40));
        break;
    }
    case Pictogram::Drop: {
        const Point o = b.P(0.5, 0.62);
        const Shape drop = Union(Circle(o.x, o.y, b.L(0.26)),
                                 Polygon(b.Ps({{0.5, 0.08}, {0.75, 0.55}, {0.25, 0.55}})));
        Fill(c, drop, [&](int x, int) { return Hue(300 + 120 * (x - (cx - size / 2)) / size); });
        const Point shine = b.P(0.4, 0.62);
        Fill(c, Ellipse(shine.x, shine.y, b.L(0.05), b.L(0.1)), Rgb(255, 255, 255, 200));
        break;
    }
    case Pictogram::HueWheel: {
        const Point o = b.P(0.5, 0.5);
        Fill(c, Minus(Circle(o.x, o.y, b.L(0.44)), Circle(o.x, o.y, b.L(0.2))), [&](int x, int y) {
            return Hue(std::atan2(y + 0.5 - o.y, x + 0.5 - o.x) * 180 / std::numbers::pi);
        });
        break;
    }
    case Pictogram::Tilt:
        DrawCard(c, b.Ps({{0.3, 0.22}, {0.7, 0.22}, {0.88, 0.8}, {0.12, 0.8}}), ink);
        break;
    case Pictogram::Turn:
        DrawCard(c, b.Ps({{0.16, 0.14}, {0.8, 0.3}, {0.8, 0.7}, {0.16, 0.86}}), ink);
        break;
    case Pictogram::Spin: {
        std::vector<Point> sq;
        for (int k = 0; k < 4; ++k) {
            const double a = (20 + 90 * k + 45) * std::numbers::pi / 180;
            sq.push_back(b.P(0.5 + 0.3 * std::cos(a), 0.5 + 0.3 * std::sin(a)));
        }
        DrawCard(c, sq, ink);
        break;
    }
    case Pictogram::Width:
        DrawDoubleArrow(c, b, ink, true);
        break;
    case Pictogram::Height:
        DrawDoubleArrow(c, b, ink, false);
        break;
    case Pictogram::Smile: {
        const Point o = b.P(0.5, 0.5);
        Fill(c, Circle(o.x, o.y, b.L(0.44)), Rgb(255, 204, 64));
        Fill(c, Outline(Circle(o.x, o.y, b.L(0.44)), b.L(0.05)), ink);
        const Point l = b.P(0.36, 0.4), r = b.P(0.64, 0.4);
        Fill(c, Ellipse(l.x, l.y, b.L(0.045), b.L(0.07)), ink);
        Fill(c, Ellipse(r.x, r.y, b.L(0.045), b.L(0.07)), ink);
        Fill(c, Line(b.Arc(0.5, 0.5, 0.24, 25, 155), b.L(0.07)), ink);
        break;
    }
    }
}

} // namespace skingen
