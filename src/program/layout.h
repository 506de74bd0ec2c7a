// The three display layouts and the values they set for the whole program.
#pragma once

struct DisplayLayout {
    int width, height;
    int skinSet;
    int areaOffsetX, areaOffsetY;
    int areaWidth, areaHeight;
};

extern int LayoutWidth, LayoutHeight;
extern int AreaOffsetX, AreaOffsetY;
extern int AreaX, AreaY;
extern int AreaWidth, AreaHeight;
extern int SkinSet;
extern int ExactDisplay;
extern int StartPositionX, StartPositionY;

constexpr int StartWindowSize = 365;

// The program refuses displays narrower than 1024 or lower than 600 pixels.
bool DisplayTooSmall(int dw, int dh);
// The layout for a display of at least 1024 x 600.
DisplayLayout ChooseLayout(int dw, int dh);
// 0 for the three native display sizes, 1 otherwise.
int IsExactDisplayValue(int dw, int dh);
// Sets the layout globals and the skin cells that follow them.
void SetLayoutValues(const DisplayLayout& layout);
// Top-left corner of a picture of w x h centred in the picture area.
void CentredPicturePosition(int w, int h, int& x, int& y);
