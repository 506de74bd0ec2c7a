#include "picture/picture_window.h"

#include "picture/compositing.h"
#include "skin/color_planes.h"

#include <algorithm>
#include <cstdlib>

uint32_t KeyColor = ColorValue(255, 255, 0);
int KeyWidth = 30;
uint32_t PenColor = ColorValue(255, 80, 255);
int PenWidth = 10;
int Dragging = 0;
int DecorationMoved = 0;
bool PenStroking = false;
PicturePoint PenStrokeEnd{0, 0};

namespace {

bool IsPaintScreen(int code) {
    return code == 40 || code == 41;
}
bool IsOrnamentScreen(int code) {
    return code == 42 || code == 43;
}

void StampPlacedDecoration() {
    CopyPicture(CurrentPicture, BasePicture);
}

void Grab(PictureWindowWork& work) {
    Dragging = 1;
    work.cursor = PictureCursor::Hand;
}

void StartPenStroke(int x, int y) {
    PenStroking = true;
    PenStrokeEnd = PicturePoint{x, y};
}

// The dots of a held pen run on from where the stroke reached, so a fast stroke leaves no gaps.
void ContinuePenStroke(int x, int y, bool held, PictureWindowWork& work) {
    if (!held) {
        PenStroking = false; // the button came up outside the window
        return;
    }
    if (PenStroking)
        work.dotsFrom = PenStrokeEnd;
    StartPenStroke(x, y);
}

void PaintMove(int code, int x, int y, bool left, bool right, PictureWindowWork& work) {
    work.cursor = PictureCursor::Cross;
    if (left) {
        work.dot = code == 40 ? PictureDot::Key : PictureDot::Pen;
        // A pen stroke stays on the window until the button goes up.
        work.blend = code == 40 ? PictureBlend::Decoration : PictureBlend::None;
    } else if (right) {
        work.dot = code == 40 ? PictureDot::Key : PictureDot::Eraser;
        work.blend = PictureBlend::Entry;
    }
    ContinuePenStroke(x, y, left || right, work);
}

void OrnamentMove(int x, int y, bool right, PictureWindowWork& work) {
    work.cursor = InDecorationRectangle(x, y) ? PictureCursor::Hand : PictureCursor::Arrow;
    if (Dragging == 0)
        return;
    work.cursor = PictureCursor::Hand;
    DecorationX = x - DecorationWidth / 2;
    DecorationY = y - DecorationHeight / 2;
    CompositePlacedDecoration();
    work.showCurrent = true;
    // A right-button drag leaves a copy at every position.
    if (right)
        StampPlacedDecoration();
}

} // namespace

bool InDecorationRectangle(int x, int y) {
    return DecorationX <= x && x <= DecorationX + DecorationWidth && DecorationY <= y &&
           y <= DecorationY + DecorationHeight;
}

bool CanGrabDecoration(int x, int y) {
    return InDecorationRectangle(x, y) && x < PictureWidth && y < PictureHeight;
}

std::vector<PicturePoint> LinePoints(PicturePoint from, PicturePoint to) {
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    std::vector<PicturePoint> points;
    points.reserve(static_cast<std::size_t>(std::max(dx, -dy)) + 1);
    int error = dx + dy;
    PicturePoint p = from;
    for (;;) {
        points.push_back(p);
        if (p.x == to.x && p.y == to.y)
            return points;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

PictureWindowWork HandlePictureInput(PictureInput input, int screenCode, int x, int y,
                                     bool leftHeld, bool rightHeld) {
    PictureWindowWork work{false, PictureCursor::Unchanged, PictureDot::None,
                           false, PictureBlend::None,       StrokeCommit::None,
                           false, PicturePoint{x, y}};
    switch (input) {
    case PictureInput::Move:
        if (IsPaintScreen(screenCode))
            PaintMove(screenCode, x, y, leftHeld, rightHeld, work);
        else if (IsOrnamentScreen(screenCode))
            OrnamentMove(x, y, rightHeld, work);
        break;
    case PictureInput::LeftDown:
        if (screenCode == 41)
            work.dot = PictureDot::Pen; // a click without a move leaves its dot
        if (IsPaintScreen(screenCode)) {
            StartPenStroke(x, y);
            work.cursor = PictureCursor::Cross;
        } else if (IsOrnamentScreen(screenCode)) {
            if (CanGrabDecoration(x, y)) {
                Grab(work);
            } else {
                // A click beside the decoration stamps it where it lies.
                Dragging = 0;
                CompositePlacedDecoration();
                work.showCurrent = true;
                StampPlacedDecoration();
            }
        }
        break;
    case PictureInput::RightDown:
        work.copyToClipboard = true;
        if (IsPaintScreen(screenCode))
            StartPenStroke(x, y);
        if (IsOrnamentScreen(screenCode) && CanGrabDecoration(x, y))
            Grab(work);
        break;
    case PictureInput::LeftUp:
    case PictureInput::RightUp:
        if (IsPaintScreen(screenCode)) {
            work.commit = screenCode == 40 ? StrokeCommit::Paint : StrokeCommit::Pen;
            PenStroking = false;
        } else {
            if (IsOrnamentScreen(screenCode))
                DecorationMoved = 1;
            Dragging = 0;
        }
        break;
    case PictureInput::LeftDoubleClick:
        if (screenCode == 40) {
            work.pickKeyColor = true;
            work.blend = PictureBlend::Decoration;
        }
        break;
    }
    return work;
}
