// Looking at the decoration pictures as the program shows them.
#pragma once
#include "canvas.h"
#include "decorations.h"

#include <string>
#include <utility>
#include <vector>

namespace skingen {

// Area-averaged to w x h (nearest where it enlarges).
Canvas Resize(const Canvas& src, int w, int h);
// The 64 x 64 slot the catalogue draws: a side longer than 64 squeezed to 64, a shorter
// one kept and centred, on black.
Canvas Thumbnail(const Canvas& picture);
// The program's CompositeDecoration of a decoration at (x, y) over base, with the given
// weights and rule; and its CompositeFullPicture of a picture-sized overlay stretched to
// the base.
Canvas LaidOver(const Canvas& base, const Canvas& decoration, const Canvas& weights, int x, int y,
                int blendMode);
Canvas Overlaid(const Canvas& base, const Canvas& picture, const Canvas& weights);

// Named sheets: all backgrounds, the stickers as files and stamped keyed and weighted,
// the foregrounds and covers over the default picture, and every folder's thumbnail pages.
std::vector<std::pair<std::string, Canvas>> DecorationMontages(const DecorationSet& set);

} // namespace skingen
