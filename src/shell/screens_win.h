// The window procedure of every screen, by screen id: the top of the program.
#pragma once
#include <windows.h>

#include "program/screen_table.h"

extern const WNDPROC ScreenProcedures[ScreenCountValue];
