// Our own rounded stroke font: each glyph is a few lines and arcs on a grid whose
// capitals are 10 units high, drawn at any size with smooth edges. Round ends and
// an even stroke give the friendly, clean look of the whole skin.
#pragma once
#include "canvas.h"

#include <string_view>

namespace skingen {

struct TextStyle {
    double cap = 10;      // height of a capital letter in pixels
    double weight = 0.16; // stroke width as a fraction of the capital height
    Color color = Rgb(70, 46, 40);
    double tracking = 0; // extra pixels between letters
};

constexpr double Regular = 0.15;
constexpr double Bold = 0.21;

TextStyle Style(double cap, double weight, Color color);

bool FontHas(char c);
// Width of the ink, stroke included.
double TextWidth(std::string_view text, const TextStyle& style);
// x is the left edge of the ink, baseline the foot of the capitals.
void DrawText(Canvas& c, double x, double baseline, std::string_view text, const TextStyle& style);
// Centred on (cx, cy), with the capital height centred vertically.
void DrawTextCentered(Canvas& c, double cx, double cy, std::string_view text,
                      const TextStyle& style);
// The largest capital height up to maxCap at which the text fits maxWidth.
double FitCap(std::string_view text, TextStyle style, double maxWidth, double maxCap);

} // namespace skingen
