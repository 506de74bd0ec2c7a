// The sixteen thumbnail surfaces of the decoration screens and their two marks.
#pragma once
#include <windows.h>

#include "skin/skin_tables.h"

extern HDC ThumbnailDC[ThumbnailCount];
extern HDC HoverMaskDC;
extern HDC SelectionMaskDC;
