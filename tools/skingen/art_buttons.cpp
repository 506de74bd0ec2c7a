#include "art.h"

#include "font.h"
#include "look.h"
#include "pictograms.h"
#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace skingen {

namespace {

// Tab: hangs from the top edge (title bar). Pill: the common button. Round: the big
// confirm button. Card: a pale selector with a coloured sign. Export: a square with a
// sign above its word. Chooser: a long pill with its sign on the left, where the program
// writes what is chosen beside it.
enum class Kind { Tab, Pill, Round, Card, Export, Chooser };

struct Look {
    Kind kind;
    Color base;
    std::optional<Pictogram> sign;
    const char* text = "";
};

const std::map<std::string_view, Look>& Looks() {
    using enum Pictogram;
    static const std::map<std::string_view, Look> looks = {
        {"Close", {Kind::Tab, look::Red, Cross}},
        {"H", {Kind::Tab, look::TitleBottom, Home}},
        {"Min", {Kind::Tab, look::TitleBottom, Minimise}},
        {"Min0", {Kind::Tab, look::TitleBottom, Minimise}},
        {"Pre", {Kind::Tab, look::TitleBottom, Back}},
        {"OK", {Kind::Round, look::Green, std::nullopt, "OK"}},
        {"done", {Kind::Pill, look::Green, Check}},
        {"Exit", {Kind::Pill, look::Red, std::nullopt, "Exit"}},
        {"Clears", {Kind::Pill, look::Berry, std::nullopt, "Reset"}},
        // The names are swapped in the tables: "Redos" steps back, "Undos" forward.
        {"Redos", {Kind::Pill, look::Violet, std::nullopt, "Undo"}},
        {"Undos", {Kind::Pill, look::Violet, std::nullopt, "Redo"}},
        {"Plus", {Kind::Pill, look::Sky, Plus}},
        {"Milus", {Kind::Pill, look::Sky, Minus}},
        {"L", {Kind::Pill, look::Sky, TurnLeft}},
        {"R", {Kind::Pill, look::Sky, TurnRight}},
        {"PgUp", {Kind::Pill, look::Sky, PageBack}},
        {"PgDn", {Kind::Pill, look::Sky, PageNext}},
        {"enlarge", {Kind::Pill, look::Sky, Plus}},
        {"reduce", {Kind::Pill, look::Sky, Minus}},
        {"color", {Kind::Pill, look::Amber, Palette}},
        {"fun0", {Kind::Card, look::Green, Landscape, "Background"}},
        {"fun1", {Kind::Card, look::Berry, Pencil, "Pen"}},
        {"fun2", {Kind::Card, look::Amber, Star, "Stickers"}},
        {"fun3", {Kind::Card, look::Red, Heart, "Stickers 2"}},
        {"fun4", {Kind::Card, look::Violet, Sparkles, "Foreground"}},
        {"fun5", {Kind::Card, Rgb(196, 132, 52), Frame, "Cover"}},
        {"Graph_BMP", {Kind::Export, look::Sky, Document, "BMP"}},
        {"Graph_JPEG", {Kind::Export, look::Amber, Document, "JPEG"}},
        {"Graph_PNG", {Kind::Export, look::Green, Document, "PNG"}},
        {"Graph_TIFF", {Kind::Export, look::Violet, Document, "TIFF"}},
        {"MSPaint", {Kind::Export, look::Berry, Brush, "Paint"}},
        {"CAM", {Kind::Pill, look::Teal, Camera}},
        {"Files", {Kind::Pill, look::Teal, Folder}},
        // Each shows the sound as it is: SpkOFF while the sound is on, SpkON while off.
        {"SpkOFF", {Kind::Pill, look::Teal, SoundOn}},
        {"SpkON", {Kind::Pill, look::Teal, SoundOff}},
        // Lit while the preview is mirrored, greyed while it shows the camera's own view.
        {"MirrorOn", {Kind::Pill, look::Teal, std::nullopt, "Mirror"}},
        {"MirrorOff", {Kind::Pill, Rgb(150, 156, 158), std::nullopt, "Mirror"}},
        // Lit while OK counts down before it shoots, greyed while it shoots at once.
        {"TimerOn", {Kind::Pill, look::Teal, std::nullopt, "3-2-1"}},
        {"TimerOff", {Kind::Pill, Rgb(150, 156, 158), std::nullopt, "3-2-1"}},
        {"Strip", {Kind::Pill, look::Berry, std::nullopt, "Strip"}},
        // The camera's name and its picture size are written on these at run time.
        {"CamName", {Kind::Chooser, look::Teal, Camera}},
        {"CamSize", {Kind::Chooser, look::Sky, Width}},
    };
    return looks;
}

Look LookFor(std::string_view name) {
    const auto it = Looks().find(name);
    return it != Looks().end() ? it->second : Look{Kind::Pill, look::Sky, std::nullopt, ""};
}

Shape Outer(Kind kind, int w, int h) {
    switch (kind) {
    case Kind::Tab:
        return RoundRect(0, -10, w, h + 10, 8); // square at the top, where it hangs
    case Kind::Round:
        return Circle(w / 2.0, h / 2.0, std::min(w, h) / 2.0 - 0.2);
    case Kind::Card:
        return RoundRect(0, 0, w, h, 11);
    case Kind::Export:
        return RoundRect(0, 0, w, h, 16);
    case Kind::Pill:
    case Kind::Chooser:
        break;
    }
    return RoundRect(0, 0, w, h, std::min(h / 2.0, 13.0));
}

// What the button's edge is blended with: the ground it stands on.
Color Matte(Kind kind) {
    switch (kind) {
    case Kind::Tab:
        return look::TitleMid;
    case Kind::Export:
        return look::Paper;
    default:
        return look::Tray;
    }
}

// The face colour and the colour of its sign for each state.
struct Paint {
    Color face, rim, sign;
};

Paint PaintFor(const Look& l, std::string_view name, Face face) {
    const Color white = Rgb(255, 255, 255);
    if (l.kind == Kind::Tab) {
        if (name == "Close" && face == Face::Hover)
            return {l.base, Shade(l.base, -0.3), white};
        const Color sign = name == "Close" ? l.base : look::TitleBottom;
        if (face == Face::Hover)
            return {look::Glow, Shade(look::Glow, -0.3), Shade(sign, -0.15)};
        if (face == Face::Pressed)
            return {Shade(look::Tab, -0.16), Shade(look::Tab, -0.4), Shade(sign, -0.25)};
        return {look::Tab, Shade(look::Tab, -0.22), sign};
    }
    if (l.kind == Kind::Card) {
        if (face == Face::Hover)
            return {Rgb(255, 248, 206), l.base, Shade(l.base, -0.1)};
        if (face == Face::Pressed)
            return {Mix(l.base, white, 0.72), Shade(l.base, -0.2), Shade(l.base, -0.3)};
        return {look::Paper, look::PaperEdge, l.base};
    }
    if (face == Face::Hover)
        return {Shade(l.base, 0.2), Shade(l.base, -0.2), white};
    if (face == Face::Pressed)
        return {Shade(l.base, -0.22), Shade(l.base, -0.45), Shade(white, -0.08)};
    return {l.base, Shade(l.base, -0.3), white};
}

void DrawContent(Canvas& c, const Look& l, Color ink, Color shadow, double dy) {
    const int w = c.Width(), h = c.Height();
    auto sign = [&](double cx, double cy, double size) {
        if (l.sign)
            DrawPictogram(c, *l.sign, cx, cy + dy, size, ink);
    };
    auto text = [&](double cx, double cy, double maxWidth, double maxCap, double weight,
                    Color colour) {
        TextStyle s = Style(maxCap, weight, colour);
        s.cap = FitCap(l.text, s, maxWidth, maxCap);
        if (shadow.a > 0) {
            TextStyle sh = s;
            sh.color = shadow;
            DrawTextCentered(c, cx, cy + dy + 1, l.text, sh);
        }
        DrawTextCentered(c, cx, cy + dy, l.text, s);
    };
    switch (l.kind) {
    case Kind::Tab:
        sign(w / 2.0, h / 2.0 - 0.5, std::min(w, h) * 0.86);
        break;
    case Kind::Card:
        sign(w / 2.0, h * 0.37, h * 0.56);
        text(w / 2.0, h * 0.8, w - 8, 8.5, Bold, look::Ink);
        break;
    case Kind::Export:
        sign(w / 2.0, h * 0.4, h * 0.5);
        text(w / 2.0, h * 0.8, w - 14, 12, Bold, ink);
        break;
    case Kind::Chooser:
        sign(h / 2.0 + 2, h / 2.0, h * 0.56);
        break;
    case Kind::Round:
    case Kind::Pill:
        if (l.text[0] != '\0')
            text(w / 2.0, h / 2.0, w - 10, std::min(15.0, h * 0.38), Bold, ink);
        else
            sign(w / 2.0, h / 2.0, std::min(w, h) * 0.78);
        break;
    }
}

} // namespace

std::string ButtonLabel(std::string_view name) {
    return LookFor(name).text;
}

bool InButtonShape(std::string_view name, double px, double py, int width, int height) {
    return Outer(LookFor(name).kind, width, height).Coverage(px, py) >= 0.3;
}

Canvas DrawButton(std::string_view name, int width, int height, Face face) {
    const Look l = LookFor(name);
    const Paint p = PaintFor(l, name, face);
    const Shape outer = Outer(l.kind, width, height);
    Canvas c(width, height, Matte(l.kind));

    // Raised faces stand on a rim that shows at the bottom; the pressed face sinks,
    // its rim shows at the top and its content moves down a pixel.
    const bool pressed = face == Face::Pressed;
    Fill(c, outer, p.rim);
    const Shape inner = Moved(Grow(outer, -1.2), 0, pressed ? 0.8 : -0.8);
    const Color top = pressed ? Shade(p.face, -0.08) : Shade(p.face, 0.22);
    const Color bottom = pressed ? Shade(p.face, 0.06) : Shade(p.face, -0.06);
    Fill(c, Intersect(inner, Grow(outer, -1)), VerticalShade(0, height, top, bottom));
    if (pressed) {
        Fill(c, Intersect(inner, Minus(inner, Moved(inner, 0, 2.5))), Rgb(60, 30, 20, 60));
    } else {
        // A soft gloss over the upper half.
        Fill(c, Intersect(inner, Ellipse(width / 2.0, -height * 0.15, width * 0.7, height * 0.6)),
             Rgb(255, 255, 255, l.kind == Kind::Card || l.kind == Kind::Tab ? 0 : 46));
    }
    if (face == Face::Hover)
        Fill(c, Outline(Grow(outer, -2.6), 2.2), Rgb(255, 244, 180, 230));

    const bool light = l.kind == Kind::Card || l.kind == Kind::Tab;
    const Color shadow = light ? Rgb(0, 0, 0, 0) : Rgb(60, 30, 30, 70);
    DrawContent(c, l, p.sign, shadow, pressed ? 1.0 : 0.0);

    // Black is the key: keep every visible pixel off it, and everything outside on it.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Color q = c.At(x, y);
            if (!InButtonShape(name, x + 0.5, y + 0.5, width, height))
                c.Set(x, y, Rgb(0, 0, 0));
            else if (q.r == 0 && q.g == 0 && q.b == 0)
                c.Set(x, y, Rgb(1, 1, 1));
            else
                c.Set(x, y, Rgb(q.r, q.g, q.b));
        }
    return c;
}

Canvas DrawThumbnailMask(int size, Color frame, int thickness) {
    Canvas c(size, size, Rgb(255, 255, 255));
    const Shape ring =
        Minus(RoundRect(0, 0, size, size, 0), RoundRect(thickness, thickness, size - 2 * thickness,
                                                        size - 2 * thickness, thickness * 1.5));
    Fill(c, ring, frame);
    return c;
}

} // namespace skingen
