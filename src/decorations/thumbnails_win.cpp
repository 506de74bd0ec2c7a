#include "decorations/thumbnails_win.h"

HDC ThumbnailDC[ThumbnailCount] = {};
HDC HoverMaskDC = nullptr;
HDC SelectionMaskDC = nullptr;
