#pragma once
#include "skin/color_planes.h"

// Converts a picture into DisplayBitmap and paints it into the picture window.
void ShowPlanes(const ColorPlanes& picture);
