#include "picture/history_win.h"

#include "common/text.h"

#include "picture/picture_window_win.h"
#include "picture/temporary_picture.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/temporary_files_win.h"
#include "skin/color_planes.h"

#include <windows.h>

#include <cstring>
#include <deque>
#include <memory>
#include <new>

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

// History files are written by one thread of their own, so that a press does not wait for the
// disk. Every other use of the files (reading, deleting, stepping) first waits until the writes
// are done, so it sees exactly the files and the entries that writing in place would have left.
struct PendingWrite {
    char name[PathSize];
    std::unique_ptr<uint8_t[]> planes; // blue, green and red, area x area bytes each
    int areaWidth, areaHeight;
};

// Written buffers are kept for the next presses: fresh memory costs more to touch than to copy.
struct SpareBuffer {
    std::unique_ptr<uint8_t[]> planes;
    std::size_t size;
};

constexpr std::size_t MaxPendingWrites = 8;

CRITICAL_SECTION WritesLock;
CONDITION_VARIABLE WritesChanged;
std::deque<PendingWrite> Writes; // the first one is being written
std::deque<PendingWrite> FailedWrites;
std::deque<SpareBuffer> SpareBuffers;
bool WriterStarted = false;
bool WriterToEnd = false; // under WritesLock
HANDLE Writer = nullptr;

DWORD WINAPI WriteHistoryFiles(void*) {
    EnterCriticalSection(&WritesLock);
    for (;;) {
        while (Writes.empty() && !WriterToEnd)
            SleepConditionVariableCS(&WritesChanged, &WritesLock, INFINITE);
        if (Writes.empty()) {
            LeaveCriticalSection(&WritesLock);
            return 0;
        }
        PendingWrite& job = Writes.front();
        LeaveCriticalSection(&WritesLock);
        const std::size_t n = static_cast<std::size_t>(job.areaWidth) * job.areaHeight;
        const bool written =
            WriteTemporaryPicture(PlatformFileIo, job.name, job.planes.get(), job.planes.get() + n,
                                  job.planes.get() + 2 * n, job.areaWidth, job.areaHeight) != 0;
        EnterCriticalSection(&WritesLock);
        if (!written) {
            FailedWrites.push_back(std::move(Writes.front()));
            PostMessageA(MainWindow, HistoryWriteFailedMessage, 0, 0);
        } else if (SpareBuffers.size() < MaxPendingWrites) {
            SpareBuffers.push_back(SpareBuffer{std::move(job.planes), 3 * n});
        }
        Writes.pop_front();
        WakeAllConditionVariable(&WritesChanged);
    }
}

bool StartWriter() {
    if (WriterStarted)
        return true;
    InitializeCriticalSection(&WritesLock);
    InitializeConditionVariable(&WritesChanged);
    WriterToEnd = false;
    Writer = CreateThread(nullptr, 0, WriteHistoryFiles, nullptr, 0, nullptr);
    if (Writer == nullptr) {
        DeleteCriticalSection(&WritesLock);
        return false;
    }
    WriterStarted = true;
    return true;
}

// A thread still running when the process ends is killed wherever it stands: the writer
// finishes its queue and ends first.
void StopWriter() {
    if (!WriterStarted)
        return;
    EnterCriticalSection(&WritesLock);
    WriterToEnd = true;
    WakeAllConditionVariable(&WritesChanged);
    LeaveCriticalSection(&WritesLock);
    WaitForSingleObject(Writer, INFINITE);
    CloseHandle(Writer);
    Writer = nullptr;
    DeleteCriticalSection(&WritesLock);
    WriterStarted = false;
}

// Hands the area of CurrentPicture to the writer; false when there is no memory or thread for
// it, and the caller writes in place.
bool QueueWrite(const char* name) {
    if (!StartWriter() || AreaWidth <= 0 || AreaHeight <= 0)
        return false;
    const std::size_t n = static_cast<std::size_t>(AreaWidth) * AreaHeight;
    PendingWrite job{};
    EnterCriticalSection(&WritesLock);
    while (!SpareBuffers.empty() && !job.planes) {
        if (SpareBuffers.front().size == 3 * n)
            job.planes = std::move(SpareBuffers.front().planes);
        SpareBuffers.pop_front();
    }
    LeaveCriticalSection(&WritesLock);
    if (!job.planes)
        job.planes.reset(new (std::nothrow) uint8_t[3 * n]);
    if (!job.planes)
        return false;
    std::memcpy(job.planes.get(), CurrentPicture.blue, n);
    std::memcpy(job.planes.get() + n, CurrentPicture.green, n);
    std::memcpy(job.planes.get() + 2 * n, CurrentPicture.red, n);
    CopyText(job.name, name, PathSize);
    job.areaWidth = AreaWidth;
    job.areaHeight = AreaHeight;
    EnterCriticalSection(&WritesLock);
    while (Writes.size() >= MaxPendingWrites)
        SleepConditionVariableCS(&WritesChanged, &WritesLock, INFINITE);
    Writes.push_back(std::move(job));
    WakeAllConditionVariable(&WritesChanged);
    LeaveCriticalSection(&WritesLock);
    return true;
}

// Said whenever a step's file cannot be written; the step is then not in the history.
void ReportStepNotKept() {
    ShowMessage("Flimmer", "Flimmer could not keep this step for Undo: the temporary folder "
                           "is full or cannot be written. You can go on editing, but Undo cannot "
                           "come back to this step. Free some space on the disk to keep the "
                           "next ones.");
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

void PushHistory(HistoryNode** top, const char* path, const char* secondPath) {
    if (!PushHistoryNode(top, path, secondPath))
        ReportMemoryFull();
}

int PopHistory(HistoryNode** top) {
    if (PopHistoryNode(top))
        return 0;
    WriteDebugNote("The stack is empty.");
    return -1;
}

int WriteTemporaryPicture(const char* name, const uint8_t* blue, const uint8_t* green,
                          const uint8_t* red) {
    return WriteTemporaryPicture(PlatformFileIo, name, blue, green, red, AreaWidth, AreaHeight);
}

int ReadTemporaryPicture(const char* name, uint8_t* blue, uint8_t* green, uint8_t* red,
                         int deleteAfter) {
    FinishHistoryWrites();
    return ReadTemporaryPicture(PlatformFileIo, name, blue, green, red, AreaWidth, AreaHeight,
                                deleteAfter);
}

void DiscardRedo() {
    if (HistoryCursor != HistoryTop)
        FinishHistoryWrites();
    DiscardRedo(RemoverOfShownScreen());
}

void FinishHistoryWrites() {
    if (!WriterStarted)
        return;
    EnterCriticalSection(&WritesLock);
    while (!Writes.empty())
        SleepConditionVariableCS(&WritesChanged, &WritesLock, INFINITE);
    std::deque<PendingWrite> failed;
    failed.swap(FailedWrites);
    LeaveCriticalSection(&WritesLock);
    for (const PendingWrite& job : failed) {
        DeleteFileA(job.name);
        ForgetHistoryEntry(job.name);
        ReportStepNotKept();
    }
}

void Snapshot() {
    DiscardRedo();
    char name[PathSize] = {};
    DWORD error = 0;
    // An entry is pushed only for a file that holds the state: a step never lands on a missing
    // one (a write that fails later takes its entry out again).
    if (!MakeTemporaryFileName(name, &error)) {
        if (name[0] != '\0')
            DeleteFileA(name);
        ReportStepNotKept();
        return;
    }
    if (!QueueWrite(name) && WriteTemporaryPicture(name, CurrentPicture.blue, CurrentPicture.green,
                                                   CurrentPicture.red) == 0) {
        DeleteFileA(name);
        ReportStepNotKept();
        return;
    }
    if (!PushHistoryNode(&HistoryTop, name, nullptr)) {
        FinishHistoryWrites();
        DeleteFileA(name);
        ReportMemoryFull();
        return;
    }
    HistoryCursor = HistoryTop;
}

bool StepBackInHistory() {
    FinishHistoryWrites();
    const HistoryStep step = StepBack();
    if (!step.moved)
        return false;
    ShowHistoryState(step.node);
    return true;
}

bool StepForwardInHistory() {
    FinishHistoryWrites();
    const HistoryStep step = StepForward();
    if (!step.moved)
        return false;
    ShowHistoryState(step.node);
    return true;
}

void EmptyHistoryOfScreen(int screenCode) {
    FinishHistoryWrites();
    EmptyHistory(NamesTemporaryFiles(screenCode) ? DeleteHistoryFile : nullptr);
}

void EmptyStacksAtExit() {
    FinishHistoryWrites();
    StopWriter();
    EmptyHistory(RemoverOfShownScreen());
    EmptyEffectStack();
}
