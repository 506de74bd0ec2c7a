// The decoration screens (Background, ornaments, Foreground, Cover) and the pen screen.
#pragma once
#include <windows.h>

LRESULT CALLBACK BackgroundScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK PenScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK OrnamentScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK SecondOrnamentScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK ForegroundScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK CoverScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
