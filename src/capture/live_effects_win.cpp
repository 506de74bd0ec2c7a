#include "capture/live_effects_win.h"

#include "capture/live_effect.h"
#include "capture/live_preview_win.h"
#include "common/text.h"
#include "skin/skin_tables.h"
#include "skin/skin_win.h"
#include "skin/upright_image_win.h"

#include <gdiplus.h>

#include <cstring>

namespace {

using namespace Gdiplus::DllExports;

// The caption lines, one under the other, read once for each skin set.
HDC CaptionDC = nullptr;
char CaptionLoadedFrom[PathSize] = "";
// The line last shown: the window is invalidated only when it changes (a new back buffer is
// invalidated whole by the buttons' drawing).
HDC CaptionDrawnOn = nullptr;
int CaptionDrawnLine = -1;

bool IsPickerSlot(int slot) {
    return slot >= CameraSlot::FirstLiveEffect && slot <= CameraSlot::LastLiveEffect;
}

// A missing caption picture leaves the line as the background drew it, the tiles still work,
// and it is not looked for again until the screen opens again.
bool LoadCaptions(HWND screen) {
    if (std::strcmp(CaptionLoadedFrom, LiveCaptionPath) == 0)
        return CaptionDC != nullptr;
    ReleaseLiveEffectPictures();
    CopyText(CaptionLoadedFrom, LiveCaptionPath, PathSize);
    Gdiplus::GpImage* image = nullptr;
    if (LoadUprightImage(LiveCaptionPath, &image) != Gdiplus::Ok)
        return false;
    const int w = LiveEffectCaptionWidth, h = LiveEffectCaptionHeight * LiveCaptionLines;
    HDC windowDC = GetDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, w, h);
    CaptionDC = bitmap != nullptr ? CreateCompatibleDC(windowDC) : nullptr;
    if (CaptionDC == nullptr && bitmap != nullptr)
        DeleteObject(bitmap);
    if (CaptionDC != nullptr) {
        SelectObject(CaptionDC, bitmap);
        Gdiplus::GpGraphics* graphics = nullptr;
        if (GdipCreateFromHDC(CaptionDC, &graphics) == Gdiplus::Ok) {
            GdipDrawImageRectI(graphics, image, 0, 0, w, h);
            GdipDeleteGraphics(graphics);
        }
    }
    ReleaseDC(screen, windowDC);
    GdipDisposeImage(image);
    return CaptionDC != nullptr;
}

void ShowCaption(HWND screen, int line) {
    if (BackBufferDC == nullptr || !LoadCaptions(screen))
        return;
    // Drawn every time: a back buffer made anew may have the handle of the one before.
    BitBlt(BackBufferDC, LiveEffectCaptionX, LiveEffectCaptionY, LiveEffectCaptionWidth,
           LiveEffectCaptionHeight, CaptionDC, 0, line * LiveEffectCaptionHeight, SRCCOPY);
    if (CaptionDrawnOn == BackBufferDC && CaptionDrawnLine == line)
        return;
    const RECT r{LiveEffectCaptionX, LiveEffectCaptionY,
                 LiveEffectCaptionX + LiveEffectCaptionWidth,
                 LiveEffectCaptionY + LiveEffectCaptionHeight};
    InvalidateRect(screen, &r, FALSE);
    CaptionDrawnOn = BackBufferDC;
    CaptionDrawnLine = line;
}

} // namespace

int ChosenLiveEffectSlot() {
    return CameraSlot::FirstLiveEffect + ChoiceOfLiveEffect(LiveEffect);
}

bool PressLiveEffect(HWND screen, int slot) {
    if (!IsPickerSlot(slot))
        return false;
    LiveEffect = LiveEffectOfChoice(slot - CameraSlot::FirstLiveEffect);
    DrawCameraButtons(screen, slot);
    // The choice shows at once, not only with the next frame.
    ShowFrameAgain();
    return true;
}

void DrawCameraButtons(HWND screen, int hoveredSlot) {
    DrawScreenButtons(screen, SkinChild01, ChosenLiveEffectSlot(), hoveredSlot);
    const int tile = IsPickerSlot(hoveredSlot) ? hoveredSlot : ChosenLiveEffectSlot();
    ShowCaption(screen, tile - CameraSlot::FirstLiveEffect);
}

void ReleaseLiveEffectPictures() {
    DeleteSurface(CaptionDC);
    CaptionLoadedFrom[0] = '\0';
    CaptionDrawnOn = nullptr;
    CaptionDrawnLine = -1;
}
