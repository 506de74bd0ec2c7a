#include "effects/press_history.h"

#include "effects/colour_adjust.h"
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

void ApplyColourPress(int code, bool undo) {
    const int sign = undo ? -1 : 1;
    switch (code) {
    case BrightnessPlus:
        StepBrightness(sign);
        break;
    case BrightnessMinus:
        StepBrightness(-sign);
        break;
    case SaturationPlus:
        StepSaturation(sign);
        break;
    case SaturationMinus:
        StepSaturation(-sign);
        break;
    case HuePlus:
        StepHue(10 * sign);
        break;
    case HueMinus:
        StepHue(-10 * sign);
        break;
    }
}
