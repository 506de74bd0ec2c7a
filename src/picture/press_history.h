// The undo and redo of button presses on the colour and perspective screens: each
// press is a code on the effect stack; undo applies the opposite press, redo the press.
#pragma once

// What a press did: whether it could not go onto the stack for want of memory (the screen
// reports it) and whether a setting changed (then the picture is made again).
struct PressOutcome {
    bool memoryFull;
    bool changed;
};

// Drops the presses above the cursor before a new press is recorded.
void DropRedoPresses();
// Moves the cursor one press down; the code to undo, or 0 when there is none.
int UndoPress();
// Moves the cursor one press up (from the bottom again after undoing everything);
// the code to apply again, or 0 when there is none.
int RedoPress();

// The colour screen's presses: codes 7..12 (brightness, saturation, hue; plus, minus).
enum ColourPressCode { BrightnessPlus = 7, BrightnessMinus, SaturationPlus, SaturationMinus,
                       HuePlus, HueMinus };
// Changes the setting of a code as pressed, or the opposite when undoing; the picture stays.
void ChangeColourSetting(int code, bool undo);
// The same, and the picture is made again and shown.
void ApplyColourPress(int code, bool undo);
// The colour screen's buttons: a press is applied and recorded; undo and redo move the cursor
// and apply, returning false when there was nothing to move over.
PressOutcome PressColour(int code);
bool UndoColourPress();
bool RedoColourPress();
// Undoes every press down to the first, changing the settings only (Clears shows the entry
// picture afterwards).
void UndoAllColourPresses();

// The perspective screen's presses: code 8 + 2k raises setting k by one and 9 + 2k lowers
// it, over tilt, turn, spin, width and height.
constexpr int FirstWarpCode = 8, LastWarpCode = 17;
// Whether the code's setting may change (its stored value lies in -32765..32766).
bool WarpPressAllowed(int code);
// Applies a code as pressed, or its opposite when undoing; false when the setting was out of
// range and nothing changed (then nothing needs recomputing).
bool ChangeWarpSetting(int code, bool undo);
// The perspective screen's buttons: a press whose setting may change is recorded and applied;
// undo and redo move the cursor and apply. `changed` and the results say whether a setting moved.
PressOutcome PressWarp(int code);
bool UndoWarpPress();
bool RedoWarpPress();
