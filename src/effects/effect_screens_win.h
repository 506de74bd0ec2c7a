// The colour, perspective and effects gallery screens.
#pragma once
#include <windows.h>

LRESULT CALLBACK ColourScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK PerspectiveScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK GalleryScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
