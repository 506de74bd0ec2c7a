// The title-bar buttons that every full-size editing screen shares.
#pragma once
#include <windows.h>

enum TitleBarSlot { CloseSlot = 0, HomeSlot = 1, MinSlot = 2, PreSlot = 3, OkSlot = 4 };

// Close, H and Min; true when the slot was one of them.
bool HandleTitleBarSlot(HWND w, int screenId, int slot);
