// Small pictures that say what a control does, drawn into a square box at any size,
// so a button and the label beside it on the background can show the same sign.
#pragma once
#include "canvas.h"

namespace skingen {

enum class Pictogram {
    Cross,
    Home,
    Minimise,
    Back,
    Check,
    Plus,
    Minus,
    TurnLeft,
    TurnRight,
    PageBack,
    PageNext,
    SoundOn,
    SoundOff,
    Camera,
    Folder,
    Pencil,
    Star,
    Heart,
    Landscape,
    Sparkles,
    Frame,
    Palette,
    Eye,
    Document,
    Brush,
    Sun,
    Drop,
    HueWheel,
    Tilt,
    Turn,
    Spin,
    Width,
    Height,
    Smile,
};

// Draws into the square of side `size` centred on (cx, cy). One-colour signs use
// `ink`; the pictorial ones (landscape, palette, hue wheel...) bring their own colours
// and use `ink` for their outlines.
void DrawPictogram(Canvas& c, Pictogram p, double cx, double cy, double size, Color ink);

} // namespace skingen
