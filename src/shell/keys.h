// What a key does on each screen. The shortcuts press the screen's own buttons, so a key does
// exactly what its button does.
#pragma once

// StopCountdown: Esc on the camera screen, which ends a running countdown or strip.
enum class KeyAction { None, PressSlot, SaveAsPng, Copy, Paste, Commit, StopCountdown };

struct KeyCommand {
    KeyAction action = KeyAction::None;
    int slot = -1; // the button pressed for PressSlot
};

// Virtual-key codes of the keys the program answers.
namespace Key {
enum : unsigned { Enter = 0x0D, Escape = 0x1B, Space = 0x20, F1 = 0x70 };
}

// A key going down; letters are their capital's code, as the platform reports them.
KeyCommand CommandOfKey(int screenCode, unsigned virtualKey, bool ctrl, bool shift, bool alt);
// A typed character: 'C' or 'c' commits the shown picture, on every screen.
KeyCommand CommandOfCharacter(unsigned character);
