#include "font.h"

#include "shapes.h"

#include <array>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace skingen {

namespace {

// Units: capitals from y 0 (top) to 10 (baseline), lower case from 3, descenders to
// 13. Commands, each glued to its numbers: "Mx,y" starts a line, "Lx,y" continues it,
// "Acx,cy,rx,ry,a0,a1" continues it along an arc (degrees, clockwise on screen from +x),
// "Ecx,cy,rx,ry" is a whole ellipse and "Dx,y" a dot.
struct GlyphDef {
    char c;
    double width;
    const char* path;
};

const GlyphDef Defs[] = {
    {' ', 2.2, ""},
    {'A', 7, "M0,10 L3.5,0 L7,10 M1.4,6.6 L5.6,6.6"},
    {'B', 6.2,
     "M0,10 L0,0 L3.2,0 A3.2,2.5,2.5,2.5,-90,90 L0,5 M3.2,5 L3.5,5 A3.5,7.5,2.7,2.5,-90,90 "
     "L0,10"},
    {'C', 6.8, "A3.9,5,3.9,5,-42,-318"},
    {'D', 7, "M0,0 L0,10 L2.6,10 A2.6,5,4.4,5,90,-90 L0,0"},
    {'E', 5.5, "M5.5,0 L0,0 L0,10 L5.5,10 M0,5 L4.6,5"},
    {'F', 5.3, "M5.3,0 L0,0 L0,10 M0,5 L4.5,5"},
    {'G', 7.8, "A3.9,5,3.9,5,-42,-360 L4.4,5"},
    {'H', 6.6, "M0,0 L0,10 M6.6,0 L6.6,10 M0,5 L6.6,5"},
    {'I', 0, "M0,0 L0,10"},
    {'J', 5, "M5,0 L5,7 A2.6,7,2.4,3,0,165"},
    {'K', 6.1, "M0,0 L0,10 M5.9,0 L0,6.4 M2.3,3.9 L6.1,10"},
    {'L', 5, "M0,0 L0,10 L5,10"},
    {'M', 8.2, "M0,10 L0,0 L4.1,7.5 L8.2,0 L8.2,10"},
    {'N', 6.6, "M0,10 L0,0 L6.6,10 L6.6,0"},
    {'O', 8, "E4,5,4,5"},
    {'P', 6, "M0,10 L0,0 L3.2,0 A3.2,2.8,2.8,2.8,-90,90 L0,5.6"},
    {'Q', 8, "E4,5,4,5 M4.8,7 L8,10.4"},
    {'R', 6.2, "M0,10 L0,0 L3.2,0 A3.2,2.8,2.8,2.8,-90,90 L0,5.6 M3,5.6 L6.2,10"},
    {'S', 6, "A3,2.5,2.8,2.5,-30,-270 A3,7.5,3,2.5,-90,150"},
    {'T', 7, "M0,0 L7,0 M3.5,0 L3.5,10"},
    {'U', 6.6, "M0,0 L0,6.7 A3.3,6.7,3.3,3.3,180,0 L6.6,0"},
    {'V', 7, "M0,0 L3.5,10 L7,0"},
    {'W', 10, "M0,0 L2.5,10 L5,1.5 L7.5,10 L10,0"},
    {'X', 6.6, "M0,0 L6.6,10 M6.6,0 L0,10"},
    {'Y', 7, "M0,0 L3.5,5.3 L7,0 M3.5,5.3 L3.5,10"},
    {'Z', 6.4, "M0,0 L6.4,0 L0,10 L6.4,10"},
    {'a', 5.6, "E2.8,6.5,2.8,3.5 M5.6,3 L5.6,10"},
    {'b', 5.6, "M0,0 L0,10 E2.8,6.5,2.8,3.5"},
    {'c', 5, "A2.9,6.5,2.9,3.5,-45,-315"},
    {'d', 5.6, "E2.8,6.5,2.8,3.5 M5.6,0 L5.6,10"},
    {'e', 5.6, "M0,6.5 L5.6,6.5 A2.8,6.5,2.8,3.5,0,-315"},
    {'f', 4.6, "A3.3,2.3,1.9,2,-45,-180 L1.4,10 M0,3.4 L3.9,3.4"},
    {'g', 5.6, "E2.8,6.5,2.8,3.5 M5.6,3 L5.6,10.6 A2.8,10.6,2.8,2.4,0,155"},
    {'h', 5.6, "M0,0 L0,10 M0,5.9 A2.8,5.9,2.8,2.9,180,360 L5.6,10"},
    {'i', 0, "M0,3 L0,10 D0,0.5"},
    {'j', 3, "M3,3 L3,11 A1.5,11,1.5,2,0,170 D3,0.5"},
    {'k', 5.2, "M0,0 L0,10 M4.9,3 L0,7.3 M1.9,5.7 L5.2,10"},
    {'l', 2.4, "M0,0 L0,8.4 A1.6,8.4,1.6,1.6,180,60"},
    {'m', 8.4,
     "M0,3 L0,10 M0,5.6 A2.1,5.6,2.1,2.6,180,360 L4.2,10 M4.2,5.6 A6.3,5.6,2.1,2.6,180,360 "
     "L8.4,10"},
    {'n', 5.6, "M0,3 L0,10 M0,5.9 A2.8,5.9,2.8,2.9,180,360 L5.6,10"},
    {'o', 6, "E3,6.5,3,3.5"},
    {'p', 5.6, "M0,3 L0,13.2 E2.8,6.5,2.8,3.5"},
    {'q', 5.6, "E2.8,6.5,2.8,3.5 M5.6,3 L5.6,13.2"},
    {'r', 4.3, "M0,3 L0,10 M0,6.4 A3.4,6.4,3.4,3.2,180,285"},
    {'s', 4.8, "A2.4,4.75,2.25,1.75,-30,-270 A2.4,8.25,2.4,1.75,-90,150"},
    {'t', 3.9, "M1.3,0.8 L1.3,8.3 A3,8.3,1.7,1.7,180,60 M0,3.4 L3.9,3.4"},
    {'u', 5.6, "M0,3 L0,7.1 A2.8,7.1,2.8,2.9,180,0 M5.6,3 L5.6,10"},
    {'v', 5.6, "M0,3 L2.8,10 L5.6,3"},
    {'w', 8.4, "M0,3 L2.1,10 L4.2,4 L6.3,10 L8.4,3"},
    {'x', 5.2, "M0,3 L5.2,10 M5.2,3 L0,10"},
    {'y', 5.6, "M0,3 L2.9,9.9 M5.6,3 L2.4,11.7 L1.8,12.8 L0.6,13.2"},
    {'z', 5.2, "M0,3 L5.2,3 L0,10 L5.2,10"},
    {'0', 6, "E3,5,3,5"},
    {'1', 3, "M0,2.1 L2.4,0 L2.4,10"},
    {'2', 6, "A3,3,2.9,3,-165,25 L0,10 L6,10"},
    {'3', 5.9, "A2.9,2.5,2.6,2.5,-155,90 A2.9,7.5,3,2.5,-90,155 M1.9,5 L2.9,5"},
    {'4', 6.3, "M4.6,10 L4.6,0 L0,7 L6.3,7"},
    {'5', 5.9, "M5.6,0 L1,0 L0.6,4.6 A2.9,6.9,3,3.1,-130,150"},
    {'6', 6, "M4.6,0 L0.4,5.5 E3,7,3,3"},
    {'7', 6, "M0,0 L6,0 L2,10"},
    {'8', 6, "E3,2.5,2.5,2.5 E3,7.5,3,2.5"},
    {'9', 6, "E3,3,3,3 M5.6,4.5 L1.6,10"},
    {'.', 0, "D0,9.5"},
    {',', 0.6, "M0.6,9.4 L0,11.4"},
    {'!', 0, "M0,0 L0,6.8 D0,9.5"},
    {'?', 5.4, "A2.7,2.7,2.7,2.7,-165,80 L2.7,7 D2.7,9.5"},
    {'-', 3.6, "M0,6 L3.6,6"},
    {'+', 5, "M0,5.5 L5,5.5 M2.5,3 L2.5,8"},
    {':', 0, "D0,4.2 D0,9.5"},
    {'\'', 0, "M0,0 L0,2.8"},
    {'/', 4, "M4,0 L0,10"},
    {'(', 0.94, "A4,5,4,6,-140,-220"},
    {')', 0.94, "A-3.06,5,4,6,-40,40"},
};

struct Glyph {
    double width = 0;
    std::vector<std::vector<Point>> lines;
    bool present = false;
};

std::vector<double> Numbers(const std::string& list) {
    std::vector<double> v;
    std::size_t at = 0;
    while (at < list.size()) {
        const std::size_t comma = list.find(',', at);
        v.push_back(std::strtod(list.substr(at, comma - at).c_str(), nullptr));
        at = comma == std::string::npos ? list.size() : comma + 1;
    }
    return v;
}

Glyph Parse(const GlyphDef& def) {
    Glyph g;
    g.width = def.width;
    g.present = true;
    std::istringstream in(def.path);
    std::string token;
    while (in >> token) {
        const char cmd = token[0];
        const std::vector<double> n = Numbers(token.substr(1));
        auto need = [&](std::size_t count) {
            if (n.size() != count)
                throw std::logic_error(std::string("bad glyph path for ") + def.c);
        };
        switch (cmd) {
        case 'M':
            need(2);
            g.lines.push_back({{n[0], n[1]}});
            break;
        case 'L':
            need(2);
            if (g.lines.empty())
                throw std::logic_error(std::string("line without start in ") + def.c);
            g.lines.back().push_back({n[0], n[1]});
            break;
        case 'A': {
            need(6);
            const auto arc = ArcPoints(n[0], n[1], n[2], n[3], n[4], n[5]);
            // An arc that opens a glyph starts its own line.
            if (g.lines.empty())
                g.lines.push_back({});
            g.lines.back().insert(g.lines.back().end(), arc.begin(), arc.end());
            break;
        }
        case 'E':
            need(4);
            g.lines.push_back(ArcPoints(n[0], n[1], n[2], n[3], 0, 360));
            break;
        case 'D':
            need(2);
            g.lines.push_back({{n[0], n[1]}});
            break;
        default:
            throw std::logic_error(std::string("unknown glyph command in ") + def.c);
        }
    }
    return g;
}

const std::array<Glyph, 128>& Glyphs() {
    static const std::array<Glyph, 128> glyphs = [] {
        std::array<Glyph, 128> g{};
        for (const GlyphDef& d : Defs)
            g[static_cast<unsigned char>(d.c)] = Parse(d);
        return g;
    }();
    return glyphs;
}

const Glyph& GlyphFor(char c) {
    const auto i = static_cast<unsigned char>(c);
    return i < 128 && Glyphs()[i].present ? Glyphs()[i] : Glyphs()['?'];
}

double Scale(const TextStyle& s) {
    return s.cap / 10.0;
}

// Space between the ink of two neighbours: the stroke plus a fixed gap.
double Gap(const TextStyle& s) {
    return s.weight * s.cap + 1.25 * Scale(s) + s.tracking;
}

} // namespace

TextStyle Style(double cap, double weight, Color color) {
    TextStyle s;
    s.cap = cap;
    s.weight = weight;
    s.color = color;
    return s;
}

bool FontHas(char c) {
    const auto i = static_cast<unsigned char>(c);
    return i < 128 && Glyphs()[i].present;
}

double TextWidth(std::string_view text, const TextStyle& style) {
    if (text.empty())
        return 0;
    double w = style.weight * style.cap;
    for (char ch : text)
        w += GlyphFor(ch).width * Scale(style);
    return w + Gap(style) * static_cast<double>(text.size() - 1);
}

void DrawText(Canvas& c, double x, double baseline, std::string_view text, const TextStyle& style) {
    const double s = Scale(style), stroke = style.weight * style.cap;
    double pen = x + stroke / 2;
    for (char ch : text) {
        const Glyph& g = GlyphFor(ch);
        std::vector<std::vector<Point>> lines = g.lines;
        for (auto& line : lines)
            for (Point& p : line)
                p = {pen + p.x * s, baseline + (p.y - 10) * s};
        if (!lines.empty())
            Fill(c, Strokes(std::move(lines), stroke), style.color);
        pen += g.width * s + Gap(style);
    }
}

void DrawTextCentered(Canvas& c, double cx, double cy, std::string_view text,
                      const TextStyle& style) {
    DrawText(c, cx - TextWidth(text, style) / 2, cy + style.cap / 2, text, style);
}

double FitCap(std::string_view text, TextStyle style, double maxWidth, double maxCap) {
    style.cap = maxCap;
    const double w = TextWidth(text, style);
    return w <= maxWidth ? maxCap : maxCap * maxWidth / w;
}

} // namespace skingen
