#include "program/layout.h"

#include "skin/skin_tables.h"

int LayoutWidth = 1024, LayoutHeight = 600;
int AreaOffsetX = 352, AreaOffsetY = 49;
int AreaX = 352, AreaY = 49;
int AreaWidth = 800, AreaHeight = 640;
int SkinSet = 0;
int ExactDisplay = 0;
int StartPositionX = 180, StartPositionY = 80;

bool DisplayTooSmall(int dw, int dh) { return dw < 1024 || dh < 600; }

DisplayLayout ChooseLayout(int dw, int dh) {
    if (dh < 768)
        return {1024, 600, 0, 352, 49, 640, 512};
    if (dw < 1360)
        return {1024, 768, 3, 352, 62, 640, 640};
    return {1366, 768, 6, 443, 62, 800, 640};
}

int IsExactDisplayValue(int dw, int dh) {
    const bool exact =
        (dw == 1024 && dh == 600) || (dw == 1024 && dh == 768) || (dw == 1366 && dh == 768);
    return exact ? 0 : 1;
}

void SetLayoutValues(const DisplayLayout& layout) {
    LayoutWidth = layout.width;
    LayoutHeight = layout.height;
    SkinSet = layout.skinSet;
    AreaOffsetX = layout.areaOffsetX;
    AreaOffsetY = layout.areaOffsetY;
    AreaWidth = layout.areaWidth;
    AreaHeight = layout.areaHeight;
    AreaX = AreaOffsetX;
    AreaY = AreaOffsetY;
}

void CentredPicturePosition(int w, int h, int& x, int& y) {
    x = AreaX + (AreaWidth - w) / 2;
    y = AreaY + (AreaHeight - h) / 2;
}
