#include "decorations/pen_colour_win.h"

#include <commdlg.h>

COLORREF CustomColors[16] = {};

COLORREF PickColor(COLORREF current) {
    CHOOSECOLORA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = nullptr;
    record.hInstance = nullptr;
    record.rgbResult = current;
    record.lpCustColors = CustomColors;
    record.Flags = CC_RGBINIT | CC_FULLOPEN;
    // A cancelled dialog may have touched the record; the colour stays as it was.
    if (!ChooseColorA(&record))
        return current;
    return record.rgbResult;
}
