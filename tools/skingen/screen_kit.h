// Pieces shared by the screen backgrounds: slot rectangles from the skin tables,
// trays behind groups of buttons, labels and wrapped hints.
#pragma once
#include "art.h"
#include "font.h"

#include <string>
#include <string_view>
#include <vector>

struct SkinDescriptor;

namespace skingen {

constexpr int TitleBarHeight = 30;

Rect SlotRect(const SkinDescriptor& d, int slot);
// A rectangle around several slots, grown by `margin` on every side.
Rect AroundSlots(const SkinDescriptor& d, std::initializer_list<int> slots, int margin);

// A soft rounded tray that groups controls on the side panel.
void Tray(Canvas& c, Rect r, double radius = 12);
// A small label centred over a slot (or a group of slots), in the gap above it.
void LabelAbove(Canvas& c, Rect r, std::string_view text);
// Greedy word wrap; returns the baseline after the last line.
double Paragraph(Canvas& c, double x, double baseline, std::string_view text,
                 const TextStyle& style, double maxWidth, double lineHeight);

// What each screen draws on its side panel; the frame (title bar, panel, picture
// area, steps) is drawn before. panelRight is the panel's right edge.
void DrawPanel(Screen screen, Canvas& c, const ScreenGeometry& g, int panelRight);

} // namespace skingen
