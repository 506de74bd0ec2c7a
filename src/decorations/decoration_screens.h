// What the decoration screens and the pen screen keep between messages, and their rules.
#pragma once
#include "decorations/catalogue.h"

// Lists and choices of one decoration screen. Each screen has its own: a screen's end (which
// frees its lists) comes after the next screen has listed its folder.
struct DecorationScreenState {
    FileList* head; // the pictures of the screen's folder
    FileList* tail;
    FileList* weightsHead; // Foreground only: the weights pictures of "\ForegroundB"
    FileList* weightsTail;
    int fileCount;
    int pressedButton;  // the non-thumbnail button drawn pressed, -1 for none
    int lastChosenSlot; // Foreground and Cover: the thumbnail applied last, -1 for none
};

constexpr int FirstDecorationCode = 40, LastDecorationCode = 45;
// Indexed by screen code - 40 (the pen screen's row holds only its pressed button).
extern DecorationScreenState DecorationScreens[LastDecorationCode - FirstDecorationCode + 1];
DecorationScreenState& DecorationScreenOf(int screenCode);

// Page of the shown thumbnail screen and the thumbnail button clicked last (-1 for none).
extern int ThumbnailPage;
extern int SelectedThumbnail;
// The last button below 10 pressed on these screens: drawn pressed when the next one opens.
extern int RememberedDecorationButton;

// Folder of a decoration screen under the program folder ("\Ornament" ...), nullptr for none.
// The Foreground's weights folder is ForegroundWeightsFolder.
const char* DecorationFolderOf(int screenCode);
extern const char ForegroundWeightsFolder[];

// Buttons that copy the shown picture into the committed one before they act.
bool CommitsBeforeAction(int screenCode, int button);

constexpr int WidestPen = 65;
// One wider, up to WidestPen; one narrower, down to 0.
int EnlargedWidth(int width);
int ReducedWidth(int width);
