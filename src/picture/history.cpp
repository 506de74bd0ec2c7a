#include "picture/history.h"

#include "common/text.h"

#include <cstring>
#include <new>

HistoryNode* HistoryTop = nullptr;
HistoryNode* HistoryCursor = nullptr;
HistoryNode* HistoryFloor = nullptr;

bool UnsavedEdits = false;

EffectNode* EffectTop = nullptr;
EffectNode* EffectCursor = nullptr;
EffectNode* EffectFloor = nullptr;

bool PushHistoryNode(HistoryNode** top, const char* path, const char* secondPath) {
    HistoryNode* node = new (std::nothrow) HistoryNode;
    if (node == nullptr)
        return false;
    std::memset(node->path, 0, sizeof node->path);
    std::memset(node->secondPath, 0, sizeof node->secondPath);
    CopyText(node->path, path != nullptr ? path : "", PathSize);
    if (secondPath != nullptr)
        CopyText(node->secondPath, secondPath, PathSize);
    node->older = *top;
    node->newer = nullptr;
    if (*top != nullptr)
        (*top)->newer = node;
    *top = node;
    UnsavedEdits = true;
    return true;
}

bool PopHistoryNode(HistoryNode** top) {
    HistoryNode* node = *top;
    if (node == nullptr)
        return false;
    *top = node->older;
    if (*top != nullptr)
        (*top)->newer = nullptr;
    delete node;
    return true;
}

bool PushEffectNode(EffectNode** top, int32_t value) {
    EffectNode* node = new (std::nothrow) EffectNode;
    if (node == nullptr)
        return false;
    node->value = value;
    node->older = *top;
    node->newer = nullptr;
    if (*top != nullptr)
        (*top)->newer = node;
    *top = node;
    UnsavedEdits = true;
    return true;
}

bool PopEffectNode(EffectNode** top, int32_t* value) {
    EffectNode* node = *top;
    if (node == nullptr)
        return false;
    *top = node->older;
    if (*top != nullptr)
        (*top)->newer = nullptr;
    if (value != nullptr)
        *value = node->value;
    delete node;
    return true;
}

bool NamesTemporaryFiles(int screenCode) {
    return (screenCode >= 40 && screenCode <= 43) || screenCode == 5;
}

namespace {

// Pops the top entry, deleting its file first, and forgets it as the floor.
void RemoveTop(FileRemover remove) {
    if (remove != nullptr)
        remove(HistoryTop->path);
    if (HistoryTop == HistoryFloor)
        HistoryFloor = nullptr;
    PopHistoryNode(&HistoryTop);
}

} // namespace

void DiscardRedo(FileRemover remove) {
    while (HistoryTop != nullptr && HistoryTop != HistoryCursor)
        RemoveTop(remove);
    HistoryTop = HistoryCursor;
}

void RecordHistoryState(const char* path, const char* secondPath) {
    PushHistoryNode(&HistoryTop, path, secondPath);
    HistoryCursor = HistoryTop;
}

HistoryStep StepBack() {
    if (HistoryCursor == nullptr)
        return {false, nullptr};
    if (HistoryCursor->older == nullptr)
        HistoryFloor = HistoryCursor;
    HistoryCursor = HistoryCursor->older;
    return {true, HistoryCursor};
}

HistoryStep StepForward() {
    if (HistoryCursor == HistoryTop)
        return {false, nullptr};
    HistoryNode* next = HistoryCursor != nullptr ? HistoryCursor->newer : HistoryFloor;
    HistoryCursor = next;
    return {next != nullptr, next};
}

bool ForgetHistoryEntry(const char* path) {
    HistoryNode* node = HistoryTop;
    while (node != nullptr && std::strcmp(node->path, path) != 0)
        node = node->older;
    if (node == nullptr)
        return false;
    if (HistoryCursor == node)
        HistoryCursor = node->older;
    if (HistoryFloor == node)
        HistoryFloor = node->newer;
    if (HistoryTop == node)
        HistoryTop = node->older;
    if (node->older != nullptr)
        node->older->newer = node->newer;
    if (node->newer != nullptr)
        node->newer->older = node->older;
    delete node;
    return true;
}

void ClearsHistory() {
    HistoryCursor = nullptr;
}

void EmptyHistory(FileRemover remove) {
    while (HistoryTop != nullptr)
        RemoveTop(remove);
    HistoryCursor = nullptr;
    HistoryFloor = nullptr;
}

void EmptyEffectStack() {
    while (PopEffectNode(&EffectTop, nullptr)) {
    }
    EffectCursor = nullptr;
    EffectFloor = nullptr;
}
