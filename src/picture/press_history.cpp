#include "picture/press_history.h"

#include "effects/colour_adjust.h"
#include "effects/warp.h"
#include "picture/history.h"

void DropRedoPresses() {
    while (EffectTop != nullptr && EffectTop != EffectCursor) {
        // A dropped press can no longer be where a redo starts again.
        if (EffectTop == EffectFloor)
            EffectFloor = nullptr;
        PopEffectNode(&EffectTop, nullptr);
    }
}

int UndoPress() {
    if (EffectCursor == nullptr)
        return 0;
    if (EffectCursor->older == nullptr)
        EffectFloor = EffectCursor;
    const int code = EffectCursor->value;
    EffectCursor = EffectCursor->older;
    return code;
}

int RedoPress() {
    if (EffectCursor == EffectTop)
        return 0;
    EffectCursor = EffectCursor != nullptr ? EffectCursor->newer : EffectFloor;
    return EffectCursor != nullptr ? EffectCursor->value : 0;
}

void ChangeColourSetting(int code, bool undo) {
    const int sign = undo ? -1 : 1;
    switch (code) {
    case BrightnessPlus:
        ChangeBrightness(sign);
        break;
    case BrightnessMinus:
        ChangeBrightness(-sign);
        break;
    case SaturationPlus:
        ChangeSaturation(sign);
        break;
    case SaturationMinus:
        ChangeSaturation(-sign);
        break;
    case HuePlus:
        ChangeHue(10 * sign);
        break;
    case HueMinus:
        ChangeHue(-10 * sign);
        break;
    }
}

void ApplyColourPress(int code, bool undo) {
    ChangeColourSetting(code, undo);
    ApplyColourAdjust();
}

namespace {

// A new press: the undone presses above the cursor go, the press becomes the cursor. False
// when it could not be pushed.
bool RecordPress(int code) {
    DropRedoPresses();
    const bool pushed = PushEffectNode(&EffectTop, code);
    EffectCursor = EffectTop;
    return pushed;
}

int* WarpSettingOf(int code) {
    int* const settings[5] = {&WarpTurnX, &WarpTurnY, &WarpTurnZ, &WarpScaleX, &WarpScaleY};
    return settings[(code - FirstWarpCode) / 2];
}
} // namespace

PressOutcome PressColour(int code) {
    ApplyColourPress(code, false);
    return {!RecordPress(code), true};
}

bool UndoColourPress() {
    const int code = UndoPress();
    if (code != 0)
        ApplyColourPress(code, true);
    return code != 0;
}

void UndoAllColourPresses() {
    while (const int code = UndoPress())
        ChangeColourSetting(code, true);
}

bool RedoColourPress() {
    const int code = RedoPress();
    if (code != 0)
        ApplyColourPress(code, false);
    return code != 0;
}

bool WarpPressAllowed(int code) {
    const int value = *WarpSettingOf(code);
    return value >= -32765 && value <= 32766;
}

bool ChangeWarpSetting(int code, bool undo) {
    if (!WarpPressAllowed(code))
        return false;
    const bool raises = (code - FirstWarpCode) % 2 == 0;
    *WarpSettingOf(code) += raises != undo ? 1 : -1;
    return true;
}

PressOutcome PressWarp(int code) {
    if (!WarpPressAllowed(code))
        return {false, false};
    const bool pushed = RecordPress(code);
    return {!pushed, ChangeWarpSetting(code, false)};
}

bool UndoWarpPress() {
    const int code = UndoPress();
    return code != 0 && ChangeWarpSetting(code, true);
}

bool RedoWarpPress() {
    const int code = RedoPress();
    return code != 0 && ChangeWarpSetting(code, false);
}
