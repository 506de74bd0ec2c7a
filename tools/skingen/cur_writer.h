// Monochrome Windows cursor files (one image, AND and XOR masks, a hot spot).
#pragma once
#include "bytes.h"

#include <string>
#include <vector>

namespace skingen {

enum class CursorPixel { Transparent, Black, White, Inverted };

struct MonoCursor {
    int width = 32, height = 32;
    int hotX = 0, hotY = 0;
    std::vector<CursorPixel> pixels; // row-major, top row first
};

// Rows of '.' transparent, '#' black, 'o' white, '~' inverted screen.
MonoCursor CursorFromArt(const std::vector<std::string>& rows, int hotX, int hotY);
Bytes EncodeCur(const MonoCursor& cursor);

} // namespace skingen
