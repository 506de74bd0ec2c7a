#include "shell/keys_win.h"

#include "capture/booth_win.h"
#include "capture/paste_win.h"
#include "picture/picture_window_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "shell/keys.h"
#include "skin/screen_slots.h"
#include "skin/skin_tables.h"

namespace {

// A key presses the button itself, so it does exactly what a click does, sound and all.
void PressScreenSlot(int slot) {
    const int id = ScreenIdOfCode(ScreenCode);
    if (id < 0 || ScreenWindow == nullptr)
        return;
    const SkinDescriptor& skin = *ScreenTable[id].skin;
    if (slot < 0 || slot >= skin.M)
        return;
    const LPARAM at = MAKELPARAM(skin.x[slot] + skin.width[slot] / 2,
                                 skin.y[slot] + skin.height[slot] / 2);
    HWND screen = ScreenWindow;
    SendMessageA(screen, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (screen == ScreenWindow && IsWindow(screen))
        SendMessageA(screen, WM_LBUTTONUP, 0, at);
}

// Ctrl+S from an editing screen: "OK" screen by screen up to Save, then its PNG button. A
// screen that does not move on (a message stopped it) ends the walk where it is.
void SaveAsPng() {
    for (int step = 0; step < ScreenCountValue && ScreenCode != 6; ++step) {
        const int before = ScreenCode;
        PressScreenSlot(TitleSlot::Ok);
        if (ScreenCode == before)
            return;
    }
    if (ScreenCode == 6)
        PressScreenSlot(ExportSlot::SavePng);
}

bool CarryOut(const KeyCommand& command) {
    switch (command.action) {
    case KeyAction::None:
        return false;
    case KeyAction::PressSlot:
        PressScreenSlot(command.slot);
        break;
    case KeyAction::SaveAsPng:
        SaveAsPng();
        break;
    case KeyAction::Copy:
        CopyPictureToClipboard();
        break;
    case KeyAction::Paste:
        PastePicture();
        break;
    case KeyAction::Commit:
        CommitShownPicture();
        break;
    case KeyAction::StopCountdown:
        // With nothing running the key stays unanswered, as before.
        return StopBooth(true);
    }
    return true;
}

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

} // namespace

bool HandleShortcut(const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN: {
        // A held key repeats only Undo and Redo.
        const bool repeat = (msg.lParam & (1L << 30)) != 0;
        const KeyCommand command = CommandOfKey(ScreenCode, static_cast<unsigned>(msg.wParam),
                                                Down(VK_CONTROL), Down(VK_SHIFT), false);
        const bool steps = command.action == KeyAction::PressSlot &&
                           (command.slot == ColourSlot::Undo || command.slot == ColourSlot::Redo);
        if (repeat && !steps)
            return command.action != KeyAction::None;
        return CarryOut(command);
    }
    case WM_CHAR:
        return CarryOut(CommandOfCharacter(static_cast<unsigned>(msg.wParam)));
    case WM_SYSKEYDOWN:
        // Alt+F4 in the picture window would close only that window.
        if (msg.wParam == VK_F4 && msg.hwnd != MainWindow) {
            PostMessageA(MainWindow, WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    }
    return false;
}
