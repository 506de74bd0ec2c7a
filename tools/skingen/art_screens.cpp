#include "art.h"

#include "font.h"

#include <cmath>

namespace skingen {

namespace {

constexpr int TitleBarHeight = 30;

// Pixels within `reach` of the outside of a shape (the image border counts as outside).
template <typename Inside>
bool NearOutside(Inside inside, int x, int y, int reach, int width, int height) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= width || ny >= height || !inside(nx + 0.5, ny + 0.5))
                return true;
        }
    return false;
}

// The camera "lens" bump at the top left of the start screen.
constexpr double LensX = 50, LensY = 46, LensR = 46;

} // namespace

Canvas DrawScreenBackground(std::string_view title, int width, int height, Rect picture,
                            Color tint) {
    Canvas c(width, height);
    c.VerticalGradient(0, 0, width, height, Shade(tint, 0.62), Shade(tint, 0.4));

    // Title bar across the top, where the window buttons sit.
    c.VerticalGradient(0, 0, width, TitleBarHeight, Shade(tint, 0.05), Shade(tint, -0.12));
    c.FillRect(0, TitleBarHeight, width, 1, Shade(tint, -0.3));
    const Font& font = BuiltinFont();
    c.DrawText(font, 15, 8, title, 2, Shade(tint, -0.5));
    c.DrawText(font, 14, 7, title, 2, Rgb(255, 255, 255));
    const int afterTitle = 14 + (font.TextWidth(title) + 2 * Font::Advance) * 2;
    c.DrawText(font, afterTitle, 14, "Flimmer", 1, Shade(tint, 0.55));

    // The control panel on the left of the picture.
    const int panelX = 12, panelY = TitleBarHeight + 6;
    const int panelW = picture.x - 2 * panelX, panelH = height - panelY - 10;
    c.FillRoundRect(panelX, panelY, panelW, panelH, 14, Shade(tint, -0.15));
    c.FillRoundRect(panelX + 2, panelY + 2, panelW - 4, panelH - 4, 12, Shade(tint, 0.78));

    // The picture area: a frame and a dark, neutral field.
    c.FillRect(picture.x - 4, picture.y - 4, picture.w + 8, picture.h + 8, Shade(tint, -0.35));
    c.FillRect(picture.x, picture.y, picture.w, picture.h, Rgb(62, 66, 76));
    return c;
}

bool InStartShape(double px, double py) {
    const int s = StartScreenSize;
    // A rounded body, a title tab that reaches the right edge (the window buttons sit in
    // its top-right corner), and a round lens bump at the top left.
    const bool body = InRoundRect(px, py, 0, 16, s, s - 16, 44);
    const bool tab = InRoundRect(px, py, 124, 0, s + 20, 64, 16);
    const double dx = px - LensX, dy = py - LensY;
    const bool lens = dx * dx + dy * dy <= LensR * LensR;
    return body || tab || lens;
}

Canvas DrawStartScreen() {
    const int s = StartScreenSize;
    const Font& font = BuiltinFont();
    Canvas c(s, s, Rgb(0, 0, 0));
    const Color top = Rgb(255, 206, 140), bottom = Rgb(244, 146, 104);
    const Color edge = Rgb(168, 84, 62), band = Rgb(226, 104, 82);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            if (!InStartShape(x + 0.5, y + 0.5))
                continue;
            Color p = Mix(top, bottom, y / double(s - 1));
            if (y < 27 && x >= 124)
                p = Mix(band, Shade(band, -0.1), y / 26.0); // title band under the buttons
            if (NearOutside(InStartShape, x, y, 1, s, s))
                p = edge;
            c.Set(x, y, p);
        }

    // Lens rings on the bump (the preview covers their lower part).
    c.FillCircle(LensX, LensY, LensR - 8, Rgb(92, 96, 118));
    c.FillCircle(LensX, LensY, LensR - 14, Rgb(118, 170, 226));
    c.FillCircle(LensX - 10, LensY - 12, 7, Rgb(236, 246, 255));

    c.DrawText(font, 141, 6, "Flimmer", 2, Shade(band, -0.5));
    c.DrawText(font, 140, 5, "Flimmer", 2, Rgb(255, 255, 255));

    // The camera preview box and a hint under it.
    c.FillRect(28, 45, 308, 248, edge);
    c.FillRect(32, 49, 300, 240, Rgb(52, 56, 66));
    c.DrawTextCentered(font, 182, 169, "Camera", 2, Rgb(150, 156, 170));
    c.DrawText(font, 34, 322, "Smile!", 2, Rgb(150, 72, 54));

    // Black is the window's shape: exactly black outside, never inside.
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const Color p = c.At(x, y);
            if (!InStartShape(x + 0.5, y + 0.5))
                c.Set(x, y, Rgb(0, 0, 0));
            else if (p.r == 0 && p.g == 0 && p.b == 0)
                c.Set(x, y, Rgb(1, 1, 1));
        }
    return c;
}

} // namespace skingen
