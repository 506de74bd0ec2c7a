// Stickers for the ornament screens: cheerful cut-outs with a white die-cut edge and a
// faint shadow, on square canvases so the 64 x 64 thumbnails keep their proportions.
#include "decorations.h"

#include "art.h"

#include "font.h"
#include "look.h"
#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skingen {

namespace {

constexpr Color White = Rgb(255, 255, 255);
constexpr double Pi = std::numbers::pi;

// Colours of the stickers: the skin's, a little louder.
constexpr Color Gold = Rgb(255, 200, 52);
constexpr Color GoldEdge = Rgb(214, 140, 24);
constexpr Color Pink = Rgb(255, 112, 168);
constexpr Color PinkEdge = Rgb(208, 48, 116);
constexpr Color HeartRed = Rgb(240, 56, 86);
constexpr Color HeartEdge = Rgb(180, 24, 60);
constexpr Color Blue = Rgb(64, 156, 246);
constexpr Color BlueEdge = Rgb(30, 98, 200);
constexpr Color Purple = Rgb(150, 92, 232);
constexpr Color PurpleEdge = Rgb(104, 52, 184);
constexpr Color Mint = Rgb(70, 204, 160);
constexpr Color Orange = Rgb(255, 146, 40);
constexpr Color Brown = Rgb(176, 104, 58);
constexpr Color BrownEdge = Rgb(134, 72, 36);
// Eyes and mouths: dark, but far enough from grey that the keyed blend keeps them solid.
constexpr Color FaceInk = Rgb(132, 52, 30);

// One sticker on a square canvas, in coordinates of the unit square.
class Kit {
  public:
    explicit Kit(int size)
        : S(size), edge(std::max(3.0, size * 0.032)), soft(std::max(2.5, size * 0.022)),
          margin(edge + soft + 4), c(size, size, Rgb(0, 0, 0, 0)) {}

    // The unit square lies inside a margin that holds the cut edge and its shadow.
    double X(double u) const { return margin + u * (S - 2 * margin); }
    double Y(double v) const { return margin + v * (S - 2 * margin); }
    Point P(double u, double v) const { return {X(u), Y(v)}; }
    double L(double u) const { return u * (S - 2 * margin); }
    std::vector<Point> Ps(std::initializer_list<std::pair<double, double>> uv) const {
        std::vector<Point> out;
        for (auto [u, v] : uv)
            out.push_back(P(u, v));
        return out;
    }
    Shape Circ(double u, double v, double r) const { return Circle(X(u), Y(v), L(r)); }
    Shape Ell(double u, double v, double ru, double rv) const {
        return Ellipse(X(u), Y(v), L(ru), L(rv));
    }
    Shape Box(double u, double v, double w, double h, double r) const {
        return RoundRect(X(u), Y(v), L(w), L(h), L(r));
    }
    Shape Poly(std::initializer_list<std::pair<double, double>> uv, double round = 0) const {
        return round > 0 ? Grow(Polygon(Ps(uv)), L(round)) : Polygon(Ps(uv));
    }
    Shape Stroke(std::initializer_list<std::pair<double, double>> uv, double width) const {
        return Line(Ps(uv), L(width));
    }

    // The white die-cut edge around everything the sticker shows, with a soft shadow.
    void Cut(const Shape& silhouette) {
        const Shape outer = Grow(silhouette, edge);
        Shadow(c, Moved(outer, 1.5, 2.5), soft, Rgb(90, 80, 96, 150));
        Fill(c, outer, White);
    }
    // A filled part with a darker edge line.
    void Part(const Shape& s, Color fill, Color edge, double width = 0.022) {
        Fill(c, s, fill);
        Fill(c, Intersect(Outline(s, L(width) * 2), Grow(s, 0)), edge);
    }
    void Part(const Shape& s, const Shader& fill, Color edge, double width = 0.022) {
        Fill(c, s, fill);
        Fill(c, Intersect(Outline(s, L(width) * 2), Grow(s, 0)), edge);
    }
    // A soft shine on a part, kept inside it.
    void Gloss(const Shape& part, double u, double v, double ru, double rv, int alpha = 120) {
        Fill(c, Intersect(part, Ell(u, v, ru, rv)), Rgb(255, 255, 255, alpha));
    }
    Shader Down(double v0, double v1, Color top, Color bottom) const {
        return VerticalShade(Y(v0), Y(v1), top, bottom);
    }
    void Text(double u, double v, std::string_view text, double cap, Color colour) {
        DrawTextCentered(c, X(u), Y(v), text, Style(L(cap), Bold, colour));
    }

    int S;
    double edge, soft, margin;
    Canvas c;
};

std::vector<Point> StarPoints(double cx, double cy, double r, double inner, int points,
                              double turn) {
    std::vector<Point> pts;
    for (int i = 0; i < points * 2; ++i) {
        const double a = -Pi / 2 + turn + i * Pi / points;
        const double rr = i % 2 == 0 ? r : r * inner;
        pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    return pts;
}

// A five-pointed star with softened points.
Shape Star(const Kit& k, double u, double v, double r, double turn = 0) {
    const double round = r * 0.12;
    return Grow(Polygon(StarPoints(k.X(u), k.Y(v), k.L(r - round), 0.48, 5, turn)), k.L(round));
}

// The classic curve, width about 2r, from the top of its lobes to its point.
Shape Heart(const Kit& k, double u, double v, double r, double tilt = 0) {
    std::vector<Point> pts;
    const double cx = k.X(u), cy = k.Y(v), s = k.L(r) / 16.0;
    const double ca = std::cos(tilt), sa = std::sin(tilt);
    for (int i = 0; i < 72; ++i) {
        const double t = 2 * Pi * i / 72;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t)) - 1.5;
        pts.push_back({cx + s * (x * ca - y * sa), cy + s * (x * sa + y * ca)});
    }
    return Polygon(std::move(pts));
}

void GlossyHeart(Kit& k, const Shape& h, double u, double v, double r, Color fill, Color edge) {
    k.Part(h, k.Down(v - r, v + r, Shade(fill, 0.25), fill), edge);
    k.Gloss(h, u - r * 0.42, v - r * 0.42, r * 0.22, r * 0.14, 150);
}

void SmileFace(Kit& k, double u, double v, double r) {
    k.Part(k.Ell(u - r * 0.36, v - r * 0.1, r * 0.11, r * 0.15), FaceInk, FaceInk, 0);
    k.Part(k.Ell(u + r * 0.36, v - r * 0.1, r * 0.11, r * 0.15), FaceInk, FaceInk, 0);
    Fill(k.c, k.Circ(u - r * 0.33, v - r * 0.15, r * 0.04), White);
    Fill(k.c, k.Circ(u + r * 0.39, v - r * 0.15, r * 0.04), White);
    Fill(k.c,
         Line(ArcPoints(k.X(u), k.Y(v + r * 0.12), k.L(r * 0.3), k.L(r * 0.22), 20, 160),
              k.L(r * 0.08)),
         FaceInk);
    Fill(k.c, k.Ell(u - r * 0.62, v + r * 0.2, r * 0.14, r * 0.09), Rgb(255, 120, 140, 170));
    Fill(k.c, k.Ell(u + r * 0.62, v + r * 0.2, r * 0.14, r * 0.09), Rgb(255, 120, 140, 170));
}

// --- the stickers

Canvas PartyHat() {
    Kit k(140);
    const Shape cone = k.Poly({{0.5, 0.17}, {0.76, 0.84}, {0.24, 0.84}}, 0.03);
    const Shape pompom = k.Circ(0.5, 0.15, 0.085);
    const Shape brim = k.Box(0.18, 0.8, 0.64, 0.11, 0.055);
    k.Cut(Union(Union(cone, pompom), brim));
    k.Part(cone, k.Down(0.15, 0.85, Rgb(255, 130, 190), Rgb(236, 70, 140)), PinkEdge);
    for (int i = 0; i < 4; ++i) {
        const double v = 0.34 + i * 0.14;
        Fill(k.c,
             Intersect(cone, k.Poly({{0.2, v}, {0.8, v - 0.1}, {0.8, v - 0.04}, {0.2, v + 0.06}})),
             Gold);
    }
    for (int i = 0; i < 5; ++i)
        Fill(k.c, k.Circ(0.4 + 0.05 * (i % 3), 0.3 + 0.12 * i, 0.014), Rgb(130, 220, 255));
    k.Gloss(cone, 0.4, 0.5, 0.04, 0.2, 90);
    k.Part(brim, k.Down(0.8, 0.91, Rgb(120, 220, 255), Blue), BlueEdge);
    for (int i = 0; i < 6; ++i)
        Fill(k.c, k.Circ(0.25 + i * 0.1, 0.855, 0.018), White);
    k.Part(pompom, k.Down(0.07, 0.23, Rgb(255, 236, 120), Gold), GoldEdge);
    k.Gloss(pompom, 0.47, 0.12, 0.03, 0.02, 170);
    return k.c;
}

Canvas Crown() {
    Kit k(160);
    const Shape body = k.Poly(
        {{0.14, 0.72}, {0.1, 0.3}, {0.3, 0.5}, {0.5, 0.24}, {0.7, 0.5}, {0.9, 0.3}, {0.86, 0.72}},
        0.025);
    const Shape band = k.Box(0.13, 0.66, 0.74, 0.14, 0.035);
    const Shape balls =
        Union(Union(k.Circ(0.1, 0.27, 0.045), k.Circ(0.5, 0.2, 0.05)), k.Circ(0.9, 0.27, 0.045));
    k.Cut(Union(Union(body, band), balls));
    k.Part(body, k.Down(0.2, 0.75, Rgb(255, 232, 120), Rgb(250, 180, 40)), GoldEdge);
    k.Gloss(body, 0.3, 0.56, 0.12, 0.04, 100);
    k.Part(band, k.Down(0.66, 0.8, Rgb(255, 214, 90), Rgb(236, 160, 30)), GoldEdge);
    k.Part(balls, Rgb(255, 230, 120), GoldEdge);
    const Color gems[] = {Rgb(240, 60, 100), Rgb(60, 170, 250), Rgb(80, 210, 140)};
    for (int i = 0; i < 3; ++i) {
        const double u = 0.3 + i * 0.2;
        const Shape gem = i == 1
                              ? k.Poly({{u, 0.67}, {u + 0.05, 0.73}, {u, 0.79}, {u - 0.05, 0.73}})
                              : k.Circ(u, 0.73, 0.042);
        k.Part(gem, gems[i], Shade(gems[i], -0.3), 0.012);
        Fill(k.c, k.Circ(u - 0.012, 0.715, 0.012), Rgb(255, 255, 255, 200));
    }
    k.Part(k.Circ(0.5, 0.48, 0.05), gems[0], Shade(gems[0], -0.3), 0.012);
    Fill(k.c, k.Circ(0.488, 0.466, 0.014), Rgb(255, 255, 255, 200));
    return k.c;
}

Canvas TopHat() {
    Kit k(150);
    const Shape crown = k.Poly({{0.27, 0.16}, {0.73, 0.16}, {0.7, 0.7}, {0.3, 0.7}}, 0.03);
    const Shape brim = k.Ell(0.5, 0.72, 0.4, 0.09);
    k.Cut(Union(crown, brim));
    const Color hat = Rgb(134, 84, 220), hatEdge = Rgb(92, 50, 170);
    k.Part(brim, k.Down(0.63, 0.81, Rgb(160, 112, 240), hat), hatEdge);
    k.Part(crown, k.Down(0.13, 0.7, Rgb(164, 116, 244), hat), hatEdge);
    Fill(k.c, Intersect(crown, k.Box(0.2, 0.52, 0.6, 0.12, 0)), HeartRed);
    Fill(k.c, Intersect(crown, Outline(k.Box(0.2, 0.52, 0.6, 0.12, 0), k.L(0.012))), HeartEdge);
    k.Part(Star(k, 0.62, 0.58, 0.07, 0.2), Gold, GoldEdge, 0.01);
    k.Gloss(crown, 0.36, 0.32, 0.035, 0.14, 80);
    return k.c;
}

Canvas SunHat() {
    Kit k(190);
    const Shape brim = k.Ell(0.5, 0.62, 0.46, 0.17);
    const Shape dome = Union(k.Ell(0.5, 0.5, 0.22, 0.2), k.Box(0.28, 0.5, 0.44, 0.1, 0));
    k.Cut(Union(brim, dome));
    const Color straw = Rgb(250, 208, 120), strawEdge = Rgb(200, 140, 60);
    k.Part(brim, k.Down(0.45, 0.79, Rgb(255, 226, 150), straw), strawEdge);
    for (int i = 1; i < 4; ++i)
        Fill(k.c,
             Intersect(brim,
                       Outline(k.Ell(0.5, 0.62, 0.46 - i * 0.09, 0.17 - i * 0.033), k.L(0.006))),
             Rgb(220, 168, 84, 160));
    k.Part(dome, k.Down(0.3, 0.6, Rgb(255, 228, 150), straw), strawEdge);
    const Shape ribbon = Intersect(dome, k.Box(0.2, 0.5, 0.6, 0.09, 0));
    Fill(k.c, ribbon, Pink);
    Fill(k.c, Intersect(ribbon, Outline(ribbon, k.L(0.01))), PinkEdge);
    // A daisy on the band.
    for (int i = 0; i < 6; ++i) {
        const double a = i * Pi / 3;
        k.Part(k.Ell(0.68 + 0.05 * std::cos(a), 0.54 + 0.05 * std::sin(a), 0.035, 0.035), White,
               Rgb(230, 150, 180), 0.008);
    }
    k.Part(k.Circ(0.68, 0.54, 0.032), Gold, GoldEdge, 0.008);
    k.Gloss(dome, 0.42, 0.38, 0.08, 0.04, 100);
    return k.c;
}

Canvas Sunglasses() {
    Kit k(180);
    const Shape left =
        k.Poly({{0.08, 0.4}, {0.46, 0.4}, {0.43, 0.58}, {0.3, 0.63}, {0.14, 0.6}}, 0.035);
    const Shape right =
        k.Poly({{0.54, 0.4}, {0.92, 0.4}, {0.86, 0.6}, {0.7, 0.63}, {0.57, 0.58}}, 0.035);
    const Shape bridge = k.Stroke({{0.44, 0.42}, {0.5, 0.4}, {0.56, 0.42}}, 0.04);
    k.Cut(Union(Union(left, right), bridge));
    const Shader lens = k.Down(0.36, 0.67, Rgb(255, 96, 170), Rgb(255, 170, 60));
    for (const Shape* s : {&left, &right}) {
        k.Part(*s, lens, Rgb(200, 30, 110), 0.03);
    }
    Fill(k.c, bridge, Rgb(200, 30, 110));
    k.Gloss(left, 0.2, 0.45, 0.08, 0.025, 150);
    k.Gloss(right, 0.66, 0.45, 0.08, 0.025, 150);
    Fill(k.c, Intersect(left, k.Poly({{0.3, 0.4}, {0.36, 0.4}, {0.26, 0.62}, {0.2, 0.62}})),
         Rgb(255, 255, 255, 70));
    Fill(k.c, Intersect(right, k.Poly({{0.76, 0.4}, {0.82, 0.4}, {0.72, 0.62}, {0.66, 0.62}})),
         Rgb(255, 255, 255, 70));
    return k.c;
}

Canvas HeartGlasses() {
    Kit k(180);
    const Shape left = Heart(k, 0.28, 0.5, 0.2, -0.08);
    const Shape right = Heart(k, 0.72, 0.5, 0.2, 0.08);
    const Shape bridge = k.Stroke({{0.44, 0.44}, {0.5, 0.41}, {0.56, 0.44}}, 0.035);
    k.Cut(Union(Union(left, right), bridge));
    GlossyHeart(k, left, 0.28, 0.5, 0.2, HeartRed, HeartEdge);
    GlossyHeart(k, right, 0.72, 0.5, 0.2, HeartRed, HeartEdge);
    Fill(k.c, bridge, HeartEdge);
    return k.c;
}

Canvas RoundGlasses() {
    Kit k(170);
    const Shape left = Minus(k.Circ(0.29, 0.5, 0.19), k.Circ(0.29, 0.5, 0.15));
    const Shape right = Minus(k.Circ(0.71, 0.5, 0.19), k.Circ(0.71, 0.5, 0.15));
    const Shape bridge =
        Line(ArcPoints(k.X(0.5), k.Y(0.5), k.L(0.09), k.L(0.06), 200, 340), k.L(0.04));
    k.Cut(Union(Union(left, right), bridge));
    const Shader tortoise = k.Down(0.3, 0.7, Rgb(255, 170, 60), Rgb(226, 110, 40));
    k.Part(left, tortoise, Rgb(170, 70, 20), 0.01);
    k.Part(right, tortoise, Rgb(170, 70, 20), 0.01);
    Fill(k.c, bridge, Rgb(226, 110, 40));
    // Glints across the clear lenses.
    Fill(k.c, Line(ArcPoints(k.X(0.29), k.Y(0.5), k.L(0.11), k.L(0.11), 200, 250), k.L(0.025)),
         Rgb(255, 255, 255, 230));
    Fill(k.c, Line(ArcPoints(k.X(0.71), k.Y(0.5), k.L(0.11), k.L(0.11), 200, 250), k.L(0.025)),
         Rgb(255, 255, 255, 230));
    return k.c;
}

// A closed Catmull-Rom curve through the points: smooth outlines from a few knots.
std::vector<Point> SmoothLoop(const std::vector<Point>& knots, int steps) {
    std::vector<Point> out;
    const std::size_t n = knots.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point p0 = knots[(i + n - 1) % n], p1 = knots[i], p2 = knots[(i + 1) % n],
                    p3 = knots[(i + 2) % n];
        for (int s = 0; s < steps; ++s) {
            const double t = s / static_cast<double>(steps), t2 = t * t, t3 = t2 * t;
            const auto at = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                              (3 * b - a - 3 * c + d) * t3);
            };
            out.push_back({at(p0.x, p1.x, p2.x, p3.x), at(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    return out;
}

Canvas Moustache() {
    Kit k(160);
    // The left half from the middle of the top edge round to the middle of the bottom,
    // mirrored for the right: a full body sweeping out into curled-up tips.
    const std::pair<double, double> half[] = {
        {0.5, 0.47},  {0.4, 0.41},  {0.28, 0.44}, {0.19, 0.5},  {0.12, 0.49}, {0.085, 0.42},
        {0.11, 0.36}, {0.14, 0.42}, {0.2, 0.58},  {0.32, 0.62}, {0.44, 0.58}};
    std::vector<Point> knots;
    for (auto [u, v] : half)
        knots.push_back(k.P(u, v));
    for (int i = static_cast<int>(std::size(half)) - 1; i >= 0; --i)
        knots.push_back(k.P(1 - half[i].first, half[i].second));
    const Shape body = Polygon(SmoothLoop(knots, 8));
    k.Cut(body);
    k.Part(body, k.Down(0.38, 0.64, Rgb(206, 134, 78), Brown), BrownEdge, 0.016);
    for (int i = 0; i < 6; ++i) {
        const double u = 0.27 + i * 0.038;
        for (double side : {0.0, 1.0}) {
            const double x = side == 0 ? u : 1 - u, dx = side == 0 ? -0.035 : 0.035;
            Fill(k.c, Intersect(body, k.Stroke({{x, 0.49}, {x + dx, 0.59}}, 0.011)),
                 Rgb(150, 84, 42, 190));
        }
    }
    k.Gloss(body, 0.33, 0.47, 0.08, 0.018, 100);
    k.Gloss(body, 0.67, 0.47, 0.08, 0.018, 100);
    return k.c;
}

Canvas Lips() {
    Kit k(130);
    std::vector<Point> top, bottom;
    for (int i = 0; i <= 40; ++i) {
        const double t = i / 40.0, u = 0.12 + 0.76 * t;
        const double bump = std::pow(std::sin(Pi * t), 0.8);
        const double dip = std::exp(-std::pow((t - 0.5) / 0.08, 2));
        top.push_back(k.P(u, 0.5 - 0.17 * bump + 0.07 * dip));
        bottom.push_back(k.P(0.88 - 0.76 * t, 0.5 + 0.2 * std::pow(std::sin(Pi * (1 - t)), 0.9)));
    }
    std::vector<Point> outline = top;
    outline.insert(outline.end(), bottom.begin(), bottom.end());
    const Shape lips = Grow(Polygon(outline), k.L(0.015));
    k.Cut(lips);
    k.Part(lips, k.Down(0.3, 0.72, Rgb(255, 90, 120), Rgb(220, 30, 70)), HeartEdge, 0.02);
    std::vector<Point> seam;
    for (int i = 0; i <= 20; ++i) {
        const double t = i / 20.0;
        seam.push_back(k.P(0.16 + 0.68 * t, 0.51 + 0.02 * std::sin(Pi * 2 * t)));
    }
    Fill(k.c, Line(seam, k.L(0.02)), Rgb(170, 20, 56));
    k.Gloss(lips, 0.4, 0.61, 0.09, 0.03, 140);
    k.Gloss(lips, 0.62, 0.4, 0.06, 0.02, 120);
    return k.c;
}

Canvas BigHeart() {
    Kit k(130);
    const Shape h = Heart(k, 0.5, 0.52, 0.4);
    k.Cut(h);
    GlossyHeart(k, h, 0.5, 0.52, 0.4, HeartRed, HeartEdge);
    Fill(k.c, k.Circ(0.3, 0.28, 0.025), Rgb(255, 255, 255, 230));
    return k.c;
}

Canvas ThreeHearts() {
    Kit k(150);
    const Shape a = Heart(k, 0.38, 0.58, 0.3, -0.2);
    const Shape b = Heart(k, 0.74, 0.32, 0.18, 0.3);
    const Shape c = Heart(k, 0.78, 0.74, 0.12, 0.15);
    k.Cut(Union(Union(a, b), c));
    GlossyHeart(k, b, 0.74, 0.32, 0.18, Pink, PinkEdge);
    GlossyHeart(k, c, 0.78, 0.74, 0.12, Purple, PurpleEdge);
    GlossyHeart(k, a, 0.38, 0.58, 0.3, HeartRed, HeartEdge);
    return k.c;
}

Canvas HappyStar() {
    Kit k(130);
    const Shape s = Star(k, 0.5, 0.54, 0.44);
    k.Cut(s);
    k.Part(s, k.Down(0.1, 0.95, Rgb(255, 236, 120), Rgb(255, 180, 40)), GoldEdge);
    k.Gloss(s, 0.42, 0.36, 0.08, 0.05, 130);
    SmileFace(k, 0.5, 0.6, 0.2);
    return k.c;
}

Canvas ShootingStar() {
    Kit k(190);
    const Color trail[] = {Rgb(255, 96, 120), Rgb(255, 170, 60), Rgb(90, 200, 120),
                           Rgb(80, 160, 250)};
    Shape all = Star(k, 0.7, 0.34, 0.2, 0.25);
    std::vector<Shape> bands;
    for (int i = 0; i < 4; ++i) {
        const double off = (i - 1.5) * 0.045;
        bands.push_back(k.Stroke({{0.1, 0.84 + off * 0.6}, {0.62, 0.42 + off}}, 0.045));
        all = Union(all, bands.back());
    }
    k.Cut(all);
    for (int i = 0; i < 4; ++i)
        Fill(k.c, bands[i], trail[i]);
    const Shape star = Star(k, 0.7, 0.34, 0.2, 0.25);
    k.Part(star, k.Down(0.14, 0.54, Rgb(255, 240, 130), Rgb(255, 186, 40)), GoldEdge);
    k.Gloss(star, 0.66, 0.26, 0.05, 0.03, 140);
    return k.c;
}

Shape BubbleWithTail(const Kit& k, double u, double v, double w, double h,
                     std::initializer_list<std::pair<double, double>> tail) {
    return Union(k.Box(u, v, w, h, h * 0.45), k.Poly(tail, 0.01));
}

Canvas SpeechHi() {
    Kit k(150);
    const Shape b =
        BubbleWithTail(k, 0.08, 0.16, 0.84, 0.5, {{0.26, 0.6}, {0.44, 0.6}, {0.2, 0.86}});
    k.Cut(b);
    k.Part(b, White, look::TitleBottom, 0.025);
    k.Text(0.5, 0.41, "Hi!", 0.22, look::TitleBottom);
    return k.c;
}

Canvas SpeechWow() {
    Kit k(160);
    std::vector<Point> burst;
    for (int i = 0; i < 28; ++i) {
        const double a = i * Pi / 14;
        const double r = i % 2 == 0 ? 0.44 : 0.33;
        burst.push_back(k.P(0.5 + r * std::cos(a), 0.5 + r * 0.8 * std::sin(a)));
    }
    const Shape b = Grow(Polygon(burst), k.L(0.012));
    k.Cut(b);
    k.Part(b, k.Down(0.15, 0.85, Rgb(255, 240, 110), Rgb(255, 190, 40)), Rgb(236, 120, 20));
    k.Text(0.5, 0.5, "WOW!", 0.15, Rgb(228, 48, 60));
    return k.c;
}

Canvas SpeechCool() {
    Kit k(160);
    const Shape b =
        BubbleWithTail(k, 0.06, 0.2, 0.88, 0.46, {{0.62, 0.6}, {0.8, 0.6}, {0.86, 0.86}});
    k.Cut(b);
    k.Part(b, k.Down(0.2, 0.66, Rgb(120, 200, 255), Blue), BlueEdge, 0.022);
    k.Text(0.5, 0.43, "Cool!", 0.16, White);
    return k.c;
}

Canvas ThoughtLove() {
    Kit k(150);
    Shape cloud = k.Ell(0.5, 0.42, 0.36, 0.26);
    for (auto [u, v, r] : {std::tuple{0.24, 0.36, 0.15},
                           {0.42, 0.22, 0.16},
                           {0.62, 0.22, 0.15},
                           {0.78, 0.38, 0.14},
                           {0.66, 0.56, 0.14},
                           {0.38, 0.58, 0.14}})
        cloud = Union(cloud, k.Circ(u, v, r));
    const Shape dots = Union(k.Circ(0.22, 0.78, 0.05), k.Circ(0.12, 0.9, 0.032));
    k.Cut(Union(cloud, dots));
    k.Part(cloud, White, Purple, 0.02);
    k.Part(dots, White, Purple, 0.015);
    const Shape h = Heart(k, 0.5, 0.42, 0.17);
    GlossyHeart(k, h, 0.5, 0.42, 0.17, HeartRed, HeartEdge);
    return k.c;
}

Canvas Bow() {
    Kit k(150);
    const Shape leftLoop = k.Poly({{0.46, 0.46}, {0.12, 0.22}, {0.06, 0.42}, {0.12, 0.66}}, 0.05);
    const Shape rightLoop = k.Poly({{0.54, 0.46}, {0.88, 0.22}, {0.94, 0.42}, {0.88, 0.66}}, 0.05);
    const Shape tails = Union(k.Poly({{0.46, 0.5}, {0.3, 0.84}, {0.4, 0.8}, {0.44, 0.88}}, 0.02),
                              k.Poly({{0.54, 0.5}, {0.7, 0.84}, {0.6, 0.8}, {0.56, 0.88}}, 0.02));
    const Shape knot = k.Box(0.42, 0.36, 0.16, 0.2, 0.06);
    k.Cut(Union(Union(leftLoop, rightLoop), Union(tails, knot)));
    const Shader pink = k.Down(0.15, 0.9, Rgb(255, 150, 196), Rgb(244, 84, 150));
    k.Part(tails, pink, PinkEdge);
    for (const Shape* s : {&leftLoop, &rightLoop}) {
        k.Part(*s, pink, PinkEdge);
        for (int i = 0; i < 9; ++i) {
            const double u = (s == &leftLoop ? 0.14 : 0.62) + 0.08 * (i % 3) + 0.03 * (i / 3 % 2);
            const double v = 0.32 + 0.1 * (i / 3);
            Fill(k.c, Intersect(*s, k.Circ(u, v, 0.018)), Rgb(255, 255, 255, 220));
        }
    }
    k.Part(knot, Rgb(255, 120, 176), PinkEdge);
    k.Gloss(knot, 0.48, 0.41, 0.03, 0.02, 140);
    return k.c;
}

Canvas Flower() {
    Kit k(120);
    Shape petals = k.Circ(0.5, 0.5, 0.2);
    for (int i = 0; i < 8; ++i) {
        const double a = i * Pi / 4;
        petals = Union(petals, k.Circ(0.5 + 0.25 * std::cos(a), 0.5 + 0.25 * std::sin(a), 0.15));
    }
    k.Cut(petals);
    k.Part(petals, Rgb(255, 150, 190), PinkEdge, 0.018);
    for (int i = 0; i < 8; ++i) {
        const double a = i * Pi / 4;
        Fill(k.c, k.Circ(0.5 + 0.27 * std::cos(a), 0.5 + 0.27 * std::sin(a), 0.07),
             Rgb(255, 210, 226, 200));
    }
    const Shape middle = k.Circ(0.5, 0.5, 0.14);
    k.Part(middle, k.Down(0.36, 0.64, Rgb(255, 236, 120), Rgb(255, 176, 40)), GoldEdge, 0.015);
    SmileFace(k, 0.5, 0.5, 0.1);
    return k.c;
}

Canvas Rainbow() {
    Kit k(190);
    const Color bands[] = {Rgb(246, 76, 90),  Rgb(255, 150, 50), Rgb(255, 214, 70),
                           Rgb(90, 200, 110), Rgb(70, 160, 250), Rgb(150, 100, 230)};
    const double w = 0.045;
    const Shape arch = Minus(Intersect(k.Circ(0.5, 0.68, 0.4), k.Box(0, 0, 1, 0.68, 0)),
                             k.Circ(0.5, 0.68, 0.4 - 6 * w));
    Shape clouds = k.Ell(0.17, 0.68, 0.12, 0.08);
    for (double u : {0.83})
        clouds = Union(clouds, k.Ell(u, 0.68, 0.12, 0.08));
    for (auto [u, v, r] :
         {std::tuple{0.12, 0.64, 0.07}, {0.21, 0.61, 0.08}, {0.79, 0.61, 0.08}, {0.88, 0.64, 0.07}})
        clouds = Union(clouds, k.Circ(u, v, r));
    k.Cut(Union(arch, clouds));
    for (int i = 0; i < 6; ++i)
        Fill(k.c,
             Intersect(arch,
                       Minus(k.Circ(0.5, 0.68, 0.4 - i * w), k.Circ(0.5, 0.68, 0.4 - (i + 1) * w))),
             bands[i]);
    k.Part(clouds, White, Rgb(150, 190, 240), 0.015);
    return k.c;
}

Canvas CatEars() {
    Kit k(190);
    const Shape band =
        Line(ArcPoints(k.X(0.5), k.Y(0.95), k.L(0.42), k.L(0.5), 200, 340), k.L(0.05));
    const Shape left = k.Poly({{0.14, 0.62}, {0.2, 0.2}, {0.42, 0.48}}, 0.035);
    const Shape right = k.Poly({{0.86, 0.62}, {0.8, 0.2}, {0.58, 0.48}}, 0.035);
    k.Cut(Union(band, Union(left, right)));
    Fill(k.c, band, Purple);
    const Shader fur = k.Down(0.18, 0.6, Rgb(255, 190, 120), Orange);
    k.Part(left, fur, Rgb(206, 100, 20));
    k.Part(right, fur, Rgb(206, 100, 20));
    k.Part(k.Poly({{0.2, 0.53}, {0.22, 0.32}, {0.35, 0.48}}, 0.02), Rgb(255, 160, 190), Pink,
           0.008);
    k.Part(k.Poly({{0.8, 0.53}, {0.78, 0.32}, {0.65, 0.48}}, 0.02), Rgb(255, 160, 190), Pink,
           0.008);
    return k.c;
}

Canvas BunnyEars() {
    Kit k(170);
    const Shape band =
        Line(ArcPoints(k.X(0.5), k.Y(1.05), k.L(0.4), k.L(0.28), 205, 335), k.L(0.05));
    const Shape left = k.Ell(0.36, 0.42, 0.1, 0.3);
    const Shape right = k.Ell(0.64, 0.42, 0.1, 0.3);
    k.Cut(Union(band, Union(left, right)));
    Fill(k.c, band, Pink);
    for (auto [outer, u] : {std::pair{&left, 0.36}, {&right, 0.64}}) {
        k.Part(*outer, Rgb(250, 246, 252), Rgb(200, 170, 220), 0.015);
        k.Part(k.Ell(u, 0.44, 0.055, 0.22),
               k.Down(0.2, 0.66, Rgb(255, 190, 210), Rgb(255, 140, 180)), Rgb(236, 110, 160),
               0.006);
    }
    return k.c;
}

Canvas SunFace() {
    Kit k(140);
    std::vector<Point> rays;
    for (int i = 0; i < 24; ++i) {
        const double a = i * Pi / 12;
        const double r = i % 2 == 0 ? 0.46 : 0.33;
        rays.push_back(k.P(0.5 + r * std::cos(a), 0.5 + r * std::sin(a)));
    }
    const Shape rayShape = Grow(Polygon(rays), k.L(0.015));
    const Shape disc = k.Circ(0.5, 0.5, 0.27);
    k.Cut(Union(rayShape, disc));
    k.Part(rayShape, Orange, Rgb(220, 110, 20), 0.015);
    k.Part(disc, k.Down(0.23, 0.77, Rgb(255, 236, 110), Rgb(255, 190, 50)), GoldEdge, 0.015);
    k.Gloss(disc, 0.42, 0.36, 0.08, 0.05, 120);
    SmileFace(k, 0.5, 0.52, 0.17);
    return k.c;
}

Canvas Butterfly() {
    Kit k(150);
    const Shape upper = Union(k.Ell(0.3, 0.36, 0.2, 0.16), k.Ell(0.7, 0.36, 0.2, 0.16));
    const Shape lower = Union(k.Ell(0.34, 0.64, 0.14, 0.13), k.Ell(0.66, 0.64, 0.14, 0.13));
    const Shape body = k.Ell(0.5, 0.5, 0.04, 0.22);
    const Shape feelers = Union(k.Stroke({{0.49, 0.3}, {0.42, 0.14}}, 0.015),
                                k.Stroke({{0.51, 0.3}, {0.58, 0.14}}, 0.015));
    const Shape tips = Union(k.Circ(0.42, 0.14, 0.025), k.Circ(0.58, 0.14, 0.025));
    k.Cut(Union(Union(upper, lower), Union(body, Union(feelers, tips))));
    k.Part(upper, k.Down(0.2, 0.52, Rgb(130, 210, 255), Rgb(90, 130, 246)), BlueEdge);
    k.Part(lower, k.Down(0.5, 0.78, Rgb(200, 150, 255), Purple), PurpleEdge);
    for (auto [u, v, r] : {std::tuple{0.26, 0.34, 0.06},
                           {0.74, 0.34, 0.06},
                           {0.34, 0.66, 0.045},
                           {0.66, 0.66, 0.045}})
        Fill(k.c, k.Circ(u, v, r), Rgb(255, 230, 120, 235));
    Fill(k.c, feelers, PurpleEdge);
    Fill(k.c, tips, Pink);
    k.Part(body, Rgb(190, 110, 240), PurpleEdge, 0.01);
    return k.c;
}

Canvas Tiara() {
    Kit k(170);
    // A silver band along an arc with five points rising from it, the middle one tallest.
    const auto edge = [&](double t, double lift) {
        const double a = Pi * (1.15 + 0.7 * t);
        return k.P(0.5 + (0.36 + lift) * std::cos(a), 0.86 + (0.36 + lift) * std::sin(a));
    };
    std::vector<Point> pts;
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0;
        const double spike = std::pow(std::fabs(std::cos(Pi * 4 * t)), 8);
        const double tall = 0.1 + 0.08 * std::exp(-std::pow((t - 0.5) / 0.08, 2));
        pts.push_back(edge(t, spike * tall));
    }
    for (int i = 60; i >= 0; --i)
        pts.push_back(edge(i / 60.0, -0.07));
    const Shape body = Grow(Polygon(pts), k.L(0.012));
    Shape gems = k.Circ(0.5, 0.25, 0.045);
    for (double t : {0.0, 0.25, 0.75, 1.0}) {
        const Point p = edge(t, 0.1);
        gems = Union(gems, Circle(p.x, p.y, k.L(0.028)));
    }
    k.Cut(Union(body, gems));
    k.Part(body, k.Down(0.3, 0.8, Rgb(246, 248, 255), Rgb(196, 204, 240)), Rgb(140, 150, 216),
           0.015);
    for (int i = 0; i < 9; ++i) {
        const Point p = edge(0.06 + i * 0.11, -0.035);
        Fill(k.c, Circle(p.x, p.y, k.L(0.016)), i % 2 ? Rgb(160, 210, 255) : Rgb(255, 170, 210));
    }
    k.Part(k.Circ(0.5, 0.25, 0.045), Rgb(120, 210, 255), BlueEdge, 0.01);
    for (double t : {0.0, 0.25, 0.75, 1.0}) {
        const Point p = edge(t, 0.1);
        k.Part(Circle(p.x, p.y, k.L(0.028)), Pink, PinkEdge, 0.008);
        Fill(k.c, Circle(p.x - 1.5, p.y - 1.5, k.L(0.009)), Rgb(255, 255, 255, 220));
    }
    Fill(k.c, k.Circ(0.487, 0.236, 0.013), Rgb(255, 255, 255, 220));
    return k.c;
}

// --- the party subfolder

Canvas Balloons() {
    Kit k(180);
    const Color colours[] = {HeartRed, Blue, Gold};
    const double us[] = {0.32, 0.66, 0.5}, vs[] = {0.3, 0.28, 0.44};
    Shape all = k.Stroke({{0.5, 0.96}, {0.32, 0.5}}, 0.012);
    std::vector<Shape> balloons;
    for (int i = 0; i < 3; ++i) {
        balloons.push_back(
            Union(k.Ell(us[i], vs[i], 0.15, 0.18), k.Poly({{us[i], vs[i] + 0.16},
                                                           {us[i] + 0.03, vs[i] + 0.22},
                                                           {us[i] - 0.03, vs[i] + 0.22}})));
        all = Union(all,
                    Union(balloons.back(), k.Stroke({{0.5, 0.96}, {us[i], vs[i] + 0.2}}, 0.012)));
    }
    k.Cut(all);
    for (int i = 0; i < 3; ++i)
        Fill(k.c, k.Stroke({{0.5, 0.96}, {us[i], vs[i] + 0.2}}, 0.012), Rgb(170, 150, 200));
    for (int i = 0; i < 3; ++i) {
        k.Part(balloons[i], k.Down(vs[i] - 0.18, vs[i] + 0.22, Shade(colours[i], 0.3), colours[i]),
               Shade(colours[i], -0.3), 0.015);
        k.Gloss(balloons[i], us[i] - 0.06, vs[i] - 0.08, 0.03, 0.05, 170);
    }
    return k.c;
}

Canvas Gift() {
    Kit k(130);
    const Shape box = k.Box(0.16, 0.42, 0.68, 0.48, 0.04);
    const Shape lid = k.Box(0.1, 0.3, 0.8, 0.15, 0.04);
    const Shape bow = Union(k.Ell(0.38, 0.24, 0.13, 0.08), k.Ell(0.62, 0.24, 0.13, 0.08));
    k.Cut(Union(Union(box, lid), bow));
    const Shader body = k.Down(0.42, 0.9, Rgb(110, 220, 180), Mint);
    k.Part(box, body, Rgb(30, 150, 110));
    k.Part(lid, k.Down(0.3, 0.45, Rgb(140, 236, 200), Mint), Rgb(30, 150, 110));
    Fill(k.c, Intersect(Union(box, lid), k.Box(0.44, 0.2, 0.12, 0.8, 0)), Pink);
    k.Part(bow, Pink, PinkEdge, 0.018);
    k.Part(k.Circ(0.5, 0.26, 0.05), Rgb(255, 140, 190), PinkEdge, 0.012);
    for (auto [u, v] : {std::pair{0.26, 0.56}, {0.7, 0.66}, {0.3, 0.8}, {0.66, 0.5}})
        Fill(k.c, Star(k, u, v, 0.04), Rgb(255, 250, 200, 230));
    return k.c;
}

Canvas Cupcake() {
    Kit k(130);
    const Shape cup = k.Poly({{0.2, 0.56}, {0.8, 0.56}, {0.7, 0.92}, {0.3, 0.92}}, 0.02);
    Shape cream = k.Ell(0.5, 0.5, 0.34, 0.12);
    cream = Union(cream, Union(k.Ell(0.5, 0.38, 0.26, 0.11), k.Ell(0.5, 0.28, 0.15, 0.08)));
    const Shape cherry = k.Circ(0.5, 0.18, 0.06);
    const Shape candleWick = k.Box(0.6, 0.04, 0.04, 0.2, 0.01);
    k.Cut(Union(Union(cup, cream), Union(cherry, candleWick)));
    k.Part(cup, k.Down(0.56, 0.92, Rgb(130, 190, 255), Blue), BlueEdge);
    for (int i = 0; i < 5; ++i)
        Fill(k.c, Intersect(cup, k.Box(0.25 + i * 0.11, 0.56, 0.04, 0.4, 0)),
             Rgb(255, 255, 255, 140));
    k.Part(cream, k.Down(0.2, 0.62, Rgb(255, 214, 232), Rgb(255, 160, 200)), PinkEdge, 0.015);
    const Color sprinkles[] = {Gold, Blue, Mint, Purple};
    Prng rng(77);
    for (int i = 0; i < 12; ++i) {
        const double u = 0.26 + rng.Unit() * 0.48, v = 0.34 + rng.Unit() * 0.2;
        Fill(k.c, Intersect(cream, k.Stroke({{u, v}, {u + 0.03, v + 0.01}}, 0.018)),
             sprinkles[i % 4]);
    }
    Fill(k.c, candleWick, Rgb(140, 200, 255));
    Fill(k.c, k.Ell(0.62, 0.04, 0.025, 0.04), Orange);
    k.Part(cherry, HeartRed, HeartEdge, 0.012);
    Fill(k.c, k.Circ(0.48, 0.16, 0.015), Rgb(255, 255, 255, 220));
    return k.c;
}

Canvas PartyBanner() {
    Kit k(200);
    // Pennants hung left to right along a sagging string.
    const auto along = [&](double t) {
        const double a = (160 - 140 * t) * Pi / 180;
        return std::pair{0.5 + 0.48 * std::cos(a), 0.02 + 0.4 * std::sin(a)};
    };
    std::vector<Point> string;
    for (int i = 0; i <= 20; ++i) {
        const auto [u, v] = along(i / 20.0);
        string.push_back(k.P(u, v));
    }
    const Shape rope = Line(string, k.L(0.012));
    const Color flags[] = {HeartRed, Orange, Gold, Mint, Blue, Purple};
    Shape all = rope;
    std::vector<Shape> pennants;
    for (int i = 0; i < 6; ++i) {
        const auto [u, v] = along((i + 0.5) / 6);
        pennants.push_back(
            k.Poly({{u - 0.07, v - 0.01}, {u + 0.07, v - 0.01}, {u, v + 0.2}}, 0.012));
        all = Union(all, pennants.back());
    }
    k.Cut(all);
    Fill(k.c, rope, Rgb(170, 130, 200));
    const char* letters[] = {"P", "A", "R", "T", "Y", "!"};
    for (int i = 0; i < 6; ++i) {
        k.Part(pennants[i], flags[i], Shade(flags[i], -0.3), 0.012);
        const auto [u, v] = along((i + 0.5) / 6);
        k.Text(u, v + 0.065, letters[i], 0.07, White);
    }
    return k.c;
}

} // namespace

bool KeyedOpaque(Color c) {
    const int r = c.r, g = c.g, b = c.b;
    if (r + g + b == 0)
        return false;
    if (r >= 128 || g >= 128 || b >= 128)
        return true;
    return std::abs(r - g) >= 30 && std::abs(b - g) >= 30 && std::abs(b - r) >= 30;
}

Canvas OnBlack(const Canvas& art) {
    Canvas out(art.Width(), art.Height());
    for (int y = 0; y < art.Height(); ++y)
        for (int x = 0; x < art.Width(); ++x) {
            const Color p = art.At(x, y);
            const auto scaled = [&](std::uint8_t v) { return v * p.a / 255; };
            Color q = Rgb(scaled(p.r), scaled(p.g), scaled(p.b));
            // Where the edge lines of two parts in opposite colours meet, their average
            // can be a dull grey that the keyed blend would let the photo through; lift
            // such a pixel of the body just to the brightness that keeps it solid.
            if (p.a == 255 && !KeyedOpaque(q)) {
                const int top = std::max({q.r, q.g, q.b, std::uint8_t{1}});
                const auto lift = [top](std::uint8_t v) { return (v * 128 + top - 1) / top; };
                q = Rgb(lift(q.r), lift(q.g), lift(q.b));
            }
            out.Set(x, y, q);
        }
    return out;
}

std::vector<DecorationArt> StickerArt() {
    return {
        {"Ornament/01_Party_hat.png", PartyHat},
        {"Ornament/02_Crown.png", Crown},
        {"Ornament/03_Top_hat.png", TopHat},
        {"Ornament/04_Sun_hat.png", SunHat},
        {"Ornament/05_Sunglasses.png", Sunglasses},
        {"Ornament/06_Heart_glasses.png", HeartGlasses},
        {"Ornament/07_Round_glasses.png", RoundGlasses},
        {"Ornament/08_Moustache.png", Moustache},
        {"Ornament/09_Lips.png", Lips},
        {"Ornament/10_Heart.png", BigHeart},
        {"Ornament/11_Hearts.png", ThreeHearts},
        {"Ornament/12_Happy_star.png", HappyStar},
        {"Ornament/13_Shooting_star.png", ShootingStar},
        {"Ornament/14_Say_hi.png", SpeechHi},
        {"Ornament/15_Wow.png", SpeechWow},
        {"Ornament/16_Cool.png", SpeechCool},
        {"Ornament/17_Love.png", ThoughtLove},
        {"Ornament/18_Bow.png", Bow},
        {"Ornament/19_Flower.png", Flower},
        {"Ornament/20_Rainbow.png", Rainbow},
        {"Ornament/21_Cat_ears.png", CatEars},
        {"Ornament/22_Bunny_ears.png", BunnyEars},
        {"Ornament/23_Sunshine.png", SunFace},
        {"Ornament/24_Butterfly.png", Butterfly},
        {"Ornament/25_Tiara.png", Tiara},
        {"Ornament/Party/1_Balloons.png", Balloons},
        {"Ornament/Party/2_Gift.png", Gift},
        {"Ornament/Party/3_Cupcake.png", Cupcake},
        {"Ornament/Party/4_Banner.bmp", PartyBanner},
    };
}

} // namespace skingen
