#include "export/export_screen_win.h"

#include "shell/main_win.h"
#include "shell/navigation_win.h"
#include "shell/screen_table.h"
#include "shell/screens_win.h"

namespace {
constexpr int ExitSlot = 4;
}

LRESULT CALLBACK ExportScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_LBUTTONDOWN)
        return StandardScreenMessage(w, msg, wp, lp, ExportScreenId);
    const int slot = PressedSlot(w, lp, ExportScreenId, ExportScreenId);
    if (HandleTitleBarSlot(w, ExportScreenId, slot))
        return 0;
    if (slot == PreSlot) {
        SwitchScreen(w, ExportScreenId, GalleryScreenId);
    } else if (slot == ExitSlot) {
        DestroyWindow(w);
        UnregisterClassA(ScreenTable[ExportScreenId].className, AppInstance);
        DestroyWindow(MainWindow);
    }
    return 0;
}
