// "Child05": fifteen one-press effects.
#include "effects/effect_screens_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"

LRESULT CALLBACK GalleryScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_LBUTTONDOWN)
        return StandardScreenMessage(w, msg, wp, lp, GalleryScreenId);
    const int slot = PressedSlot(w, lp, GalleryScreenId, GalleryScreenId);
    if (HandleTitleBarSlot(w, GalleryScreenId, slot))
        return 0;
    // Committing the gallery's picture comes with the effects themselves.
    if (slot == PreSlot)
        SwitchScreen(w, GalleryScreenId, BackgroundScreenId);
    else if (slot == OkSlot)
        SwitchScreen(w, GalleryScreenId, ExportScreenId);
    return 0;
}
