#include "capture/file_dialog_win.h"

#include "skin/skin_tables.h"

OPENFILENAMEA OpenFileSpec;

void PrepareFileDialog(HWND owner, FilterChoice choice) {
    ZeroMemory(&OpenFileSpec, sizeof OpenFileSpec);
    OpenFileSpec.lStructSize = sizeof OpenFileSpec;
    OpenFileSpec.hwndOwner = owner;
    OpenFileSpec.lpstrFilter = DialogFilter(choice);
    OpenFileSpec.nMaxFile = PathSize;
    OpenFileSpec.nMaxFileTitle = PathSize;
    OpenFileSpec.lpstrDefExt = "bmp";
}

namespace {
void SetBuffers(HWND owner, char* file, char* title, DWORD flags) {
    OpenFileSpec.hwndOwner = owner;
    OpenFileSpec.lpstrFile = file;
    OpenFileSpec.lpstrFileTitle = title;
    OpenFileSpec.Flags = flags;
}
} // namespace

BOOL AskOpenFile(HWND owner, char* file, char* title) {
    SetBuffers(owner, file, title, 0);
    return GetOpenFileNameA(&OpenFileSpec);
}

BOOL AskSaveFile(HWND owner, char* file, char* title) {
    SetBuffers(owner, file, title, OFN_OVERWRITEPROMPT);
    return GetSaveFileNameA(&OpenFileSpec);
}
