// What the picture window does with the mouse on each screen: painting on the Background and
// pen screens, dragging and stamping on the ornament screens, copying everywhere. The plane
// work is done here; the returned steps are what the window then does on the platform.
#pragma once
#include <cstdint>
#include <vector>

// Colours as the platform's 0x00BBGGRR values.
constexpr uint32_t ColorValue(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}

extern uint32_t KeyColor; // paint and erase colour of the Background screen, the blend's key
extern int KeyWidth;
extern uint32_t PenColor;
extern int PenWidth;
extern int Dragging;        // the decoration follows the mouse
extern int DecorationMoved; // a button went up on an ornament screen

struct PicturePoint {
    int x, y;
};
// The pen screen's stroke: a button went down in the picture and has not come up yet, and the
// point its dots reached last.
extern bool PenStroking;
extern PicturePoint PenStrokeEnd;

enum class PictureInput { Move, LeftDown, RightDown, LeftUp, RightUp, LeftDoubleClick };
enum class PictureCursor { Unchanged, Cross, Hand, Arrow };
enum class PictureDot {
    None,
    Key,
    Pen,
    Eraser
}; // Key: KeyWidth in KeyColor; Eraser: PenWidth in KeyColor
enum class PictureBlend { None, Decoration, Entry };
enum class StrokeCommit { None, Paint, Pen };

// The platform steps of one mouse message, in this order.
struct PictureWindowWork {
    bool copyToClipboard;
    PictureCursor cursor;
    PictureDot dot;
    bool pickKeyColor; // KeyColor becomes the window's pixel under the mouse
    PictureBlend blend;
    StrokeCommit commit;
    bool showCurrent;      // CurrentPicture changed: refresh DisplayBitmap and show it
    PicturePoint dotsFrom; // the dot runs from here to the mouse; a lone dot starts at the mouse
};

// Inside the placed decoration, right and bottom edges included.
bool InDecorationRectangle(int x, int y);
// Inside it and inside the picture.
bool CanGrabDecoration(int x, int y);
// Every pixel of a line from one point to another, both ends included, each a step of one
// pixel from the one before (sideways, up, down or diagonally).
std::vector<PicturePoint> LinePoints(PicturePoint from, PicturePoint to);
PictureWindowWork HandlePictureInput(PictureInput input, int screenCode, int x, int y,
                                     bool leftHeld, bool rightHeld);
