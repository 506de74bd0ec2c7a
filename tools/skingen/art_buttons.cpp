#include "art.h"

#include "font.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace skingen {

namespace {

// One colour per kind of control, so the screens read as one family.
constexpr Color WindowRed = Rgb(226, 96, 86);
constexpr Color WindowBlue = Rgb(98, 122, 172);
constexpr Color ConfirmGreen = Rgb(72, 168, 98);
constexpr Color EditTeal = Rgb(54, 148, 168);
constexpr Color AdjustBlue = Rgb(72, 132, 212);
constexpr Color ScreenPurple = Rgb(142, 104, 200);
constexpr Color ExportAmber = Rgb(226, 150, 44);
constexpr Color StartTeal = Rgb(44, 158, 146);

struct Look {
    const char* label;
    Color base;
    // Buttons of one row share the text size of their longest label.
    const char* sizeLike = nullptr;
};

const std::map<std::string_view, Look>& Looks() {
    static const std::map<std::string_view, Look> looks = {
        {"Close", {"X", WindowRed}},
        {"H", {"H", WindowBlue}},
        {"Min", {"_", WindowBlue}},
        {"Min0", {"_", WindowBlue}},
        {"Pre", {"<", WindowBlue}},
        {"OK", {"OK", ConfirmGreen}},
        {"done", {"ok", ConfirmGreen}},
        {"Exit", {"Exit", WindowRed}},
        {"Clears", {"Clear", EditTeal}},
        // The names are swapped in the tables: "Redos" steps back, "Undos" forward.
        {"Redos", {"Undo", EditTeal}},
        {"Undos", {"Redo", EditTeal}},
        {"Plus", {"+", AdjustBlue}},
        {"Milus", {"-", AdjustBlue}},
        {"L", {"L", AdjustBlue}},
        {"R", {"R", AdjustBlue}},
        {"PgUp", {"<<", AdjustBlue}},
        {"PgDn", {">>", AdjustBlue}},
        {"enlarge", {"+", AdjustBlue}},
        {"reduce", {"-", AdjustBlue}},
        {"color", {"Col", AdjustBlue}},
        {"fun0", {"Backgr", ScreenPurple, "Stick2"}},
        {"fun1", {"Pen", ScreenPurple, "Stick2"}},
        {"fun2", {"Stick", ScreenPurple, "Stick2"}},
        {"fun3", {"Stick2", ScreenPurple, "Stick2"}},
        {"fun4", {"Front", ScreenPurple, "Stick2"}},
        {"fun5", {"Cover", ScreenPurple, "Stick2"}},
        {"Graph_BMP", {"BMP", ExportAmber}},
        {"Graph_JPEG", {"JPEG", ExportAmber}},
        {"Graph_PNG", {"PNG", ExportAmber}},
        {"Graph_TIFF", {"TIFF", ExportAmber}},
        {"MSPaint", {"Paint", ExportAmber}},
        {"CAM", {"CAM", StartTeal}},
        {"Files", {"Files", StartTeal}},
        {"SpkON", {"Snd", StartTeal, "Mute"}},
        // Shown while sound is on; pressing it mutes.
        {"SpkOFF", {"Mute", StartTeal, "Mute"}},
    };
    return looks;
}

Look LookFor(std::string_view name) {
    const auto it = Looks().find(name);
    return it != Looks().end() ? it->second : Look{nullptr, WindowBlue};
}

double CornerRadius(int width, int height) {
    const int side = std::min(width, height);
    return side >= 40 ? 10.0 : side / 5.0;
}

// The largest integer scale (up to 3) at which the label fits with a margin.
int LabelScale(std::string_view label, int width, int height) {
    const int w = BuiltinFont().TextWidth(label);
    for (int s = 3; s > 1; --s)
        if (w * s <= width - 12 && Font::CellRows * s <= height - 6)
            return s;
    return 1;
}

bool OnShapeEdge(int x, int y, int width, int height) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (!InButtonShape(x + dx + 0.5, y + dy + 0.5, width, height))
                return true;
    return false;
}

} // namespace

std::string ButtonLabel(std::string_view name) {
    const Look look = LookFor(name);
    return look.label != nullptr ? look.label : std::string(name);
}

bool InButtonShape(double px, double py, int width, int height) {
    return InRoundRect(px, py, 0, 0, width, height, CornerRadius(width, height));
}

Canvas DrawButton(std::string_view name, int width, int height, Face face) {
    const Look look = LookFor(name);
    Color base = look.base;
    if (face == Face::Hover)
        base = Shade(base, 0.28);
    if (face == Face::Pressed)
        base = Shade(base, -0.22);

    // Raised faces are lit from above; the pressed face is lit from below, as if sunk.
    const Color top = face == Face::Pressed ? Shade(base, -0.18) : Shade(base, 0.22);
    const Color bottom = face == Face::Pressed ? Shade(base, 0.08) : Shade(base, -0.12);
    const Color outline = Shade(base, -0.5);
    const Color rim = face == Face::Pressed ? Shade(base, -0.35) : Shade(base, 0.45);

    Canvas c(width, height, Rgb(0, 0, 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!InButtonShape(x + 0.5, y + 0.5, width, height))
                continue;
            Color p = Mix(top, bottom, height > 1 ? y / double(height - 1) : 0.0);
            if (OnShapeEdge(x, y, width, height))
                p = outline;
            else if (OnShapeEdge(x, y - 1, width, height) && y > 0)
                p = rim; // the inner line just below the top edge
            c.Set(x, y, p);
        }

    const std::string label = ButtonLabel(name);
    const int scale = LabelScale(look.sizeLike != nullptr ? look.sizeLike : label, width, height);
    const int shift = face == Face::Pressed ? 1 : 0;
    const int cx = width / 2 + shift, cy = height / 2 + shift;
    c.DrawTextCentered(BuiltinFont(), cx + 1, cy + 1, label, scale, Shade(base, -0.55));
    c.DrawTextCentered(BuiltinFont(), cx, cy, label, scale, Rgb(255, 255, 255));

    // Black is the key: keep every visible pixel off it, and everything outside on it.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool inside = InButtonShape(x + 0.5, y + 0.5, width, height);
            const Color p = c.At(x, y);
            if (!inside)
                c.Set(x, y, Rgb(0, 0, 0));
            else if (p.r == 0 && p.g == 0 && p.b == 0)
                c.Set(x, y, Rgb(1, 1, 1));
        }
    return c;
}

Canvas DrawEffectTile(int index, int size, Face face) {
    // A hue per effect, walking round the colour wheel.
    const double hue = std::fmod(index * 137.5, 360.0) / 60.0;
    auto wheel = [hue](double offset) {
        const double h = std::fmod(hue + offset + 6.0, 6.0);
        return std::clamp(std::fabs(std::fmod(h, 6.0) - 3.0) - 1.0, 0.0, 1.0);
    };
    const Color vivid =
        Rgb(static_cast<int>(70 + 150 * wheel(0)), static_cast<int>(70 + 150 * wheel(4)),
            static_cast<int>(70 + 150 * wheel(2)));
    Color sky = Shade(vivid, 0.55), ground = Shade(vivid, -0.15);
    if (face == Face::Hover) {
        sky = Shade(sky, 0.3);
        ground = Shade(ground, 0.3);
    }
    if (face == Face::Pressed) {
        sky = Shade(sky, -0.25);
        ground = Shade(ground, -0.25);
    }

    Canvas c(size, size);
    c.VerticalGradient(0, 0, size, size * 3 / 5, sky, Mix(sky, Rgb(255, 255, 255), 0.3));
    c.VerticalGradient(0, size * 3 / 5, size, size - size * 3 / 5, ground, Shade(ground, -0.2));
    // A little sun and hill: what an effect will change, in miniature.
    c.FillCircle(size * 0.72, size * 0.28, size * 0.12, Rgb(255, 226, 110));
    c.FillEllipse(size * 0.3, size * 0.66, size * 0.45, size * 0.16, Shade(ground, 0.15));

    const std::string label = "O" + std::to_string(index);
    const int shift = face == Face::Pressed ? 1 : 0;
    c.DrawTextCentered(BuiltinFont(), size / 2 + 2 + shift, size * 3 / 4 + 2 + shift, label, 3,
                       Shade(ground, -0.45));
    c.DrawTextCentered(BuiltinFont(), size / 2 + shift, size * 3 / 4 + shift, label, 3,
                       Rgb(255, 255, 255));

    const Color frame = face == Face::Hover ? Rgb(255, 255, 255) : Shade(ground, -0.4);
    c.FrameRect(0, 0, size, size, face == Face::Norm ? 1 : 3, frame);

    // JPEG rounding must not reach the black key: keep every channel well above it.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Color p = c.At(x, y);
            const auto lift = [](std::uint8_t v) {
                return static_cast<std::uint8_t>(std::max<int>(v, 40));
            };
            c.Set(x, y, Rgb(lift(p.r), lift(p.g), lift(p.b)));
        }
    return c;
}

Canvas DrawThumbnailMask(int size, Color frame, int thickness) {
    Canvas c(size, size, Rgb(255, 255, 255));
    c.FrameRect(0, 0, size, size, thickness, frame);
    return c;
}

} // namespace skingen
