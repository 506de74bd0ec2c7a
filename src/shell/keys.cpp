#include "shell/keys.h"

#include "skin/screen_slots.h"

namespace {

bool IsDecorationScreen(int code) { return code >= 40 && code <= 45; }
// The screens with Undo and Redo at the same two slots, and "OK" in the title bar.
bool IsEditingScreen(int code) {
    return code == 2 || code == 3 || IsDecorationScreen(code) || code == 5;
}
bool HasPre(int code) { return IsEditingScreen(code) || code == 6; }

// One pair of slots serves every editing screen's Undo and Redo.
constexpr int Undo = ColourSlot::Undo, Redo = ColourSlot::Redo;
static_assert(PerspectiveSlot::Undo == Undo && GallerySlot::Back == Undo &&
              DecorationSlot::Back == Undo);
static_assert(PerspectiveSlot::Redo == Redo && GallerySlot::Forward == Redo &&
              DecorationSlot::Forward == Redo);

KeyCommand Press(int slot) { return {KeyAction::PressSlot, slot}; }

KeyCommand WithControl(int code, unsigned key, bool shift) {
    switch (key) {
    case 'Z':
        if (IsEditingScreen(code))
            return Press(shift ? Redo : Undo);
        break;
    case 'Y':
        if (IsEditingScreen(code))
            return Press(Redo);
        break;
    case 'O':
        if (code == 0)
            return Press(StartSlot::Open);
        if (code == 1)
            return Press(CameraSlot::Files);
        break;
    case 'S':
        if (code == 6)
            return Press(ExportSlot::SavePng);
        if (IsEditingScreen(code))
            return {KeyAction::SaveAsPng, -1};
        break;
    case 'C':
        if (code >= 2)
            return {KeyAction::Copy, -1};
        break;
    case 'V':
        if (code >= 0 && code <= 2)
            return {KeyAction::Paste, -1};
        break;
    }
    return {};
}

} // namespace

KeyCommand CommandOfKey(int code, unsigned key, bool ctrl, bool shift, bool alt) {
    if (alt)
        return {}; // Alt+F4 and the system keys stay the platform's
    if (ctrl)
        return WithControl(code, key, shift);
    switch (key) {
    case Key::F1:
        return {KeyAction::Commit, -1};
    case Key::Space:
        if (code == 1)
            return Press(CameraSlot::Snapshot);
        break;
    case Key::Enter:
        if (code == 1)
            return Press(CameraSlot::Snapshot);
        if (IsEditingScreen(code))
            return Press(TitleSlot::Ok);
        break;
    case Key::Escape:
        if (code == 1)
            return {KeyAction::StopCountdown, -1};
        if (HasPre(code))
            return Press(TitleSlot::Pre);
        break;
    }
    return {};
}

KeyCommand CommandOfCharacter(unsigned character) {
    if (character == 'C' || character == 'c')
        return {KeyAction::Commit, -1};
    return {};
}
