// What every layer of the program may use: its windows and the one way it reports to the user.
// The shell sets the windows; the navigation sets ScreenWindow when a screen opens.
#pragma once
#include <windows.h>

#include <cstdarg>

extern HINSTANCE AppInstance;
extern HWND MainWindow;    // the main window "Flimmer", host of one screen at a time
extern HWND ScreenWindow;  // the screen shown
extern HWND PictureWindow; // the borderless window that shows the picture being edited
extern int ColorDepth;
extern int SpeakerOn;

// Bits per pixel of the display now (it may change while the program runs).
int DisplayDepth();

// The one error and debug report: an ownerless box with an OK button.
int ShowMessage(const char* caption, const char* format, ...);
// The same report in a box of the given style.
int ShowMessageStyled(const char* caption, UINT style, const char* format, va_list args);
// A report in two paragraphs (FormatReportText): what happened and what the user can do, then
// the technical detail.
int ShowReport(const char* caption, const char* sentence, const char* detailFormat, ...);
// The same report in a box of the given style.
int ShowReportStyled(const char* caption, UINT style, const char* sentence,
                     const char* detailFormat, va_list args);
// A note that helps only a developer: to the debugger's output, never in a box.
void WriteDebugNote(const char* format, ...);
// The refusal of a display smaller than 1024 x 600, over the window that has the focus.
void ReportDisplayTooSmall();
// Memory ran out for a list or a stack of the program's.
void ReportMemoryFull();

// The debug channel of the end-to-end tests: this registered message, sent to the main window,
// answers CountGdiObjects(). Nothing a user sees.
extern const UINT DebugCountsMessage;
// Live GDI objects of this process: the system's own count where it keeps one; under Wine,
// whose count is always 0, the used entries of the process's GDI handle table.
unsigned long CountGdiObjects();
