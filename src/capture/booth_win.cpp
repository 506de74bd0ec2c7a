#include "capture/booth_win.h"

#include "capture/capture_frames.h"
#include "capture/capture_screens_win.h"
#include "capture/capture_win.h"
#include "capture/countdown.h"
#include "capture/live_effect.h"
#include "capture/live_preview_win.h"
#include "capture/photo_strip.h"
#include "capture/snapshot_win.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "program/settings_win.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/skin_win.h"
#include "skin/upright_image_win.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Gdiplus::DllExports;

bool CountdownOn = true;

namespace {

constexpr UINT_PTR BoothTimerId = 0xB007;

BoothRun Run;
HWND Screen = nullptr;
// The digits 1, 2, 3 of the skin set they were loaded for; only while a run needs them.
Gdiplus::GpImage* Digits[CountdownFrom] = {};
std::vector<std::uint8_t> Shots[StripShots];
int ShotWidth = 0, ShotHeight = 0;
// Small copies of a strip's shots so far, shown along the bottom of the area while it runs.
struct Thumbnail {
    std::vector<std::uint32_t> pixels; // 32-bit, top row first
    int width = 0, height = 0;
};
Thumbnail Thumbnails[StripShots];

void ReleaseDigits() {
    for (Gdiplus::GpImage*& d : Digits) {
        if (d != nullptr)
            GdipDisposeImage(d);
        d = nullptr;
    }
}

void LoadDigits() {
    ReleaseDigits();
    for (int k = 0; k < CountdownFrom; ++k) {
        char path[PathSize];
        std::snprintf(path, sizeof path, "%s\\xDialog\\%d\\Button\\Count%d.png", ProgramFolder,
                      SkinSet, k + 1);
        // A missing picture only loses its digit; the countdown still runs.
        if (LoadUprightImage(path, &Digits[k]) != Gdiplus::Ok)
            Digits[k] = nullptr;
    }
}

void DrawDigit(HDC dc, int width, int height) {
    if (Run.digit < 1 || Run.digit > CountdownFrom || Digits[Run.digit - 1] == nullptr)
        return;
    Gdiplus::GpImage* image = Digits[Run.digit - 1];
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    Gdiplus::GpGraphics* g = nullptr;
    if (GdipCreateFromHDC(dc, &g) != Gdiplus::Ok)
        return;
    GdipDrawImageRectI(g, image, (width - static_cast<int>(w)) / 2,
                       (height - static_cast<int>(h)) / 2, static_cast<INT>(w),
                       static_cast<INT>(h));
    GdipDeleteGraphics(g);
}

// "Photo 2 of 4" on a coral badge at the top of the area while a strip runs.
void DrawProgress(HDC dc, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "Photo %d of %d", Run.taken + 1, Run.shots);
    HFONT font = CreateProgramFont(22, FW_BOLD);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    const int bw = size.cx + 36, bh = size.cy + 14;
    const int x = (width - bw) / 2, y = 14;
    HBRUSH brush = CreateSolidBrush(RGB(226, 92, 72));
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 251, 245));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    RoundRect(dc, x, y, x + bw, y + bh, bh, bh);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x + 18, y + 7, text, static_cast<int>(std::strlen(text)));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
}

void DrawThumbnails(HDC dc, int height) {
    HBRUSH paper = CreateSolidBrush(RGB(StripBorderRed, StripBorderGreen, StripBorderBlue));
    for (int i = 0; i < Run.taken && i < StripShots; ++i) {
        const Thumbnail& t = Thumbnails[i];
        if (t.pixels.empty())
            continue;
        const int x = 16 + i * (t.width + 14), y = height - t.height - 16;
        const RECT frame{x - 3, y - 3, x + t.width + 3, y + t.height + 3};
        FillRect(dc, &frame, paper);
        const BITMAPINFO info = TopDownInfo(t.width, t.height);
        SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(t.width), static_cast<DWORD>(t.height), 0, 0,
                          0, static_cast<UINT>(t.height), t.pixels.data(), &info, DIB_RGB_COLORS);
    }
    DeleteObject(paper);
}

void DrawOverlay(HDC dc, int width, int height) {
    if (Run.phase == BoothPhase::Flash) {
        RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    if (Run.phase == BoothPhase::Counting)
        DrawDigit(dc, width, height);
    if (Run.shots > 1 && BoothRunning(Run)) {
        DrawThumbnails(dc, height);
        DrawProgress(dc, width);
    }
}

// The preview again with the overlay as it is now (or without one).
void Redraw() {
    if (CaptureState.FrameBuffer != nullptr)
        ShowFrameAgain();
    else if (PictureWindow != nullptr)
        InvalidateRect(PictureWindow, nullptr, FALSE);
}

void ForgetShots() {
    for (std::vector<std::uint8_t>& s : Shots)
        std::vector<std::uint8_t>().swap(s);
    for (Thumbnail& t : Thumbnails)
        t = Thumbnail{};
    ShotWidth = ShotHeight = 0;
}

// The preview takes frames again; only while its screen is shown.
void ReleasePreview(HWND screen) {
    if (screen == ScreenWindow && IsWindow(screen))
        ShowNewestFrame();
}

void EndRun(bool redraw) {
    if (Screen != nullptr)
        KillTimer(Screen, BoothTimerId);
    const bool held = CancelBooth(Run);
    LiveOverlayHook = nullptr;
    ReleaseDigits();
    if (!redraw)
        return; // the screen or its graph is going: nothing to draw into
    // Frames that arrived during a flash were left waiting, and their notice unanswered.
    if (held)
        ReleasePreview(Screen);
    Redraw();
}

// The frame on the screen kept as shot `index`; false when there is none.
bool KeepShot(int index) {
    const CaptureGraphState& c = CaptureState;
    const BYTE* frame = GrabFrame();
    if (frame == nullptr || c.FrameBytesPerPixel != 3)
        return false;
    if (index > 0 && (c.FrameWidth != ShotWidth || c.FrameHeight != ShotHeight))
        return false; // the camera changed its size in between
    ShotWidth = c.FrameWidth;
    ShotHeight = c.FrameHeight;
    const std::size_t bytes = static_cast<std::size_t>(ShotWidth) * ShotHeight * 3;
    Shots[index].assign(frame, frame + bytes);
    return true;
}

// A sixth of the area wide, by nearest pixels: only a reminder of what was taken.
void MakeThumbnail(int index) {
    Thumbnail& t = Thumbnails[index];
    t.width = std::max(1, AreaWidth / 6);
    t.height = static_cast<int>(
        std::clamp(static_cast<long long>(ShotHeight) * t.width / std::max(1, ShotWidth), 1LL,
                   static_cast<long long>(AreaHeight / 4 + 1)));
    t.pixels.assign(static_cast<std::size_t>(t.width) * t.height, 0);
    const std::uint8_t* shot = Shots[index].data();
    for (int y = 0; y < t.height; ++y) {
        const std::size_t sy = static_cast<std::size_t>(y) * ShotHeight / t.height;
        for (int x = 0; x < t.width; ++x) {
            const std::size_t sx = static_cast<std::size_t>(x) * ShotWidth / t.width;
            const std::uint8_t* p = shot + (sy * ShotWidth + sx) * 3;
            t.pixels[static_cast<std::size_t>(y) * t.width + x] =
                p[0] | static_cast<std::uint32_t>(p[1]) << 8 |
                static_cast<std::uint32_t>(p[2]) << 16;
        }
    }
}

void FinishStrip(HWND screen) {
    const StripPlan plan = PlanStrip(StripShots, ShotWidth, ShotHeight, AreaWidth, AreaHeight);
    const std::uint8_t* shots[StripShots];
    for (int i = 0; i < StripShots; ++i)
        shots[i] = Shots[i].size() == static_cast<std::size_t>(ShotWidth) * ShotHeight * 3
                       ? Shots[i].data()
                       : nullptr;
    std::vector<std::uint8_t> strip;
    int w = 0, h = 0;
    bool made = plan.width > 0;
    if (made) {
        strip.resize(static_cast<std::size_t>(plan.width) * plan.height * 3);
        made = ComposeStrip(plan, shots, StripShots, ShotWidth, ShotHeight, strip.data(),
                            strip.size()) &&
               FitFrame(strip.data(), plan.width, plan.height, AreaWidth, AreaHeight,
                        BasePicture.blue, BasePicture.green, BasePicture.red, w, h);
    }
    ForgetShots();
    if (!made) {
        ShowReport("Error",
                   "Flimmer could not put the photo strip together. Try again, or take single "
                   "photos with OK.",
                   "The strip of %d x %d shots could not be made.", ShotWidth, ShotHeight);
        return;
    }
    PictureWidth = w;
    PictureHeight = h;
    PictureFromFile = 0;
    SnapshotRequested = 0;
    // The strip as a whole takes the effect the preview showed, as a single photo does.
    ApplyLiveEffectToSnapshot(LiveEffect);
    EnterEditingCentred(screen, CameraScreenId);
}

void Carry(HWND screen, BoothStep step) {
    KillTimer(screen, BoothTimerId);
    switch (step.action) {
    case BoothAction::None:
        // Between the shots of a strip without countdown: the preview moves again.
        ShowNewestFrame();
        Redraw();
        break;
    case BoothAction::ShowDigit:
        if (Run.digit == CountdownFrom && Run.taken > 0)
            ShowNewestFrame(); // the preview moves again after the last shot's flash
        if (SpeakerOn)
            PlayProgramSound("tick.wav");
        Redraw();
        break;
    case BoothAction::TakeShot:
        if (!KeepShot(Run.taken - 1)) {
            EndRun(true);
            ForgetShots();
            ReportNoPicture();
            return;
        }
        if (Run.shots > 1)
            MakeThumbnail(Run.taken - 1);
        if (SpeakerOn)
            PlayProgramSound("snap.wav");
        Redraw();
        break;
    case BoothAction::Finish: {
        const bool single = Run.shots == 1, shutterPlayed = Run.countdown;
        EndRun(true);
        if (single)
            TakeSnapshot(screen, shutterPlayed);
        else
            FinishStrip(screen);
        // Still here (the photo could not be made): the preview goes on from the held frame.
        ReleasePreview(screen);
        return;
    }
    }
    if (step.delayMs > 0 &&
        SetTimer(screen, BoothTimerId, static_cast<UINT>(step.delayMs), nullptr) == 0)
        EndRun(true); // without a timer the countdown would never end
}

} // namespace

void StartBoothRun(HWND screen, int shots) {
    if (BoothRunning(Run))
        return;
    Screen = screen;
    ForgetShots();
    const BoothStep first = StartBooth(Run, shots, CountdownOn);
    if (BoothRunning(Run)) {
        if (CountdownOn)
            LoadDigits();
        LiveOverlayHook = DrawOverlay;
    }
    Carry(screen, first);
}

void BoothTimer(HWND screen) {
    // A timer message already queued when the run ended does nothing.
    if (!BoothRunning(Run) || screen != Screen) {
        KillTimer(screen, BoothTimerId);
        return;
    }
    Carry(screen, AdvanceBooth(Run));
}

bool StopBooth(bool redraw) {
    const bool running = BoothRunning(Run);
    EndRun(redraw && running);
    ForgetShots();
    return running;
}

bool BoothHoldsPreview() {
    return BoothHoldsFrame(Run);
}

void ToggleCountdown() {
    CountdownOn = !CountdownOn;
    RememberSwitch("Countdown", CountdownOn, "countdown");
}

void ReportNoPicture() {
    ReportCaptureError("There is no picture from the camera yet, so no photo was taken. Wait "
                       "until the camera's picture shows, then try again.",
                       "No frame has arrived from the camera.");
}
