// The skin's palette: warm paper and coral, with one clear colour per kind of
// control, shared by the buttons and the backgrounds they sit on.
#pragma once
#include "canvas.h"

namespace skingen::look {

constexpr Color Ink = Rgb(84, 54, 48);       // text on light grounds
constexpr Color SoftInk = Rgb(150, 112, 98); // hints
constexpr Color Paper = Rgb(255, 251, 245);  // panels and trays
constexpr Color Tray = Rgb(255, 241, 228);   // grouped controls
constexpr Color PaperEdge = Rgb(238, 208, 188);
constexpr Color PageTop = Rgb(255, 238, 218);
constexpr Color PageBottom = Rgb(255, 216, 192);
constexpr Color TitleTop = Rgb(246, 124, 96);
constexpr Color TitleBottom = Rgb(226, 92, 72);
constexpr Color TitleMid = Rgb(236, 108, 84); // what the title-bar buttons sit on
constexpr Color Stage = Rgb(72, 64, 74);      // behind the picture

constexpr Color Green = Rgb(64, 176, 96);
constexpr Color Sky = Rgb(60, 146, 226);
constexpr Color Violet = Rgb(138, 104, 214);
constexpr Color Teal = Rgb(26, 164, 156);
constexpr Color Berry = Rgb(226, 74, 128);
constexpr Color Amber = Rgb(242, 148, 34);
constexpr Color Red = Rgb(228, 62, 56);
constexpr Color Tab = Rgb(255, 246, 236);
constexpr Color Glow = Rgb(255, 238, 160);

} // namespace skingen::look
