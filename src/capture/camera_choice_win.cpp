#include "capture/camera_choice_win.h"

#include "capture/camera_choice.h"
#include "capture/capture_win.h"
#include "common/text.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"

#include <dshow.h>

#include <algorithm>
#include <cstring>

std::vector<std::string> CameraNames;
int CurrentCamera = -1;
std::vector<FrameSize> CameraSizes;
int CurrentSize = -1;
char WantedCamera[PathSize] = "";
char WantedSize[32] = "";

namespace {

bool HaveCamera() {
    return CurrentCamera >= 0 && CurrentCamera < static_cast<int>(CameraNames.size());
}

} // namespace

const char* CurrentCameraName() {
    return HaveCamera() ? CameraNames[CurrentCamera].c_str() : "";
}

namespace {

// A camera that sends nothing for this long gets the notice; measured under Wine, the test
// camera's first frame arrives within a second of the start.
constexpr unsigned SilentMs = 3000;
constexpr UINT WatchMs = 250;
constexpr DWORD RetryMs = 1000;

struct CameraWatch {
    bool running = false; // a graph was started and not stopped since
    bool lost = false;    // the device went away; the graph is stopped
    bool framed = false;  // a frame came since the start
    DWORD startTick = 0, lastFrameTick = 0, lastRetry = 0;
    std::string lostCamera;
    CameraNotice shown = CameraNotice::None;
};
CameraWatch Watch;
// The back buffer under the notice, to put back when it goes.
HBITMAP UnderNotice = nullptr;

const COLORREF CardColour = RGB(98, 88, 100);
const COLORREF TitleColour = RGB(255, 251, 245);
const COLORREF TextColour = RGB(232, 222, 226);

void NoticeWords(CameraNotice n, const char*& title, const char*& text) {
    if (n == CameraNotice::Disconnected) {
        title = "The camera was disconnected.";
        text = CameraNames.size() > 1
                   ? "Plug it in again or choose another camera. The picture comes back by "
                     "itself."
                   : "Plug it in again. The picture comes back by itself.";
        return;
    }
    title = "No picture from the camera.";
    text = "Check that nothing covers it and that no other program uses it. It comes back by "
           "itself.";
}

void DrawNotice(CameraNotice n) {
    HDC dc = BackBufferDC;
    if (dc == nullptr)
        return;
    const char* title = "";
    const char* text = "";
    NoticeWords(n, title, text);
    HFONT big = CreateProgramFont(19, FW_BOLD), small = CreateProgramFont(14, FW_BOLD);
    HGDIOBJ oldFont = SelectObject(dc, small);
    // The card grows with the words, which wrap to its width.
    const int w = std::min(AreaWidth - 60, 460);
    RECT words{0, 0, w - 48, 0};
    DrawTextA(dc, text, -1, &words, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const int h = 62 + (words.bottom - words.top) + 22;
    const int x = AreaOffsetX + (AreaWidth - w) / 2, y = AreaOffsetY + (AreaHeight - h) / 2;

    HBRUSH brush = CreateSolidBrush(CardColour);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(26, 164, 156));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    RoundRect(dc, x, y, x + w, y + h, 24, 24);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, big);
    SetTextColor(dc, TitleColour);
    RECT r{x + 20, y + 22, x + w - 20, y + 50};
    DrawTextA(dc, title, -1, &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, small);
    SetTextColor(dc, TextColour);
    r = RECT{x + 24, y + 62, x + w - 24, y + h - 12};
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(big);
    DeleteObject(small);
}

// Copies the picture area of the back buffer into `to`, or back from it.
void CopyArea(HBITMAP bitmap, bool save) {
    if (BackBufferDC == nullptr || bitmap == nullptr)
        return;
    HDC memory = CreateCompatibleDC(BackBufferDC);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (save)
        BitBlt(memory, 0, 0, AreaWidth, AreaHeight, BackBufferDC, AreaOffsetX, AreaOffsetY,
               SRCCOPY);
    else
        BitBlt(BackBufferDC, AreaOffsetX, AreaOffsetY, AreaWidth, AreaHeight, memory, 0, 0,
               SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void DropSavedArea() {
    if (UnderNotice != nullptr)
        DeleteObject(UnderNotice);
    UnderNotice = nullptr;
}

// The notice into the back buffer, which the picture window shows while it has no picture.
void PutNotice(CameraNotice n) {
    DropSavedArea();
    if (BackBufferDC == nullptr)
        return;
    UnderNotice = CreateCompatibleBitmap(BackBufferDC, AreaWidth, AreaHeight);
    CopyArea(UnderNotice, true);
    DrawNotice(n);
}

void ShowNotice(CameraNotice n) {
    if (n == Watch.shown)
        return;
    // Once the colour screen that replaces this one has been made, the back buffer is
    // that screen's and the notice is not drawn into it.
    const bool shown = ScreenCode == 1;
    if (Watch.shown != CameraNotice::None) {
        if (shown)
            CopyArea(UnderNotice, false);
        DropSavedArea();
    }
    Watch.shown = n;
    if (!shown)
        return;
    if (n != CameraNotice::None) {
        PutNotice(n);
        // Not the last frame frozen: the picture window shows the screen, and the notice on it.
        DeleteLiveSurface();
    }
    if (PictureWindow != nullptr)
        InvalidateRect(PictureWindow, nullptr, FALSE);
}

// The caption of a chooser button on its three pictures, right of the sign the skin drew.
void DrawCaption(int slot, const char* text) {
    const int w = SkinChild01.width[slot], h = SkinChild01.height[slot];
    const int left = h + 1;
    // A long name gets a smaller letter before it is cut short.
    int size = std::max(11, h * 2 / 5);
    HFONT font = CreateProgramFont(size, FW_BOLD);
    if (HDC probe = ButtonNormDC[slot]) {
        HGDIOBJ old = SelectObject(probe, font);
        SIZE extent{};
        GetTextExtentPoint32A(probe, text, static_cast<int>(std::strlen(text)), &extent);
        SelectObject(probe, old);
        if (extent.cx > w - 8 - left && size > 11) {
            DeleteObject(font);
            size = 11;
            font = CreateProgramFont(size, FW_BOLD);
        }
    }
    HDC surfaces[3] = {ButtonNormDC[slot], ButtonHiDC[slot], ButtonPushDC[slot]};
    for (int k = 0; k < 3; ++k) {
        HDC dc = surfaces[k];
        if (dc == nullptr)
            continue;
        const int dy = k == 2 ? 1 : 0; // the pressed face sinks a pixel
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        RECT r{left + 1, 1 + dy, w - 8 + 1, h - 1 + dy};
        SetTextColor(dc, RGB(20, 70, 80));
        DrawTextA(dc, text, -1, &r,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, text, -1, &r,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    DeleteObject(font);
}

// A button with nothing to choose: its pictures turned grey, all three alike.
void GreyButton(int slot) {
    const int w = SkinChild01.width[slot], h = SkinChild01.height[slot];
    if (ButtonNormDC[slot] == nullptr)
        return;
    void* bits = nullptr;
    HBITMAP section = CreateTopDownSection(w, h, &bits);
    if (section == nullptr)
        return;
    HDC memory = CreateCompatibleDC(ButtonNormDC[slot]);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, w, h, ButtonNormDC[slot], 0, 0, SRCCOPY);
    GdiFlush();
    auto* p = static_cast<BYTE*>(bits);
    for (int i = 0; i < w * h; ++i, p += 4) {
        const int grey = (p[0] * 29 + p[1] * 150 + p[2] * 77) >> 8;
        // Towards a calm grey, keeping the light and dark of the picture.
        const BYTE v = static_cast<BYTE>(96 + grey * 5 / 8);
        p[0] = p[1] = p[2] = v;
    }
    for (HDC dc : {ButtonNormDC[slot], ButtonHiDC[slot], ButtonPushDC[slot]})
        if (dc != nullptr)
            BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
}

// The choice in use becomes the remembered one.
void RememberChoice() {
    if (!HaveCamera())
        return;
    CopyText(WantedCamera, CameraNames[CurrentCamera].c_str(), sizeof WantedCamera);
    if (CurrentSize >= 0 && CurrentSize < static_cast<int>(CameraSizes.size()))
        CopyText(WantedSize, SizeText(CameraSizes[CurrentSize]).c_str(), sizeof WantedSize);
    if (WriteSettingString("Camera", WantedCamera) == 0 ||
        WriteSettingString("CameraSize", WantedSize) == 0)
        ShowReport("Error",
                   "Flimmer could not remember the camera you chose. It is used for now, but "
                   "Flimmer will start with the old choice next time.",
                   "Can't write Camera to Registry!");
}

bool Restart() {
    StopCapture();
    if (StartCapture() != 0)
        return false;
    RememberChoice();
    return true;
}

// The lost camera again, quietly, once it is among the devices once more.
void TryLostCamera() {
    const std::vector<std::string> names = ListCameraNames();
    if (std::find(names.begin(), names.end(), Watch.lostCamera) == names.end())
        return;
    // The remembered camera may be another one that was gone at the start.
    char remembered[PathSize];
    CopyText(remembered, WantedCamera, sizeof remembered);
    CopyText(WantedCamera, Watch.lostCamera.c_str(), sizeof WantedCamera);
    CaptureMessagesQuiet = true;
    const HRESULT hr = StartCapture();
    CaptureMessagesQuiet = false;
    CopyText(WantedCamera, remembered, sizeof WantedCamera);
    if (hr != 0)
        StopCapture();
}

} // namespace

void ReadCameraChoice() {
    ReadSettingString("Camera", "", WantedCamera, sizeof WantedCamera);
    ReadSettingString("CameraSize", "", WantedSize, sizeof WantedSize);
}

bool CameraFrameLive() {
    return Watch.running && !Watch.lost && Watch.framed &&
           GetTickCount() - Watch.lastFrameTick < SilentMs;
}

void NoteCaptureStarted() {
    Watch.running = true;
    Watch.lost = false;
    Watch.framed = false;
    Watch.startTick = GetTickCount();
    ShowNotice(CameraNotice::None);
}

void NoteCaptureStopped() {
    Watch.running = false;
}

void NoteFrameShown() {
    Watch.framed = true;
    Watch.lastFrameTick = GetTickCount();
    if (Watch.shown == CameraNotice::Silent)
        ShowNotice(CameraNotice::None);
}

bool CameraNoticeShown() {
    return Watch.shown != CameraNotice::None;
}

void DecorateCameraSkin() {
    const char* name = CurrentCameraName();
    DrawCaption(CameraSlot::CameraName, name[0] != '\0' ? name : "Camera");
    if (CameraNames.size() < 2)
        GreyButton(CameraSlot::CameraName);
    char size[32] = "Size";
    if (CurrentSize >= 0 && CurrentSize < static_cast<int>(CameraSizes.size()))
        CopyText(size, SizeText(CameraSizes[CurrentSize]).c_str(), sizeof size);
    else if (CaptureState.FrameWidth > 0)
        CopyText(size, SizeText({CaptureState.FrameWidth, CaptureState.FrameHeight}).c_str(),
                 sizeof size);
    DrawCaption(CameraSlot::CameraSize, size);
    if (CameraSizes.size() < 2)
        GreyButton(CameraSlot::CameraSize);
    // A new back buffer: the notice that stands goes on it again.
    if (Watch.shown != CameraNotice::None)
        PutNotice(Watch.shown);
}

void StartWatchingCamera(HWND screen) {
    DropSavedArea();
    Watch = CameraWatch{};
    SetTimer(screen, CameraWatchTimer, WatchMs, nullptr);
}

void StopWatchingCamera(HWND screen) {
    KillTimer(screen, CameraWatchTimer);
    DropSavedArea();
    Watch = CameraWatch{};
}

void WatchCamera(HWND) {
    // Another screen is taking over: nothing to watch for now.
    if (ScreenCode != 1)
        return;
    const DWORD now = GetTickCount();
    if (Watch.lost) {
        if (now - Watch.lastRetry >= RetryMs) {
            Watch.lastRetry = now;
            TryLostCamera();
        }
        return;
    }
    const DWORD since = now - (Watch.framed ? Watch.lastFrameTick : Watch.startTick);
    ShowNotice(NoticeFor(Watch.running, false, since, SilentMs));
}

void HoldCameraWatch() {
    Watch.startTick = Watch.lastFrameTick = GetTickCount();
}

bool HandleCameraEvents(HWND) {
    IMediaEventEx* events = CaptureState.Events;
    if (events == nullptr)
        return false;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    bool lost = false;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        // A lost device's second parameter is 0; 1 says it arrived again.
        if ((code == EC_DEVICE_LOST && p2 == 0) || code == EC_ERRORABORT ||
            code == EC_STREAM_ERROR_STOPPED)
            lost = true;
        events->FreeEventParams(code, p1, p2);
    }
    if (!lost || !Watch.running)
        return false;
    Watch.lostCamera = CurrentCameraName();
    StopCapture();
    Watch.lost = true;
    Watch.lastRetry = GetTickCount();
    ShowNotice(CameraNotice::Disconnected);
    return true;
}

bool PressCameraName(HWND) {
    if (CameraNames.size() < 2)
        return true;
    const int next = NextCamera(CurrentCamera, static_cast<int>(CameraNames.size()));
    CopyText(WantedCamera, CameraNames[next].c_str(), sizeof WantedCamera);
    WantedSize[0] = '\0'; // another camera starts at its largest size
    return Restart();
}

bool PressCameraSize(HWND) {
    if (CameraSizes.size() < 2 || Watch.lost)
        return true;
    const int next = NextSize(CurrentSize, static_cast<int>(CameraSizes.size()));
    CopyText(WantedSize, SizeText(CameraSizes[next]).c_str(), sizeof WantedSize);
    if (HaveCamera())
        CopyText(WantedCamera, CameraNames[CurrentCamera].c_str(), sizeof WantedCamera);
    return Restart();
}
