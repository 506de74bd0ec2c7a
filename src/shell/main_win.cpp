// Entry point and the main window "Flimmer", which hosts one screen at a time.
#include "capture/capture_screens_win.h"
#include "capture/open_requests_win.h"
#include "effects/colour_adjust.h"
#include "navigation/navigation_win.h"
#include "picture/history_win.h"
#include "picture/picture_file_win.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "program/temporary_files_win.h"
#include "shell/keys_win.h"
#include "shell/layout_win.h"
#include "shell/screens_win.h"
#include "skin/skin_ahead_win.h"

#include <gdiplus.h>
#include <shellapi.h>

namespace {

const char MainClassName[] = "Flimmer";
constexpr UINT RaisePictureMessage = WM_APP + 4;
constexpr int ApplicationIcon = 109;

int ShowOwnedError(const char* text, const char* caption) {
    return MessageBoxA(GetFocus(), text, caption, MB_OK | MB_ICONERROR);
}

// The picture window, owned by the main window, belongs just above it; Wine lets it drop behind
// when the main window comes forward again after a dialog or a message box.
void KeepPictureWindowAbove(HWND main) {
    if (PictureWindow == nullptr || !IsWindowVisible(PictureWindow))
        return;
    for (HWND w = GetWindow(main, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV))
        if (w == PictureWindow)
            return;
    HWND above = GetWindow(main, GW_HWNDPREV);
    if (above == nullptr || (GetWindowLongA(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        above = HWND_TOP;
    SetWindowPos(PictureWindow, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK MainWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        ShowPlanesHook = ShowPlanes;
        SpeakerOn = static_cast<int>(ReadSettingNumber("Speaker", 1));
        ApplyDisplayLayout();
        SetUpFolders();
        PictureWindow = CreateScreen(AppInstance, w, PictureScreenId);
        SetWindowPos(PictureWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        MainWindow = w;
        MoveWindow(w, 0, 0, LayoutWidth, LayoutHeight, FALSE);
        DragAcceptFiles(w, TRUE);
        DragAcceptFiles(PictureWindow, TRUE);
        // A picture named on the command line opens straight away; one that cannot be opened
        // has said why, and the program starts as it always does.
        if (StartupPicture[0] == '\0' || !PicturePathUsable(StartupPicture) ||
            !OpenPictureFromPath(w, -1, StartupPicture))
            CreateScreen(AppInstance, MainWindow, CameraScreenId);
        break;
    case WM_DESTROY:
        DeletePictureSurfaces();
        PostQuitMessage(0);
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        break;
    }
    case WM_DISPLAYCHANGE:
        OnDisplayChange();
        break;
    case WM_ACTIVATE:
        // The window comes forward after this message: look at the order once it has.
        if (LOWORD(wp) != WA_INACTIVE)
            PostMessageA(w, RaisePictureMessage, 0, 0);
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
        // Keys sent rather than typed come straight here, not through the message loop.
        if (HandleShortcut(MSG{w, msg, wp, lp, 0, {}}))
            return 0;
        break;
    case WM_COPYDATA:
        return ReceiveHandedOverPicture(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_TIMER:
        if (wp == OpenRetryTimer)
            OpenRequestedPicture();
        return 0;
    default:
        if (msg == DebugCountsMessage)
            return static_cast<LRESULT>(CountGdiObjects());
        if (msg == PressTimesMessage)
            return AnswerPressTimes(wp, lp);
        if (msg == HistoryWriteFailedMessage)
            FinishHistoryWrites();
        if (msg == OpenRequestMessage)
            OpenRequestedPicture();
        if (msg == RaisePictureMessage)
            KeepPictureWindowAbove(w);
        break;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

ATOM RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = MainClassName;
    return RegisterClassExA(&wc);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
    if (DisplayTooSmall(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) {
        ReportDisplayTooSmall();
        return 0;
    }
    AppInstance = instance;
    HWND w = CreateWindowExA(WS_EX_APPWINDOW, MainClassName, "Flimmer", WS_POPUP, StartPositionX,
                             StartPositionY, StartWindowSize, StartWindowSize, nullptr, nullptr,
                             instance, nullptr);
    if (w == nullptr)
        return 0;
    MainWindow = w;
    HDC dc = GetDC(w);
    ColorDepth = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(w, dc);
    if (ColorDepth == 16) {
        ShowOwnedError(
            "Your display shows 16-bit colour, so pictures may look less smooth. For the "
            "best colours, set the display to 32-bit colour.\n\n"
            "The color depth is equal to 16 bits.",
            "Warning!");
    } else if (ColorDepth != 24 && ColorDepth != 32) {
        ShowOwnedError("Flimmer needs a display with 16, 24 or 32-bit colour and will close now. "
                       "Set the display to 32-bit colour, then start Flimmer again.\n\n"
                       "The screen color depth must equal to 16, 24 or 32 bits.",
                       "Error!");
        return 0;
    }
    ShowWindow(w, showCommand);
    // The live preview was shown while this window was hidden; under Wine it would stay
    // beneath its owner unless shown again now.
    if (IsWindowVisible(PictureWindow)) {
        ShowWindow(PictureWindow, SW_HIDE);
        ShowWindow(PictureWindow, SW_SHOWNORMAL);
    }
    UpdateWindow(w);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(ApplicationIcon));
    SendMessageA(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    ReadStartupPicture(commandLine);
    // One copy runs: a second start hands its picture over and goes.
    if (HWND running = FindWindowA(MainClassName, nullptr)) {
        HandOverToRunningCopy(running, StartupPicture);
        return 1;
    }

    Gdiplus::GdiplusStartupInput startup;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &startup, nullptr);

    UseScreenProcedures(ScreenProcedures);
    RegisterMainClass(instance);
    EnsureSettingsKey();
    // Files of runs that were killed; this run's go on every way out below.
    RemoveTemporaryFilesOfEndedRuns();
    if (CreateMainWindow(instance, showCommand) == 0) {
        RemoveOwnTemporaryFiles();
        return 0;
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Keys and drops are answered here, whichever of the program's windows they reach.
        if (HandleShortcut(msg))
            continue;
        if (msg.message == WM_DROPFILES) {
            ReceiveDroppedFiles(reinterpret_cast<HDROP>(msg.wParam));
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    StopProgramSounds();
    EmptyStacksAtExit();
    RemoveOwnTemporaryFiles();
    // Their threads may still be decoding or letting a photo go; none may outlive the library.
    DropPreparedPictures();
    ReleaseDecodedPicture();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return static_cast<int>(msg.wParam);
}
