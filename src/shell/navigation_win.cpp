#include "shell/navigation_win.h"

#include "shell/screens_win.h"

bool HandleTitleBarSlot(HWND w, int screenId, int slot) {
    switch (slot) {
    case CloseSlot:
        CloseProgramFromScreen(w, screenId);
        return true;
    case HomeSlot:
        ReturnToCamera(w, screenId);
        return true;
    case MinSlot:
        MinimiseMainWindow();
        return true;
    }
    return false;
}
