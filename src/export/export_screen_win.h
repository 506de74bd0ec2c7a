#pragma once
#include <windows.h>

// "Child06": saving the result.
LRESULT CALLBACK ExportScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
