// The camera screen's live effects: the picker's tiles and caption line, and the choice.
#pragma once
#include <windows.h>

// The picker's tile of the chosen effect, drawn in its pressed face while chosen.
int ChosenLiveEffectSlot();
// A press on one of the picker's tiles chooses its effect and shows the last frame with it at
// once; false for any other slot.
bool PressLiveEffect(HWND screen, int slot);
// The camera screen's buttons with the chosen tile marked and the caption line naming the
// hovered tile's effect (or the chosen one's when no tile is hovered); after every skin load.
void DrawCameraButtons(HWND screen, int hoveredSlot);
// The caption pictures go with the screen.
void ReleaseLiveEffectPictures();
