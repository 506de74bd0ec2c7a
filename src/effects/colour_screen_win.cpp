// "Child02": brightness, colourfulness and hue.
#include "capture/capture_screens_win.h"
#include "effects/effect_screens_win.h"
#include "shell/main_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"

LRESULT CALLBACK ColourScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_LBUTTONDOWN)
        return StandardScreenMessage(w, msg, wp, lp, ColourScreenId);
    const int slot = PressedSlot(w, lp, ColourScreenId, ColourScreenId);
    if (HandleTitleBarSlot(w, ColourScreenId, slot))
        return 0;
    if (slot == PreSlot) {
        PictureFromFile = 0;
        SwitchScreen(w, ColourScreenId, CameraScreenId);
    } else if (slot == OkSlot) {
        CommitShownPicture();
        SwitchScreen(w, ColourScreenId, PerspectiveScreenId);
    }
    return 0;
}
