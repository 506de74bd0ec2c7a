#include "program/program_win.h"

#include "common/message_text.h"

#include <winternl.h>

HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
HWND ScreenWindow = nullptr;
HWND PictureWindow = nullptr;
int ColorDepth = 0;
int SpeakerOn = 1;

int DisplayDepth() {
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return depth;
}

int ShowMessage(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int answer = ShowMessageStyled(caption, MB_OK, format, args);
    va_end(args);
    return answer;
}

int ShowMessageStyled(const char* caption, UINT style, const char* format, va_list args) {
    char text[MessageTextSize];
    FormatMessageText(text, format, args);
    return MessageBoxA(nullptr, text, caption, style);
}

int ShowReport(const char* caption, const char* sentence, const char* detailFormat, ...) {
    va_list args;
    va_start(args, detailFormat);
    const int answer = ShowReportStyled(caption, MB_OK, sentence, detailFormat, args);
    va_end(args);
    return answer;
}

int ShowReportStyled(const char* caption, UINT style, const char* sentence,
                     const char* detailFormat, va_list args) {
    char text[MessageTextSize];
    FormatReportText(text, sentence, detailFormat, args);
    return MessageBoxA(nullptr, text, caption, style);
}

void WriteDebugNote(const char* format, ...) {
    char text[MessageTextSize];
    va_list args;
    va_start(args, format);
    FormatMessageText(text, format, args);
    va_end(args);
    OutputDebugStringA(text);
    OutputDebugStringA("\n");
}

void ReportDisplayTooSmall() {
    MessageBoxA(GetFocus(),
                "Flimmer needs a screen of at least 1024 x 600 pixels and will close now. Set a "
                "larger screen resolution, then start Flimmer again.\n\n"
                "The screen resolution must large then 1024x600.",
                "Error!", MB_OK | MB_ICONERROR);
}

void ReportMemoryFull() {
    ShowReport("Error", "Flimmer ran out of memory. Close some other programs, then try again.",
               "The memory is full.");
}

const UINT DebugCountsMessage = RegisterWindowMessageA("Flimmer.DebugCounts");

namespace {

// One entry of the GDI handle table, as Windows and Wine lay it out.
struct GdiHandleEntry {
    unsigned long long object;
    unsigned short processId; // 0 under Wine, whose table is the process's own
    unsigned short count;
    unsigned short unique;
    unsigned char type; // 0: a free entry
    unsigned char flags;
    unsigned long long user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr int WineGdiHandles = 0x4000;

} // namespace

unsigned long CountGdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return counted;
#ifdef _WIN64
    // The PEB's GdiSharedHandleTable. (The header's segment read looks like an array to GCC.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const char* peb = reinterpret_cast<const char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xf8);
    if (table == nullptr)
        return 0;
    unsigned long n = 0;
    for (int i = 0; i < WineGdiHandles; ++i)
        if (table[i].type != 0 && table[i].processId == 0)
            ++n;
    return n;
#else
    return 0;
#endif
}
