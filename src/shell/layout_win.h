#pragma once

// Reads the display, picks the layout and lays out the windows and the shown screen.
void ApplyDisplayLayout();
// Main window's reaction to a new display size.
void OnDisplayChange();
