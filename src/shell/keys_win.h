// The keyboard: shortcuts answered for whichever of the program's windows has the focus.
#pragma once
#include <windows.h>

// True when the message was a key the program answered (the message is then done with).
bool HandleShortcut(const MSG& msg);
