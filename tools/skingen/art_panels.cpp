// The side panel of each screen: labels, trays and hints placed around the buttons
// at the positions the skin tables give them.
#include "font.h"
#include "look.h"
#include "pictograms.h"
#include "screen_kit.h"
#include "shapes.h"

#include "skin/skin_tables.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace skingen {

namespace {

const TextStyle Heading = Style(12.5, Bold, look::Ink);
const TextStyle Hint = Style(9.5, Bold, look::SoftInk);
constexpr double HintLine = 15;

Color Rainbow(double t) {
    const double h = t * 6;
    auto channel = [h](double offset) {
        const double k = std::fmod(offset + h, 6.0);
        return static_cast<int>(255 * (1 - std::clamp(std::min(k, 4 - k), 0.0, 1.0)));
    };
    return Mix(Rgb(channel(5), channel(3), channel(1)), Rgb(255, 255, 255), 0.15);
}

void BottomTray(Canvas& c, const SkinDescriptor& d, std::initializer_list<int> slots) {
    Tray(c, AroundSlots(d, slots, 6), 16);
}

Shape RoundedTriangle(double cx, double tipY, double half) {
    return Grow(Polygon({{cx - half + 1, tipY - half * 1.4 + 1},
                         {cx + half - 1, tipY - half * 1.4 + 1},
                         {cx, tipY - 1}}),
                1);
}

// A nudge towards OK, just above the bottom tray, when the space above is free.
void OkTip(Canvas& c, const SkinDescriptor& d, int okSlot, int freeFrom, const char* text) {
    const Rect tray = AroundSlots(d, {okSlot}, 6);
    const double baseline = tray.y - 12;
    if (baseline - 12 < freeFrom)
        return;
    const TextStyle s = Style(9.5, Bold, look::SoftInk);
    const Rect ok = SlotRect(d, okSlot);
    const double cx = ok.x + ok.w / 2.0;
    DrawText(c, cx - 9 - TextWidth(text, s), baseline, text, s);
    // A small arrow head over the button's middle, pointing down at it.
    Fill(c, RoundedTriangle(cx, baseline - 1, 5), look::Green);
}

// One labelled row of the colour and perspective screens: a tray across the panel
// with the row's name, its sign left of the buttons and a picture or words right of
// them.
struct Row {
    int slot; // the left button; the right one is slot + 1
    const char* name;
    Pictogram sign;
    std::function<void(Canvas&, Rect)> aside; // fills the room right of the buttons
};

void DrawRow(Canvas& c, const SkinDescriptor& d, int panelRight, const Row& row) {
    const Rect b = AroundSlots(d, {row.slot, row.slot + 1}, 0);
    const Rect card{16, b.y - 30, panelRight - 30, 66};
    Tray(c, card);
    DrawText(c, 28, b.y - 11, row.name, Heading);
    DrawPictogram(c, row.sign, (28 + b.x) / 2.0 - 4, b.y + b.h / 2.0, 34, look::Ink);
    const int x = b.x + b.w + 10;
    row.aside(c, {x, b.y, card.x + card.w - 10 - x, b.h});
}

std::function<void(Canvas&, Rect)> Strip(std::function<Color(double)> colourAt) {
    return [colourAt](Canvas& c, Rect r) {
        const Shape strip = RoundRect(r.x, r.y + 7, r.w, 13, 6.5);
        Fill(c, strip, [&](int x, int) { return colourAt((x + 0.5 - r.x) / r.w); });
        Fill(c, Outline(strip, 1), Rgb(200, 170, 150));
    };
}

std::function<void(Canvas&, Rect)> Words(const char* text) {
    return [text](Canvas& c, Rect r) {
        TextStyle s = Style(8.5, Bold, look::SoftInk);
        Paragraph(c, r.x, r.y + 11, text, s, r.w, 13);
    };
}

void ColourPanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild02;
    const Row rows[] = {
        {8, "Brightness", Pictogram::Sun,
         Strip([](double t) { return Mix(Rgb(70, 56, 60), Rgb(255, 250, 226), t); })},
        {10, "Colourfulness", Pictogram::Drop,
         Strip([](double t) { return Mix(Rgb(160, 156, 156), Rgb(246, 70, 120), t); })},
        {12, "Hue", Pictogram::HueWheel, Strip(Rainbow)},
    };
    for (const Row& r : rows)
        DrawRow(c, d, panelRight, r);
    const int below = d.y[12] + d.height[12] + 36;
    Paragraph(c, 24, below + 20,
              "Every press changes your picture a little. Undo and Redo step through the "
              "presses, Reset starts over.",
              Hint, panelRight - 48, HintLine);
    OkTip(c, d, 4, below + 60, "Like it? OK goes on");
    BottomTray(c, d, {4, 5, 6, 7});
}

void PerspectivePanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild03;
    const Row rows[] = {
        {8, "Tilt", Pictogram::Tilt, Words("tip it back or forward")},
        {10, "Turn", Pictogram::Turn, Words("turn it left or right")},
        {12, "Spin", Pictogram::Spin, Words("spin it round")},
        {14, "Width", Pictogram::Width, Words("wider or narrower")},
        {16, "Height", Pictogram::Height, Words("taller or shorter")},
    };
    for (const Row& r : rows)
        DrawRow(c, d, panelRight, r);
    // Between the turning rows and the stretching rows: a divider with a caption.
    const double mid = (d.y[12] + d.height[12] + 36 + d.y[14] - 30) / 2.0;
    const TextStyle caption = Style(9.5, Bold, look::SoftInk);
    const char* text = "then stretch it";
    const double half = TextWidth(text, caption) / 2 + 10, cx = (16 + panelRight - 14) / 2.0;
    Fill(c, Line({{28, mid}, {cx - half, mid}}, 1.5), look::PaperEdge);
    Fill(c, Line({{cx + half, mid}, {panelRight - 26.0, mid}}, 1.5), look::PaperEdge);
    DrawTextCentered(c, cx, mid, text, caption);
    OkTip(c, d, 4, d.y[16] + d.height[16] + 12, "Like it? OK goes on");
    BottomTray(c, d, {4, 5, 6, 7});
}

// The decoration and pen screens share the selector at the top.
void Selector(Canvas& c, const SkinDescriptor& d) {
    Tray(c, AroundSlots(d, {8, 9, 10, 11, 12, 13}, 4), 14);
}

void ThumbnailGrid(Canvas& c, const SkinDescriptor& d, int first) {
    const Rect grid = AroundSlots(d, {first, first + 15}, 8);
    Tray(c, grid, 14);
    for (int k = 0; k < ThumbnailCount; ++k) {
        const Rect r = SlotRect(d, first + k);
        Fill(c, RoundRect(r.x - 1, r.y - 1, r.w + 2, r.h + 2, 4), Rgb(234, 214, 198));
        Fill(c, RoundRect(r.x, r.y, r.w, r.h, 3), Rgb(248, 236, 226));
    }
}

// Words between the bottom of `above` and the bottom tray.
void HintBelow(Canvas& c, const SkinDescriptor& d, int top, int panelRight, const char* text) {
    const int trayTop = d.y[4] - 6;
    if (trayTop - top < 2 * HintLine)
        return;
    Paragraph(c, 24, top + 18, text, Hint, panelRight - 48, HintLine);
}

void BackgroundPanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild40;
    Selector(c, d);
    LabelAbove(c, AroundSlots(d, {16, 17}, 0), "Pen width");
    LabelAbove(c, AroundSlots(d, {14, 15}, 0), "Page");
    ThumbnailGrid(c, d, 18);
    HintBelow(c, d, d.y[33] + d.height[33] + 8, panelRight,
              "Pick a background, then paint it into your picture with the mouse.");
    BottomTray(c, d, {4, 5, 6, 7});
}

void DecoratePanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild4x;
    Selector(c, d);
    const Rect done = SlotRect(d, 16);
    Tray(c, {done.x - 4, done.y - 4, done.w + 8, done.h + 8}, 10);
    DrawTextCentered(c, done.x + done.w / 2.0, done.y + done.h + 14, "Keep",
                     Style(8.5, Bold, look::SoftInk));
    LabelAbove(c, AroundSlots(d, {14, 15}, 0), "Page");
    const Rect page = SlotRect(d, 14);
    DrawText(c, 28, page.y + page.h / 2.0 + 5.5, "Pick one below", Style(11, Bold, look::Ink));
    ThumbnailGrid(c, d, 17);
    HintBelow(c, d, d.y[32] + d.height[32] + 8, panelRight,
              "Drag it where you like on your picture and click to stick it down.");
    BottomTray(c, d, {4, 5, 6, 7});
}

void PenPanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild41;
    Selector(c, d);
    LabelAbove(c, AroundSlots(d, {14, 15}, 0), "Pen width");
    LabelAbove(c, SlotRect(d, 16), "Colour");
    // Where the other decoration screens have their pictures: how to draw.
    const Rect card{28, 194, 290, 200};
    Tray(c, card, 14);
    DrawPictogram(c, Pictogram::Pencil, card.x + 44, card.y + 46, 56, look::Berry);
    DrawText(c, card.x + 84, card.y + 42, "Draw on", Style(15, Bold, look::Ink));
    DrawText(c, card.x + 84, card.y + 62, "your picture", Style(15, Bold, look::Ink));
    // A cheerful squiggle in three pen widths.
    const Color inks[] = {look::Berry, look::Sky, look::Green};
    for (int k = 0; k < 3; ++k) {
        std::vector<Point> wave;
        for (int i = 0; i <= 40; ++i) {
            const double x = card.x + 24 + i * 6.0;
            wave.push_back({x, card.y + 100 + k * 26 + 7 * std::sin(i * 0.45 + k)});
        }
        Fill(c, Line(wave, 3 + 3 * k), inks[k]);
    }
    HintBelow(c, d, card.y + card.h + 8, panelRight,
              "The left mouse button draws, the right one rubs out.");
    BottomTray(c, d, {4, 5, 6, 7});
}

void EffectsPanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild05;
    const Rect grid = AroundSlots(d, {8, 22}, 6);
    Tray(c, grid, 14);
    const Rect bottom = AroundSlots(d, {4, 5, 6, 7}, 6);
    if (bottom.y >= grid.y + grid.h + 4) {
        BottomTray(c, d, {4, 5, 6, 7});
        HintBelow(c, d, grid.y + grid.h + 4, panelRight,
                  "Click an effect to try it. Each one starts afresh from your picture.");
    }
}

void SavePanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild06;
    // Slot 10 has no pictures: its sign lives here, inside its rectangle.
    const Rect view = SlotRect(d, 10);
    const double vx = view.x + view.w / 2.0, vy = view.y + view.h / 2.0 + 2, vr = 30;
    Shadow(c, Circle(vx, vy + 2, vr), 4, Rgb(120, 50, 30, 80));
    Fill(c, Circle(vx, vy, vr), Rgb(255, 255, 255));
    Fill(c, Outline(Circle(vx, vy, vr - 1.5), 3), look::Amber);
    DrawPictogram(c, Pictogram::Eye, vx, vy - 5, 34, look::Ink);
    DrawTextCentered(c, vx, vy + 16, "View", Style(8.5, Bold, look::Ink));

    DrawText(c, view.x + view.w + 12, 64, "Save your picture", Style(14, Bold, look::Ink));
    const char* labels[] = {"Save as BMP", "Save as JPEG", "Save as PNG", "Save as TIFF",
                            "Open in Paint"};
    for (int k = 0; k < 5; ++k) {
        const Rect r = SlotRect(d, 5 + k);
        DrawTextCentered(c, r.x + r.w / 2.0, r.y + r.h + 10, labels[k],
                         Style(8.5, Bold, look::SoftInk));
    }
    // Notes beside each row of buttons.
    const char* notes[] = {"BMP keeps every pixel. JPEG makes small files for sharing.",
                           "PNG is sharp and small. TIFF suits printing.",
                           "Paint opens a copy to keep drawing."};
    for (int k = 0; k < 3; ++k) {
        // The last row has no second button: its note takes that place too.
        const Rect r = SlotRect(d, 5 + 2 * k);
        const int noteX = k < 2 ? d.x[6] + d.width[6] + 14 : d.x[6];
        Paragraph(c, noteX, r.y + 14, notes[k], Style(8.5, Bold, look::SoftInk),
                  panelRight - noteX - 12, 13);
    }
    const Rect paint = SlotRect(d, 9);
    const Rect card{16, paint.y + paint.h + 30, panelRight - 30, 92};
    if (card.y + card.h < d.y[4] - 12) {
        Tray(c, card, 14);
        DrawPictogram(c, Pictogram::Smile, card.x + 34, card.y + card.h / 2.0, 44, look::Ink);
        DrawText(c, card.x + 66, card.y + 30, "All done!", Style(13, Bold, look::Ink));
        Paragraph(c, card.x + 66, card.y + 50, "Your last saved picture waits on the start screen.",
                  Hint, card.w - 78, HintLine);
    }
    BottomTray(c, d, {4});
}

// A button in small beside its caption, for the camera screen's compact key.
void MiniButton(Canvas& c, double x, double cy, Color colour, const char* label,
                std::optional<Pictogram> sign, const char* caption) {
    constexpr double W = 38, H = 19;
    Fill(c, RoundRect(x, cy - H / 2, W, H, H / 2), colour);
    if (sign)
        DrawPictogram(c, *sign, x + W / 2, cy, 14, Rgb(255, 255, 255));
    else
        DrawTextCentered(c, x + W / 2, cy, label,
                         Style(FitCap(label, Style(7, Bold, Rgb(255, 255, 255)), W - 8, 7), Bold,
                               Rgb(255, 255, 255)));
    DrawText(c, x + W + 7, cy + 4.5, caption, Style(9, Bold, look::Ink));
}

// Every camera button and key in two columns, between the space above (kept free for the
// camera's own controls) and the bottom tray.
void CameraKey(Canvas& c, const SkinDescriptor& d, int panelRight) {
    const double top = c.Height() < 768 ? 410 : 430;
    const Rect tray = AroundSlots(d, {CameraSlot::Snapshot, CameraSlot::Strip}, 6);
    const double rows = 4;
    const double step = std::min(c.Height() < 768 ? 26.0 : 32.0, (tray.y - 10 - top) / rows);
    const double left = 20, right = 20 + (panelRight - 40) / 2.0 + 4;
    double y = top + step / 2;
    MiniButton(c, left, y, look::Green, "OK", std::nullopt, "Take a photo");
    MiniButton(c, right, y, look::Teal, "3-2-1", std::nullopt, "Countdown");
    y += step;
    MiniButton(c, left, y, look::Berry, "Strip", std::nullopt, "Four in a row");
    MiniButton(c, right, y, look::Teal, "Mirror", std::nullopt, "Mirror view");
    y += step;
    MiniButton(c, left, y, look::Teal, "", Pictogram::Folder, "Open a file");
    MiniButton(c, right, y, look::Teal, "", Pictogram::SoundOn, "Sounds");
    y += step;
    const TextStyle keys = Style(8.5, Bold, look::SoftInk);
    DrawText(c, left, y + 4, "Keys: Space or Enter shoots, Esc stops.", keys);
}

// The camera and size choosers under the heading, on a tray of their own.
void CameraChoicePanel(Canvas& c) {
    Tray(c, AroundSlots(SkinChild01, {CameraSlot::CameraName, CameraSlot::CameraSize}, 4), 14);
}

// The live effects' tray: the caption line (drawn by the program over the first line here, on
// the tray's own colour) and the tiles under it.
void LiveEffectPicker(Canvas& c) {
    const SkinDescriptor& d = SkinChild01;
    Rect r = AroundSlots(d, {CameraSlot::FirstLiveEffect, CameraSlot::LastLiveEffect}, 6);
    r.y = LiveEffectCaptionY - 3;
    r.h = d.y[CameraSlot::LastLiveEffect] + d.height[CameraSlot::LastLiveEffect] + 4 - r.y;
    Tray(c, r, 10);
    const Canvas captions = DrawLiveEffectCaptions(LiveEffectCaptionWidth, LiveEffectCaptionHeight);
    for (int y = 0; y < LiveEffectCaptionHeight; ++y)
        for (int x = 0; x < LiveEffectCaptionWidth; ++x)
            c.Set(LiveEffectCaptionX + x, LiveEffectCaptionY + y, captions.At(x, y));
}

void CameraPanel(Canvas& c, int panelRight) {
    const SkinDescriptor& d = SkinChild01;
    DrawPictogram(c, Pictogram::Smile, 62, 86, 64, look::Ink);
    DrawText(c, 108, 98, "Smile!", Style(26, Bold, look::Ink));
    Paragraph(c, 24, 150, "Your photo is the start of the fun.", Hint, panelRight - 48, HintLine);
    CameraKey(c, d, panelRight);
    BottomTray(c, d,
               {CameraSlot::Snapshot, CameraSlot::Files, CameraSlot::Speaker, CameraSlot::Mirror,
                CameraSlot::Countdown, CameraSlot::Strip});
    LiveEffectPicker(c);
    CameraChoicePanel(c);
}

} // namespace

void DrawPanel(Screen screen, Canvas& c, const ScreenGeometry&, int panelRight) {
    switch (screen) {
    case Screen::Camera:
        return CameraPanel(c, panelRight);
    case Screen::Colour:
        return ColourPanel(c, panelRight);
    case Screen::Perspective:
        return PerspectivePanel(c, panelRight);
    case Screen::Background:
        return BackgroundPanel(c, panelRight);
    case Screen::Pen:
        return PenPanel(c, panelRight);
    case Screen::Decorate:
        return DecoratePanel(c, panelRight);
    case Screen::Effects:
        return EffectsPanel(c, panelRight);
    case Screen::Save:
        return SavePanel(c, panelRight);
    }
}

} // namespace skingen
