#include "capture/open_requests_win.h"

#include "capture/capture_screens_win.h"
#include "capture/command_line.h"
#include "common/text.h"
#include "picture/history.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/file_kind.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

char StartupPicture[PathSize] = "";

namespace {

// Marks our own hand-over among WM_COPYDATA messages.
constexpr ULONG_PTR HandOverTag = 0x464C4D31;

char WaitingPicture[PathSize] = "";

void WaitToOpen(const char* path) {
    CopyText(WaitingPicture, path, PathSize);
    PostMessageA(MainWindow, OpenRequestMessage, 0, 0);
}

BOOL CALLBACK FindDialog(HWND w, LPARAM found) {
    char name[16];
    if (IsWindowVisible(w) && GetClassNameA(w, name, sizeof name) > 0 &&
        std::strcmp(name, "#32770") == 0) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// A box, a file dialog or the colour dialog is up, or the window is being moved: switching
// screens now would pull the screen out from under it.
bool SomethingInTheWay() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    return found || GetCapture() != nullptr;
}

void BringToFront() {
    if (IsIconic(MainWindow))
        ShowWindow(MainWindow, SW_RESTORE);
    SetForegroundWindow(MainWindow);
}

} // namespace

bool MayReplacePicture(const char* question) {
    if (ScreenCode <= 1 || !UnsavedEdits)
        return true;
    char text[PathSize + 160];
    std::snprintf(text, sizeof text,
                  "%s\n\nThe picture you are working on has changes that are not saved. They "
                  "will be lost.",
                  question);
    return MessageBoxA(MainWindow, text, "Flimmer", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ReadStartupPicture(const char* commandLine) {
    char argument[PathSize];
    StartupPicture[0] = '\0';
    if (!PictureArgument(commandLine, argument, sizeof argument))
        return;
    const DWORD n = GetFullPathNameA(argument, PathSize, StartupPicture, nullptr);
    if (n == 0 || n >= PathSize)
        CopyText(StartupPicture, argument, PathSize);
}

bool PicturePathUsable(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ShowMessage("Flimmer",
                    "Flimmer could not find the picture \"%s\".\n\nIt may have been moved, "
                    "renamed or deleted.",
                    path);
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ShowMessage("Flimmer", "\"%s\" is a folder, not a picture.\n\nChoose a picture inside it.",
                    path);
        return false;
    }
    if (!IsPictureKind(FileKindOf(path))) {
        ShowMessage("Flimmer",
                    "\"%s\" is not a picture Flimmer can open.\n\nFlimmer opens BMP, PNG, JPEG, "
                    "TIFF and GIF pictures.",
                    path);
        return false;
    }
    return true;
}

void HandOverToRunningCopy(HWND running, const char* path) {
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{HandOverTag, static_cast<DWORD>(std::strlen(path) + 1),
                        const_cast<char*>(path)};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        5000, &answer);
}

LRESULT ReceiveHandedOverPicture(const COPYDATASTRUCT* data) {
    if (data == nullptr || data->dwData != HandOverTag || data->lpData == nullptr ||
        data->cbData == 0 || data->cbData > PathSize)
        return FALSE;
    char path[PathSize];
    std::memcpy(path, data->lpData, data->cbData);
    path[data->cbData - 1] = '\0';
    BringToFront();
    if (path[0] != '\0')
        WaitToOpen(path);
    return TRUE;
}

void ReceiveDroppedFiles(HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    char first[PathSize] = "";
    char chosen[PathSize] = "";
    for (UINT i = 0; i < count && chosen[0] == '\0'; ++i) {
        char path[PathSize];
        const UINT n = DragQueryFileA(drop, i, path, PathSize);
        if (n == 0 || n >= PathSize)
            continue;
        if (first[0] == '\0')
            CopyText(first, path, PathSize);
        if (IsPictureKind(FileKindOf(path)))
            CopyText(chosen, path, PathSize);
    }
    DragFinish(drop);
    // With no picture among them the first file is the one the message names.
    if (chosen[0] != '\0' || first[0] != '\0')
        WaitToOpen(chosen[0] != '\0' ? chosen : first);
}

void OpenRequestedPicture() {
    if (WaitingPicture[0] == '\0')
        return;
    if (SomethingInTheWay()) {
        SetTimer(MainWindow, OpenRetryTimer, 250, nullptr);
        return;
    }
    KillTimer(MainWindow, OpenRetryTimer);
    char path[PathSize];
    CopyText(path, WaitingPicture, PathSize);
    WaitingPicture[0] = '\0';
    const int id = ScreenIdOfCode(ScreenCode);
    if (id < 0 || !PicturePathUsable(path))
        return;
    char question[PathSize + 16];
    std::snprintf(question, sizeof question, "Open \"%s\"?", path);
    if (MayReplacePicture(question))
        OpenPictureFromPath(ScreenWindow, id, path);
}
