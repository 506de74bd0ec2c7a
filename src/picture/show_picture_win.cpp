#include "picture/show_picture_win.h"

#include "picture/picture_window_win.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

void ShowPlanes(const ColorPlanes& picture) {
    if (DisplayBitmap == nullptr)
        return;
    PlanesToBitmap(picture, DisplayBitmap);
    ShowBitmapInPictureWindow(DisplayBitmap);
}
