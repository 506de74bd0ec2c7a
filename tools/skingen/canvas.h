// A small RGBA raster for drawing placeholder art. Pixel (x, y) covers the square
// [x, x+1) x [y, y+1); shape tests sample pixel centres so edges are hard and exact,
// which keeps colour-keyed (black) surroundings clean.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace skingen {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

constexpr Color Rgb(int r, int g, int b, int a = 255) {
    return Color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                 static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(a)};
}

// t = 0 gives a, t = 1 gives b (alpha blended too).
Color Mix(Color a, Color b, double t);
// Moves each channel towards white (amount > 0) or black (amount < 0), keeps alpha.
Color Shade(Color c, double amount);

struct Point {
    double x, y;
};

class Canvas {
  public:
    Canvas(int width, int height, Color fill = Rgb(0, 0, 0));

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Color At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Color c) {
        if (Contains(x, y))
            pixels_[Index(x, y)] = c;
    }
    // Source-over with the colour's own alpha scaled by coverage (0..1).
    void Blend(int x, int y, Color c, double coverage = 1.0);

    void Fill(Color c);
    void FillRect(int x, int y, int w, int h, Color c);
    // A frame of the given thickness drawn inside the rectangle.
    void FrameRect(int x, int y, int w, int h, int thickness, Color c);
    void VerticalGradient(int x, int y, int w, int h, Color top, Color bottom);
    void FillCircle(double cx, double cy, double r, Color c);
    void FillEllipse(double cx, double cy, double rx, double ry, Color c);
    void FillRoundRect(int x, int y, int w, int h, double radius, Color c);
    // Even-odd fill of a closed polygon.
    void FillPolygon(const std::vector<Point>& points, Color c);
    void DrawLine(double x0, double y0, double x1, double y1, double thickness, Color c);
    // Calls shade(x, y) for every pixel whose centre satisfies inside(x + 0.5, y + 0.5).
    void FillWhere(const std::function<bool(double, double)>& inside,
                   const std::function<Color(int, int)>& shade);

    void Paste(const Canvas& src, int x, int y);
    // Averages factor x factor blocks with premultiplied alpha (for smooth small art
    // drawn large).
    Canvas Downsample(int factor) const;

    const std::vector<Color>& Pixels() const { return pixels_; }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int width_, height_;
    std::vector<Color> pixels_;
};

// Rounded-rectangle membership for a point, as used by the button and screen shapes.
bool InRoundRect(double px, double py, double x, double y, double w, double h, double radius);

} // namespace skingen
