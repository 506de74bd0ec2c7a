// Anti-aliased shapes as signed distance functions (negative inside, in pixels), so
// any shape can be filled with smooth edges in one pass and combined with others.
#pragma once
#include "canvas.h"

#include <functional>
#include <vector>

namespace skingen {

struct Shape {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0; // bounds that hold every inside point
    std::function<double(double, double)> distance;
    // Coverage of the pixel whose centre is (px, py): 0 outside, 1 inside.
    double Coverage(double px, double py) const;
};

Shape Circle(double cx, double cy, double r);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape RoundRect(double x, double y, double w, double h, double radius);
Shape Polygon(std::vector<Point> points);
// Lines of the given width through the points, with round ends and joins; a single
// point gives a dot.
Shape Strokes(std::vector<std::vector<Point>> lines, double width);
Shape Line(std::vector<Point> points, double width);
// An arc of a circle from angle a0 to a1 (degrees, clockwise on screen from +x).
std::vector<Point> ArcPoints(double cx, double cy, double rx, double ry, double a0, double a1);

Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
// A band of the given width centred on the shape's edge.
Shape Outline(Shape s, double width);
// The shape grown (d > 0) or shrunk (d < 0) by d pixels.
Shape Grow(Shape s, double d);
Shape Moved(Shape s, double dx, double dy);

using Shader = std::function<Color(int x, int y)>;

void Fill(Canvas& c, const Shape& s, Color colour);
void Fill(Canvas& c, const Shape& s, const Shader& shader);
// A soft shadow: the shape blurred by `softness` pixels, at the colour's alpha.
void Shadow(Canvas& c, const Shape& s, double softness, Color colour);

// A vertical gradient shader from `top` at y0 to `bottom` at y1.
Shader VerticalShade(double y0, double y1, Color top, Color bottom);

} // namespace skingen
