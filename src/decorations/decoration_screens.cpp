#include "decorations/decoration_screens.h"

DecorationScreenState DecorationScreens[LastDecorationCode - FirstDecorationCode + 1] = {
    {nullptr, nullptr, nullptr, nullptr, 0, -1, -1},
    {nullptr, nullptr, nullptr, nullptr, 0, -1, -1},
    {nullptr, nullptr, nullptr, nullptr, 0, -1, -1},
    {nullptr, nullptr, nullptr, nullptr, 0, -1, -1},
    {nullptr, nullptr, nullptr, nullptr, 0, -1, -1},
    {nullptr, nullptr, nullptr, nullptr, 0, -1, -1}};

int ThumbnailPage = 0;
int SelectedThumbnail = -1;
int RememberedDecorationButton = -1;

const char ForegroundWeightsFolder[] = "\\ForegroundB";

DecorationScreenState& DecorationScreenOf(int screenCode) {
    if (screenCode < FirstDecorationCode || screenCode > LastDecorationCode)
        screenCode = FirstDecorationCode;
    return DecorationScreens[screenCode - FirstDecorationCode];
}

const char* DecorationFolderOf(int screenCode) {
    switch (screenCode) {
    case 40:
        return "\\Background";
    case 42:
        return "\\Ornament";
    case 43:
        return "\\ornament";
    case 44:
        return "\\Foreground";
    case 45:
        return "\\Cover";
    }
    return nullptr;
}

bool CommitsBeforeAction(int screenCode, int button) {
    if (screenCode == 41)
        return button == 4;
    const bool common = button == 2 || button == 4 || (button >= 8 && button <= 13);
    if (screenCode == 40)
        return common;
    return common || button == 16; // "done"
}

int EnlargedWidth(int width) {
    return width <= WidestPen - 1 ? width + 1 : width;
}
int ReducedWidth(int width) {
    return width > 0 ? width - 1 : width;
}
