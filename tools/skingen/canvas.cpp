#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

std::uint8_t ClampByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

Color Mix(Color a, Color b, double t) {
    auto lerp = [t](std::uint8_t p, std::uint8_t q) { return ClampByte(p + (q - p) * t); };
    return Color{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

Color Shade(Color c, double amount) {
    Color target = amount >= 0 ? Rgb(255, 255, 255, c.a) : Rgb(0, 0, 0, c.a);
    return Mix(c, target, std::fabs(amount));
}

bool InRoundRect(double px, double py, double x, double y, double w, double h, double radius) {
    if (px < x || py < y || px >= x + w || py >= y + h)
        return false;
    const double r = std::min({radius, w / 2, h / 2});
    const double cx = std::clamp(px, x + r, x + w - r);
    const double cy = std::clamp(py, y + r, y + h - r);
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= r * r;
}

Canvas::Canvas(int width, int height, Color fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Canvas::Blend(int x, int y, Color c, double coverage) {
    if (!Contains(x, y))
        return;
    Color& d = pixels_[Index(x, y)];
    const double sa = c.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
    const double da = d.a / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0) {
        d = Rgb(0, 0, 0, 0);
        return;
    }
    auto channel = [&](std::uint8_t s, std::uint8_t t) {
        return ClampByte((s * sa + t * da * (1 - sa)) / oa);
    };
    d = Color{channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), ClampByte(oa * 255)};
}

void Canvas::Fill(Color c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::FillRect(int x, int y, int w, int h, Color c) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i)
            Blend(i, j, c);
}

void Canvas::FrameRect(int x, int y, int w, int h, int thickness, Color c) {
    FillRect(x, y, w, thickness, c);
    FillRect(x, y + h - thickness, w, thickness, c);
    FillRect(x, y + thickness, thickness, h - 2 * thickness, c);
    FillRect(x + w - thickness, y + thickness, thickness, h - 2 * thickness, c);
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Color top, Color bottom) {
    for (int j = 0; j < h; ++j)
        FillRect(x, y + j, w, 1, Mix(top, bottom, h > 1 ? j / double(h - 1) : 0.0));
}

void Canvas::FillWhere(const std::function<bool(double, double)>& inside,
                       const std::function<Color(int, int)>& shade) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (inside(x + 0.5, y + 0.5))
                Blend(x, y, shade(x, y));
}

void Canvas::FillCircle(double cx, double cy, double r, Color c) {
    FillEllipse(cx, cy, r, r, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Color c) {
    const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                Blend(x, y, c);
        }
}

void Canvas::FillRoundRect(int x, int y, int w, int h, double radius, Color c) {
    for (int j = std::max(y, 0); j < std::min(y + h, height_); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, width_); ++i)
            if (InRoundRect(i + 0.5, j + 0.5, x, y, w, h, radius))
                Blend(i, j, c);
}

void Canvas::FillPolygon(const std::vector<Point>& points, Color c) {
    if (points.size() < 3)
        return;
    std::vector<double> crossings;
    for (int y = 0; y < height_; ++y) {
        const double py = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            if ((a.y <= py && b.y > py) || (b.y <= py && a.y > py))
                crossings.push_back(a.x + (py - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            // Pixels whose centres lie between the two crossings.
            const int from = static_cast<int>(std::ceil(crossings[k] - 0.5));
            const int to = static_cast<int>(std::floor(crossings[k + 1] - 0.5));
            for (int x = std::max(from, 0); x <= std::min(to, width_ - 1); ++x)
                Blend(x, y, c);
        }
    }
}

void Canvas::DrawLine(double x0, double y0, double x1, double y1, double thickness, Color c) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length = std::hypot(dx, dy);
    if (length == 0) {
        FillCircle(x0, y0, thickness / 2, c);
        return;
    }
    const double nx = -dy / length * thickness / 2, ny = dx / length * thickness / 2;
    FillPolygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}},
                c);
}

void Canvas::Paste(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.height_; ++j)
        for (int i = 0; i < src.width_; ++i)
            Set(x + i, y + j, src.At(i, j));
}

Canvas Canvas::Downsample(int factor) const {
    Canvas out(width_ / factor, height_ / factor, Rgb(0, 0, 0, 0));
    const double n = factor * factor;
    for (int y = 0; y < out.height_; ++y)
        for (int x = 0; x < out.width_; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    const Color p = At(x * factor + i, y * factor + j);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            if (a > 0)
                out.Set(
                    x, y,
                    Color{ClampByte(r / a), ClampByte(g / a), ClampByte(b / a), ClampByte(a / n)});
        }
    return out;
}

} // namespace skingen
