#include "picture/history_win.h"

#include "picture/picture_window_win.h"
#include "picture/temporary_picture.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/temporary_files_win.h"
#include "skin/color_planes.h"

#include <windows.h>

#include <cstring>

namespace {

void* CreateForWriting(const char* name) {
    HANDLE h =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

void* OpenForReading(const char* name) {
    HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

std::size_t WriteBytes(void* file, const uint8_t* data, std::size_t size) {
    DWORD done = 0;
    if (!WriteFile(static_cast<HANDLE>(file), data, static_cast<DWORD>(size), &done, nullptr))
        return 0;
    return done;
}

std::size_t ReadBytes(void* file, uint8_t* data, std::size_t size) {
    DWORD done = 0;
    if (!ReadFile(static_cast<HANDLE>(file), data, static_cast<DWORD>(size), &done, nullptr))
        return 0;
    return done;
}

void CloseFile(void* file) {
    CloseHandle(static_cast<HANDLE>(file));
}

void DeleteHistoryFile(const char* name) {
    DeleteFileA(name);
}

const PictureFileIo PlatformFileIo = {CreateForWriting, OpenForReading, WriteBytes,
                                      ReadBytes,        CloseFile,      DeleteHistoryFile};

FileRemover RemoverOfShownScreen() {
    return NamesTemporaryFiles(ScreenCode) ? DeleteHistoryFile : nullptr;
}

void ShowHistoryState(const HistoryNode* node) {
    if (node != nullptr)
        ReadTemporaryPicture(node->path, CurrentPicture.blue, CurrentPicture.green,
                             CurrentPicture.red, 0);
    else
        CopyPicture(EntryPicture, CurrentPicture);
    ShowPlanes(CurrentPicture);
}

} // namespace

void ReportMemoryFull() { ShowMessage("Error", "The memory is full."); }

void PushHistory(HistoryNode** top, const char* path, const char* secondPath) {
    if (!PushHistoryNode(top, path, secondPath))
        ReportMemoryFull();
}

int PopHistory(HistoryNode** top) {
    if (PopHistoryNode(top))
        return 0;
    ShowMessage("Error", "The stack is empty.");
    return -1;
}

int WriteTemporaryPicture(const char* name, const uint8_t* blue, const uint8_t* green,
                          const uint8_t* red) {
    return WriteTemporaryPicture(PlatformFileIo, name, blue, green, red, AreaWidth, AreaHeight);
}

int ReadTemporaryPicture(const char* name, uint8_t* blue, uint8_t* green, uint8_t* red,
                         int deleteAfter) {
    return ReadTemporaryPicture(PlatformFileIo, name, blue, green, red, AreaWidth, AreaHeight,
                                deleteAfter);
}

void DiscardRedo() {
    DiscardRedo(RemoverOfShownScreen());
}

void Snapshot() {
    DiscardRedo();
    char name[PathSize] = {};
    DWORD error = 0;
    // An entry is pushed only for a file that holds the state: a step never lands on a missing one.
    if (!MakeTemporaryFileName(name, &error) ||
        WriteTemporaryPicture(name, CurrentPicture.blue, CurrentPicture.green, CurrentPicture.red) ==
            0) {
        if (name[0] != '\0')
            DeleteFileA(name);
        ShowMessage("Flimmer", "Flimmer could not keep this step for Undo: the temporary folder "
                               "is full or cannot be written.");
        return;
    }
    if (!PushHistoryNode(&HistoryTop, name, nullptr)) {
        DeleteFileA(name);
        ReportMemoryFull();
        return;
    }
    HistoryCursor = HistoryTop;
}

bool StepBackInHistory() {
    const HistoryStep step = StepBack();
    if (!step.moved)
        return false;
    ShowHistoryState(step.node);
    return true;
}

bool StepForwardInHistory() {
    const HistoryStep step = StepForward();
    if (!step.moved)
        return false;
    ShowHistoryState(step.node);
    return true;
}

void EmptyHistoryOfScreen(int screenCode) {
    EmptyHistory(NamesTemporaryFiles(screenCode) ? DeleteHistoryFile : nullptr);
}

void EmptyStacksAtExit() {
    EmptyHistory(RemoverOfShownScreen());
    EmptyEffectStack();
}
