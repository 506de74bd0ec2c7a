// Filling and drawing the thumbnail surfaces of the decoration screens (kept with the skin's).
#pragma once
#include <windows.h>

#include "decorations/catalogue.h"

// Replaces any earlier surfaces: the two masks painted from the skin's mask pictures and 16
// black slots.
void CreateThumbnailSurfaces(HWND window);
// Records the page's paths in the thumbnail rows of `table` (NormTable or HiTable) of the
// screen kind (RowsOf4x or RowsOf40) and draws the page's thumbnails into the slots.
void LoadThumbnailPage(HWND window, const FileList* head, int first, int table, int kind);
// The Foreground screen's page: weights into the hi rows, pictures into the norm rows.
void LoadForegroundPage(HWND window, const FileList* pictures, const FileList* weights, int first);
// Copies the slots onto the back buffer with the hover and selection marks.
void DrawThumbnails(HWND window);
