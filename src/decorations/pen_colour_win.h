// The system colour dialog for the pen, with the sixteen custom colours the user defines.
#pragma once
#include <windows.h>

// Kept for the program's lifetime; all black at start.
extern COLORREF CustomColors[16];

// The colour chosen in the dialog, or `current` when it is cancelled.
COLORREF PickColor(COLORREF current);
