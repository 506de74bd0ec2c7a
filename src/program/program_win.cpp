#include "program/program_win.h"

#include "common/message_text.h"

HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
HWND ScreenWindow = nullptr;
HWND PictureWindow = nullptr;
int ColorDepth = 0;
int SpeakerOn = 1;

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

void ReportDisplayTooSmall() {
    MessageBoxA(GetFocus(), "The screen resolution must large then 1024x600.", "Error!",
                MB_OK | MB_ICONERROR);
}
