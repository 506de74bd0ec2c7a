// The undo and redo history: a stack of picture states kept in files, a cursor on the state
// shown, and the smaller stack of effect presses.
#pragma once
#include "skin/skin_tables.h"

#include <cstddef>
#include <cstdint>

struct HistoryNode {
    char path[PathSize];       // temporary file, or the decoration file on Foreground and Cover
    char secondPath[PathSize]; // the Foreground's weights picture, else empty
    HistoryNode* older;
    HistoryNode* newer;
};

struct EffectNode {
    int32_t value;
    EffectNode* older;
    EffectNode* newer;
};

// Newest entry; null when the stack is empty.
extern HistoryNode* HistoryTop;
// The entry shown; null while the screen's entry picture is shown.
extern HistoryNode* HistoryCursor;
// The bottom entry, remembered once stepping back reaches it.
extern HistoryNode* HistoryFloor;

// Set by every step recorded for Undo, cleared when a new picture arrives or the picture is
// saved: whether replacing the picture now would lose work.
extern bool UnsavedEdits;

extern EffectNode* EffectTop;
extern EffectNode* EffectCursor;
extern EffectNode* EffectFloor;

// False when the node cannot be allocated (nothing pushed).
bool PushHistoryNode(HistoryNode** top, const char* path, const char* secondPath);
// False when the stack is empty. The node's file is not touched.
bool PopHistoryNode(HistoryNode** top);
bool PushEffectNode(EffectNode** top, int32_t value);
// False when the stack is empty; else the popped value.
bool PopEffectNode(EffectNode** top, int32_t* value);

// Deletes a node's file; null where the nodes name decoration files that must stay.
using FileRemover = void (*)(const char* path);
// Screens whose history entries are temporary files of their own.
bool NamesTemporaryFiles(int screenCode);

// Removes every entry above the cursor (and its file).
void DiscardRedo(FileRemover remove);
// Pushes a new state and shows it.
void RecordHistoryState(const char* path, const char* secondPath);

struct HistoryStep {
    bool moved;        // false: nothing changes
    HistoryNode* node; // state to show; null means the entry picture
};
HistoryStep StepBack();
HistoryStep StepForward();
// Takes the entry naming this file out of the stack (the cursor moves to the entry below it);
// false when no entry names it. The file is not touched.
bool ForgetHistoryEntry(const char* path);
// Shows the entry picture without removing anything.
void ClearsHistory();
// Pops every entry (deleting files where remove is given) and forgets cursor and floor.
void EmptyHistory(FileRemover remove);
void EmptyEffectStack();
