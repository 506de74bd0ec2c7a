#include "art.h"

#include "font.h"
#include "look.h"
#include "pictograms.h"
#include "screen_kit.h"
#include "shapes.h"

#include "skin/skin_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace skingen {

// ---- the kit

Rect SlotRect(const SkinDescriptor& d, int slot) {
    return {d.x[slot], d.y[slot], d.width[slot], d.height[slot]};
}

Rect AroundSlots(const SkinDescriptor& d, std::initializer_list<int> slots, int margin) {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -(1 << 20), y1 = -(1 << 20);
    for (int s : slots) {
        x0 = std::min(x0, d.x[s]);
        y0 = std::min(y0, d.y[s]);
        x1 = std::max(x1, d.x[s] + d.width[s]);
        y1 = std::max(y1, d.y[s] + d.height[s]);
    }
    return {x0 - margin, y0 - margin, x1 - x0 + 2 * margin, y1 - y0 + 2 * margin};
}

void Tray(Canvas& c, Rect r, double radius) {
    const Shape tray = RoundRect(r.x, r.y, r.w, r.h, radius);
    Fill(c, tray, look::Tray);
    Fill(c, Outline(Grow(tray, -0.5), 1), Rgb(243, 218, 200));
}

void LabelAbove(Canvas& c, Rect r, std::string_view text) {
    TextStyle s = Style(8.5, Bold, look::SoftInk);
    DrawTextCentered(c, r.x + r.w / 2.0, r.y - 9, text, s);
}

double Paragraph(Canvas& c, double x, double baseline, std::string_view text,
                 const TextStyle& style, double maxWidth, double lineHeight) {
    std::istringstream words{std::string(text)};
    std::string word, line;
    auto flush = [&] {
        DrawText(c, x, baseline, line, style);
        baseline += lineHeight;
        line.clear();
    };
    while (words >> word) {
        const std::string wider = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(wider, style) > maxWidth)
            flush();
        line = line.empty() ? word : line + " " + word;
    }
    if (!line.empty())
        flush();
    return baseline;
}

namespace {

struct ScreenInfo {
    const char* name;
    int step; // on the road from the photo to saving it
};

ScreenInfo InfoFor(Screen s) {
    switch (s) {
    case Screen::Camera:
        return {"Camera", 0};
    case Screen::Colour:
        return {"Colours", 1};
    case Screen::Perspective:
        return {"Perspective", 2};
    case Screen::Background:
        return {"Background", 3};
    case Screen::Pen:
        return {"Pen", 3};
    case Screen::Decorate:
        return {"Decorate", 3};
    case Screen::Effects:
        return {"Effects", 4};
    case Screen::Save:
        return {"Save", 5};
    }
    return {"", 0};
}

const char* const Steps[] = {"Photo", "Colours", "Perspective", "Decorate", "Effects", "Save"};

// Faint confetti over the page, the same on every build.
void Confetti(Canvas& c) {
    Prng rng(0xC0FFEEu);
    const Color tints[] = {Rgb(255, 150, 120, 70), Rgb(255, 200, 90, 80), Rgb(130, 200, 240, 60),
                           Rgb(170, 220, 140, 70), Rgb(220, 160, 230, 60)};
    const int count = c.Width() * c.Height() / 5000;
    for (int i = 0; i < count; ++i) {
        const double x = rng.Unit() * c.Width(), y = rng.Unit() * c.Height();
        const Color t = tints[rng.Next() % 5];
        const double r = 2 + rng.Unit() * 3;
        if (rng.Next() % 3 == 0) {
            const double a = rng.Unit() * std::numbers::pi;
            Fill(c,
                 Line({{x - r * std::cos(a), y - r * std::sin(a)},
                       {x + r * std::cos(a), y + r * std::sin(a)}},
                      2.2),
                 t);
        } else {
            Fill(c, Circle(x, y, r * 0.7), t);
        }
    }
}

void Logo(Canvas& c, double cx, double cy, double size) {
    Fill(c, Circle(cx, cy, size / 2), Rgb(255, 250, 240));
    DrawPictogram(c, Pictogram::Camera, cx, cy + size * 0.02, size * 0.66, look::TitleBottom);
}

void TitleBar(Canvas& c, const ScreenInfo& info, int left) {
    const int w = c.Width();
    c.VerticalGradient(0, 0, w, TitleBarHeight, look::TitleTop, look::TitleBottom);
    c.FillRect(0, TitleBarHeight, w, 1, Shade(look::TitleBottom, -0.2));
    c.FillRect(0, TitleBarHeight + 1, w, 3, Rgb(120, 50, 30, 40));
    Logo(c, left + 13, 15, 22);
    const TextStyle name = Style(13, Bold, Rgb(255, 255, 255));
    const TextStyle shade = Style(13, Bold, Rgb(150, 50, 30, 90));
    DrawText(c, left + 31, 22.5, "Flimmer", shade);
    DrawText(c, left + 30, 21.5, "Flimmer", name);
    const double after = left + 30 + TextWidth("Flimmer", name) + 10;
    Fill(c, Circle(after, 15, 2.2), Rgb(255, 226, 210));
    DrawText(c, after + 10, 21.5, info.name, Style(12, Regular, Rgb(255, 236, 226)));
}

void PictureArea(Canvas& c, Rect p, std::string_view placeholder) {
    const Shape mat = RoundRect(p.x - 7, p.y - 7, p.w + 14, p.h + 14, 10);
    Shadow(c, Moved(mat, 0, 3), 6, Rgb(120, 60, 40, 70));
    Fill(c, mat, Rgb(255, 255, 255));
    Fill(c, RoundRect(p.x - 1, p.y - 1, p.w + 2, p.h + 2, 2), Shade(look::Stage, -0.2));
    c.FillRect(p.x, p.y, p.w, p.h, look::Stage);
    DrawTextCentered(c, p.x + p.w / 2.0, p.y + p.h / 2.0, placeholder,
                     Style(16, Bold, Shade(look::Stage, 0.18)));
}

// The road of steps under the picture, the current one lit.
void StepRoad(Canvas& c, Rect p, int current) {
    const int top = p.y + p.h + 7;
    const double cy = top + (c.Height() - top) / 2.0;
    const TextStyle s = Style(9.5, Bold, look::SoftInk);
    double widths[6], total = 0;
    for (int i = 0; i < 6; ++i) {
        widths[i] = TextWidth(Steps[i], s) + 34;
        total += widths[i];
    }
    const double gap = 14;
    double x = p.x + (p.w - total - 5 * gap) / 2;
    for (int i = 0; i < 6; ++i) {
        const bool on = i == current;
        const Shape pill = RoundRect(x, cy - 11, widths[i], 22, 11);
        Fill(c, pill, on ? look::TitleBottom : Rgb(255, 246, 238, 200));
        const Color number = on ? Rgb(255, 255, 255) : Mix(look::TitleBottom, look::Paper, 0.3);
        Fill(c, Circle(x + 12, cy, 8), number);
        TextStyle digit = Style(8, Bold, on ? look::TitleBottom : Rgb(255, 255, 255));
        DrawTextCentered(c, x + 12, cy, std::string(1, static_cast<char>('1' + i)), digit);
        TextStyle label = s;
        label.color = on ? Rgb(255, 255, 255) : look::SoftInk;
        DrawText(c, x + 25, cy + s.cap / 2, Steps[i], label);
        if (i < 5)
            Fill(c, Circle(x + widths[i] + gap / 2, cy, 2), Rgb(230, 160, 130));
        x += widths[i] + gap;
    }
}

} // namespace

Canvas DrawScreenBackground(Screen screen, const ScreenGeometry& g) {
    const ScreenInfo info = InfoFor(screen);
    Canvas c(g.width, g.height);
    c.VerticalGradient(0, 0, g.width, g.height, look::PageTop, look::PageBottom);
    Confetti(c);

    // The side panel, flush with the left edge under the title bar.
    const int panelRight = g.picture.x - 16;
    const Shape panel = RoundRect(-20, TitleBarHeight - 20, panelRight + 20, g.height + 40, 18);
    Shadow(c, Moved(panel, 2, 0), 6, Rgb(140, 70, 40, 60));
    Fill(c, panel, look::Paper);
    Fill(c, Outline(Grow(panel, -0.5), 1), look::PaperEdge);

    // The export screen's invisible top-left button shows its sign on the background,
    // so the title moves right of it.
    TitleBar(c, info, screen == Screen::Save ? 80 : 6);
    PictureArea(c, g.picture, screen == Screen::Camera ? "Camera" : "Your picture");
    StepRoad(c, g.picture, info.step);
    DrawPanel(screen, c, g, panelRight);
    return c;
}

// ---- the start screen

namespace {

constexpr double LensX = 50, LensY = 46, LensR = 46;

Shape StartShape() {
    const int s = StartScreenSize;
    // A rounded body, a title tab that reaches the right edge (the window buttons sit
    // in its top-right corner), and a round lens bump at the top left.
    return Union(Union(RoundRect(0, 16, s, s - 16, 44), RoundRect(124, 0, s + 20 - 124, 64, 16)),
                 Circle(LensX, LensY, LensR));
}

} // namespace

bool InStartShape(double px, double py) {
    static const Shape shape = StartShape();
    return shape.distance(px, py) <= 0;
}

Canvas DrawStartScreen() {
    const int s = StartScreenSize;
    const Color edge = Rgb(176, 86, 62);
    const Shape shape = StartShape();
    Canvas c(s, s, edge);

    Fill(c, shape, VerticalShade(0, s, Rgb(255, 214, 160), Rgb(248, 158, 114)));
    // The title band under the window buttons.
    Fill(c, Intersect(shape, RoundRect(124, -20, s, 47, 0)),
         VerticalShade(0, 27, look::TitleTop, look::TitleBottom));
    Fill(c, Intersect(shape, RoundRect(124, 27, s, 1, 0)), Shade(look::TitleBottom, -0.2));
    const TextStyle title = Style(13, Bold, Rgb(255, 255, 255));
    DrawText(c, 141, 21, "Flimmer", Style(13, Bold, Rgb(150, 50, 30, 90)));
    DrawText(c, 140, 20, "Flimmer", title);

    // Lens rings on the bump (the preview covers their lower part).
    Fill(c, Circle(LensX, LensY, LensR - 7), Rgb(88, 84, 104));
    Fill(c, Circle(LensX, LensY, LensR - 13), Rgb(60, 60, 80));
    Fill(c, Circle(LensX, LensY, LensR - 18),
         VerticalShade(10, 80, Rgb(140, 200, 250), Rgb(70, 120, 200)));
    Fill(c, Circle(LensX - 10, LensY - 12, 7), Rgb(236, 246, 255));

    // The preview box on a white mat.
    const Shape mat = RoundRect(25, 42, 314, 254, 9);
    Shadow(c, Moved(mat, 0, 2), 4, Rgb(120, 50, 30, 70));
    Fill(c, mat, Rgb(255, 255, 255));
    c.FillRect(32, 49, 300, 240, look::Stage);
    DrawTextCentered(c, 182, 169, "Your last picture", Style(13, Bold, Shade(look::Stage, 0.2)));

    // A greeting on the left, the buttons on a tray on the right.
    DrawText(c, 24, 322, "Hello!", Style(16, Bold, look::Ink));
    const TextStyle hint = Style(8.5, Bold, Rgb(130, 70, 50));
    DrawText(c, 24, 339, "OK opens a picture,", hint);
    DrawText(c, 24, 352, "the camera tries again.", hint);
    Tray(c, {176, 302, 136, 58}, 14);

    Fill(c, Outline(shape, 3.5), edge);

    // Black is the window's shape: exactly black outside, never inside.
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const Color p = c.At(x, y);
            if (!InStartShape(x + 0.5, y + 0.5))
                c.Set(x, y, Rgb(0, 0, 0));
            else if (p.r == 0 && p.g == 0 && p.b == 0)
                c.Set(x, y, Rgb(1, 1, 1));
            else
                c.Set(x, y, Rgb(p.r, p.g, p.b));
        }
    return c;
}

} // namespace skingen
