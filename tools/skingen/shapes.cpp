#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace skingen {

namespace {

double SegmentDistance(double px, double py, Point a, Point b) {
    const double ex = b.x - a.x, ey = b.y - a.y, wx = px - a.x, wy = py - a.y;
    const double ee = ex * ex + ey * ey;
    const double t = ee > 0 ? std::clamp((wx * ex + wy * ey) / ee, 0.0, 1.0) : 0.0;
    return std::hypot(wx - ex * t, wy - ey * t);
}

} // namespace

double Shape::Coverage(double px, double py) const {
    if (px < x0 - 1 || py < y0 - 1 || px > x1 + 1 || py > y1 + 1)
        return 0.0;
    return std::clamp(0.5 - distance(px, py), 0.0, 1.0);
}

Shape Circle(double cx, double cy, double r) {
    return {cx - r, cy - r, cx + r, cy + r,
            [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; }};
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
    // The usual first-order estimate: exact on the axes, close enough elsewhere.
    return {cx - rx, cy - ry, cx + rx, cy + ry, [=](double x, double y) {
                const double k0 = std::hypot((x - cx) / rx, (y - cy) / ry);
                const double k1 = std::hypot((x - cx) / (rx * rx), (y - cy) / (ry * ry));
                return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min(rx, ry);
            }};
}

Shape RoundRect(double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    const double cx = x + w / 2, cy = y + h / 2, hx = w / 2 - r, hy = h / 2 - r;
    return {x, y, x + w, y + h, [=](double px, double py) {
                const double qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
                return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) +
                       std::min(std::max(qx, qy), 0.0) - r;
            }};
}

Shape Polygon(std::vector<Point> pts) {
    Shape s{std::numeric_limits<double>::max(),
            std::numeric_limits<double>::max(),
            std::numeric_limits<double>::lowest(),
            std::numeric_limits<double>::lowest(),
            {}};
    for (const Point& p : pts) {
        s.x0 = std::min(s.x0, p.x);
        s.y0 = std::min(s.y0, p.y);
        s.x1 = std::max(s.x1, p.x);
        s.y1 = std::max(s.y1, p.y);
    }
    s.distance = [pts = std::move(pts)](double px, double py) {
        double d = std::numeric_limits<double>::max();
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            d = std::min(d, SegmentDistance(px, py, pts[i], pts[j]));
            const Point a = pts[i], b = pts[j];
            if ((a.y > py) != (b.y > py) && px < a.x + (py - a.y) / (b.y - a.y) * (b.x - a.x))
                inside = !inside;
        }
        return inside ? -d : d;
    };
    return s;
}

Shape Strokes(std::vector<std::vector<Point>> lines, double width) {
    const double half = width / 2;
    Shape s{std::numeric_limits<double>::max(),
            std::numeric_limits<double>::max(),
            std::numeric_limits<double>::lowest(),
            std::numeric_limits<double>::lowest(),
            {}};
    for (const auto& line : lines)
        for (const Point& p : line) {
            s.x0 = std::min(s.x0, p.x - half);
            s.y0 = std::min(s.y0, p.y - half);
            s.x1 = std::max(s.x1, p.x + half);
            s.y1 = std::max(s.y1, p.y + half);
        }
    s.distance = [lines = std::move(lines), half](double px, double py) {
        double d = std::numeric_limits<double>::max();
        for (const auto& line : lines) {
            if (line.size() == 1)
                d = std::min(d, std::hypot(px - line[0].x, py - line[0].y));
            for (std::size_t i = 1; i < line.size(); ++i)
                d = std::min(d, SegmentDistance(px, py, line[i - 1], line[i]));
        }
        return d - half;
    };
    return s;
}

Shape Line(std::vector<Point> points, double width) {
    return Strokes({std::move(points)}, width);
}

std::vector<Point> ArcPoints(double cx, double cy, double rx, double ry, double a0, double a1) {
    const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(a1 - a0) / 10.0)));
    std::vector<Point> pts;
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * std::numbers::pi / 180.0;
        pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return pts;
}

Shape Union(Shape a, Shape b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1),
            [a = std::move(a.distance), b = std::move(b.distance)](double x, double y) {
                return std::min(a(x, y), b(x, y));
            }};
}

Shape Minus(Shape a, Shape b) {
    return {a.x0, a.y0, a.x1, a.y1,
            [a = std::move(a.distance), b = std::move(b.distance)](double x, double y) {
                return std::max(a(x, y), -b(x, y));
            }};
}

Shape Intersect(Shape a, Shape b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1),
            [a = std::move(a.distance), b = std::move(b.distance)](double x, double y) {
                return std::max(a(x, y), b(x, y));
            }};
}

Shape Outline(Shape s, double width) {
    const double h = width / 2;
    return {s.x0 - h, s.y0 - h, s.x1 + h, s.y1 + h,
            [d = std::move(s.distance), h](double x, double y) { return std::fabs(d(x, y)) - h; }};
}

Shape Grow(Shape s, double d) {
    const double g = std::max(d, 0.0);
    return {s.x0 - g, s.y0 - g, s.x1 + g, s.y1 + g,
            [f = std::move(s.distance), d](double x, double y) { return f(x, y) - d; }};
}

Shape Moved(Shape s, double dx, double dy) {
    return {s.x0 + dx, s.y0 + dy, s.x1 + dx, s.y1 + dy,
            [f = std::move(s.distance), dx, dy](double x, double y) { return f(x - dx, y - dy); }};
}

void Fill(Canvas& c, const Shape& s, const Shader& shader) {
    const int x0 = std::max(0, static_cast<int>(std::floor(s.x0)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(s.y0)) - 1);
    const int x1 = std::min(c.Width() - 1, static_cast<int>(std::ceil(s.x1)) + 1);
    const int y1 = std::min(c.Height() - 1, static_cast<int>(std::ceil(s.y1)) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double cover = std::clamp(0.5 - s.distance(x + 0.5, y + 0.5), 0.0, 1.0);
            if (cover > 0)
                c.Blend(x, y, shader(x, y), cover);
        }
}

void Fill(Canvas& c, const Shape& s, Color colour) {
    Fill(c, s, [colour](int, int) { return colour; });
}

void Shadow(Canvas& c, const Shape& s, double softness, Color colour) {
    const int x0 = std::max(0, static_cast<int>(std::floor(s.x0 - softness)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(s.y0 - softness)) - 1);
    const int x1 = std::min(c.Width() - 1, static_cast<int>(std::ceil(s.x1 + softness)) + 1);
    const int y1 = std::min(c.Height() - 1, static_cast<int>(std::ceil(s.y1 + softness)) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double d = s.distance(x + 0.5, y + 0.5);
            // A smooth fall-off from the edge outwards.
            const double t = std::clamp(0.5 - d / (2 * softness), 0.0, 1.0);
            const double cover = t * t * (3 - 2 * t);
            if (cover > 0)
                c.Blend(x, y, colour, cover);
        }
}

Shader VerticalShade(double y0, double y1, Color top, Color bottom) {
    return [=](int, int y) {
        return Mix(top, bottom, y1 > y0 ? std::clamp((y + 0.5 - y0) / (y1 - y0), 0.0, 1.0) : 0.0);
    };
}

} // namespace skingen
