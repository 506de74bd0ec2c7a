// "Child03": the picture turned as a card in space.
#include "effects/effect_screens_win.h"
#include "shell/main_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"

LRESULT CALLBACK PerspectiveScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_LBUTTONDOWN)
        return StandardScreenMessage(w, msg, wp, lp, PerspectiveScreenId);
    const int slot = PressedSlot(w, lp, PerspectiveScreenId, PerspectiveScreenId);
    if (HandleTitleBarSlot(w, PerspectiveScreenId, slot))
        return 0;
    if (slot == PreSlot || slot == OkSlot) {
        CommitShownPicture();
        SwitchScreen(w, PerspectiveScreenId, slot == PreSlot ? ColourScreenId : BackgroundScreenId);
    }
    return 0;
}
