// The history's temporary files and messages on the platform.
#pragma once
#include "picture/history.h"

#include <windows.h>

#include <cstdint>

// Posted to the main window when a history file could not be written in the background: its
// answer is FinishHistoryWrites(), which takes the step out and says so.
constexpr UINT HistoryWriteFailedMessage = WM_APP + 1;

// Push and pop with the program's reports (ReportMemoryFull; an empty stack to the debugger).
void PushHistory(HistoryNode** top, const char* path, const char* secondPath);
int PopHistory(HistoryNode** top);

// The three planes' first AreaWidth x AreaHeight bytes to and from a temporary file.
int WriteTemporaryPicture(const char* name, const uint8_t* blue, const uint8_t* green,
                          const uint8_t* red);
int ReadTemporaryPicture(const char* name, uint8_t* blue, uint8_t* green, uint8_t* red,
                         int deleteAfter);

// Removes the redo entries, deleting their files on the screens that keep temporary files.
void DiscardRedo();
// Records CurrentPicture as a new state in a new temporary file and shows it as the cursor.
// The file is written in the background.
void Snapshot();
// Waits for the history files still being written; a step whose file could not be written is
// taken out of the history and reported.
void FinishHistoryWrites();
// Step back and forward on the screens that keep temporary files: loads the state into
// CurrentPicture (the entry picture below the bottom) and shows it. False when nothing moved.
bool StepBackInHistory();
bool StepForwardInHistory();
// An editing screen's end: every entry goes, with its file where that screen keeps files.
// The code is the closing screen's own: when screens switch, ScreenCode already names the next.
void EmptyHistoryOfScreen(int screenCode);
// Program exit: the history (files deleted when the screen shown last keeps them), then the
// effect stack.
void EmptyStacksAtExit();
