#include "navigation/navigation_win.h"

#include "program/layout.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/screen_slots.h"
#include "skin/skin_win.h"

#include <array>
#include <utility>

namespace {

constexpr int OpenHandCursor = 1101;
constexpr int GrabbingHandCursor = 1102;

const WNDPROC* ScreenProcedures = nullptr;

// A press is timed from the button going down until what it changed has been painted: the
// paints it caused are done here rather than when the queue next runs dry.
LRESULT TimedScreenCall(int id, HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_LBUTTONDOWN)
        return ScreenProcedures[id](w, msg, wp, lp);
    BeginPress();
    const int screenCode = ScreenTable[id].screenCode;
    const LRESULT result = ScreenProcedures[id](w, msg, wp, lp);
    if (ScreenWindow != nullptr)
        UpdateWindow(ScreenWindow);
    if (PictureWindow != nullptr && IsWindowVisible(PictureWindow))
        UpdateWindow(PictureWindow);
    EndPress(screenCode);
    return result;
}

template <int Id> LRESULT CALLBACK TimedScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return TimedScreenCall(Id, w, msg, wp, lp);
}

template <int... Ids>
constexpr std::array<WNDPROC, sizeof...(Ids)> TimedTable(std::integer_sequence<int, Ids...>) {
    return {&TimedScreenProc<Ids>...};
}

constexpr std::array<WNDPROC, ScreenCountValue> TimedProcedures =
    TimedTable(std::make_integer_sequence<int, ScreenCountValue>{});

} // namespace

void UseScreenProcedures(const WNDPROC* procedures) {
    ScreenProcedures = procedures;
}

HWND CreateScreen(HINSTANCE instance, HWND parent, int screenId) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = TimedProcedures[static_cast<std::size_t>(screenId)];
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    wc.lpszClassName = ScreenTable[screenId].className;
    RegisterClassExA(&wc); // a class still registered keeps its old registration

    const char* name = ScreenTable[screenId].className;
    if (screenId == StartScreenId)
        return CreateWindowExA(0, name, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, StartWindowSize,
                               StartWindowSize, parent, reinterpret_cast<HMENU>(1), instance,
                               nullptr);
    if (screenId == PictureScreenId)
        return CreateWindowExA(0, name, nullptr, WS_POPUP, AreaX, AreaY, AreaWidth, AreaHeight,
                               parent, nullptr, AppInstance, nullptr);
    return CreateWindowExA(0, name, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, LayoutWidth, LayoutHeight,
                           parent, reinterpret_cast<HMENU>(1), instance, nullptr);
}

void SwitchScreen(HWND oldWindow, int oldId, int targetId) {
    if (ScreenHasThumbnails(oldId) && ScreenHasThumbnails(targetId))
        ReleaseThumbnailDCs();
    ReleaseButtonDCs(ScreenSlotCount(oldId));
    CreateScreen(AppInstance, MainWindow, targetId);
    DestroyWindow(oldWindow);
    UnregisterClassA(ScreenTable[oldId].className, AppInstance);
}

void CloseProgramFromScreen(HWND window, int screenId) {
    ReleaseButtonDCs(ScreenSlotCount(screenId));
    DestroyWindow(window);
    PostQuitMessage(0);
}

void MinimiseMainWindow() {
    ShowWindow(MainWindow, SW_MINIMIZE);
}

void ReturnToCamera(HWND window, int screenId) {
    ShowWindow(PictureWindow, SW_HIDE);
    SwitchScreen(window, screenId, CameraScreenId);
}

bool HandleTitleBarSlot(HWND w, int screenId, int slot) {
    switch (slot) {
    case TitleSlot::Close:
        CloseProgramFromScreen(w, screenId);
        return true;
    case TitleSlot::Home:
        ReturnToCamera(w, screenId);
        return true;
    case TitleSlot::Min:
        MinimiseMainWindow();
        return true;
    }
    return false;
}

LRESULT StandardScreenMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp, int screenId) {
    SkinDescriptor& skin = *ScreenTable[screenId].skin;
    switch (msg) {
    case WM_CREATE:
        ScreenWindow = w;
        ScreenCode = ScreenTable[screenId].screenCode;
        LoadScreenSkin(w, skin);
        DrawScreenButtons(w, skin, -1, -1);
        return 0;
    case WM_PAINT:
        PaintFromBackBuffer(w);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        const POINT p = MessagePoint(lp);
        bool any = false;
        for (int i = 0; i < skin.M; ++i)
            if (HitSlot(skin, i, p.x, p.y)) {
                DrawScreenButtons(w, skin, -1, i);
                any = true;
            }
        if (!any)
            DrawScreenButtons(w, skin, -1, -1);
        return 0;
    }
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int PressedSlot(HWND w, LPARAM lp, int screenId, int dragPlacement) {
    SkinDescriptor& skin = *ScreenTable[screenId].skin;
    const POINT p = MessagePoint(lp);
    int slot = -1;
    for (int i = 0; i < skin.M; ++i)
        if (HitSlot(skin, i, p.x, p.y)) {
            DrawScreenButtons(w, skin, i, -1);
            PlayClick();
            slot = i;
            NotePressedSlot(slot);
        }
    if (slot < 0 && ExactDisplay == 1)
        DragMainWindow(w, dragPlacement);
    return slot;
}

void MoveMainWindowWithMouse(HWND screen) {
    // Without the button down the move loop would wait for a press that never comes
    // (Wine runs it until the next release); the window simply stays where it is.
    if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0)
        return;
    SetCapture(MainWindow);
    SetCursor(LoadCursorA(AppInstance, MAKEINTRESOURCEA(GrabbingHandCursor)));
    UpdateWindow(screen);
    ReleaseCapture();
    // The platform's move loop returns when the button is let go.
    SendMessageA(MainWindow, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    SetCursor(LoadCursorA(AppInstance, MAKEINTRESOURCEA(OpenHandCursor)));
}

void DragMainWindow(HWND screen, int placement) {
    ShowWindow(PictureWindow, SW_HIDE);
    MoveMainWindowWithMouse(screen);
    RECT r;
    GetWindowRect(MainWindow, &r);
    AreaX = AreaOffsetX + r.left;
    AreaY = AreaOffsetY + r.top;
    if (placement == 1) {
        MoveWindow(PictureWindow, AreaX, AreaY, AreaWidth, AreaHeight, FALSE);
    } else {
        int px, py;
        CentredPicturePosition(PictureWidth, PictureHeight, px, py);
        MoveWindow(PictureWindow, px, py, PictureWidth, PictureHeight, FALSE);
    }
    ShowWindow(PictureWindow, SW_SHOW);
}
