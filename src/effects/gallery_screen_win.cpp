// "Child05": fifteen one-press effects with a history of the pictures shown.
#include "effects/effect_screens_win.h"
#include "effects/gallery_effects.h"
#include "navigation/navigation_win.h"
#include "picture/history.h"
#include "picture/history_win.h"
#include "picture/picture_window_win.h"
#include "program/press_timing_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/skin_tables.h"
#include "skin/skin_win.h"

namespace {

constexpr int RememberedBelow = 10;

// The last button below 10 pressed in this run, shown pressed when the gallery opens.
int RememberedButton = -1;

void ApplyEffect(int effect) {
    Snapshot();
    {
        const KernelSpan kernel;
        ApplyGalleryEffect(effect);
    }
    ShowPlanes(GalleryPicture);
    CopyPicture(GalleryPicture, CurrentPicture);
}

void Clears() {
    while (StepBack().node != nullptr) {
    }
    CopyPicture(EntryPicture, GalleryPicture);
    RestoreEntryPicture();
}

void CommitGalleryPicture(HWND w, int target) {
    CopyPicture(GalleryPicture, BasePicture);
    CopyPicture(GalleryPicture, CurrentPicture);
    SwitchScreen(w, GalleryScreenId, target);
}

void PressGallery(HWND w, LPARAM lp) {
    const int slot = PressedSlot(w, lp, GalleryScreenId, GalleryScreenId);
    if (slot >= 0 && slot < RememberedBelow)
        RememberedButton = slot;
    if (HandleTitleBarSlot(w, GalleryScreenId, slot))
        return;
    switch (slot) {
    case TitleSlot::Pre:
        CommitGalleryPicture(w, BackgroundScreenId);
        break;
    case TitleSlot::Ok:
        CommitGalleryPicture(w, ExportScreenId);
        break;
    case GallerySlot::Clears:
        Clears();
        break;
    case GallerySlot::Back:
    case GallerySlot::Forward:
        // The next effect starts from the picture now shown, and OK or Pre keep that picture.
        if (slot == GallerySlot::Back ? StepBackInHistory() : StepForwardInHistory()) {
            CopyPicture(CurrentPicture, BasePicture);
            CopyPicture(CurrentPicture, GalleryPicture);
        }
        break;
    default:
        if (slot >= GallerySlot::FirstEffect && slot < GallerySlot::FirstEffect + GalleryEffectCount)
            ApplyEffect(slot - GallerySlot::FirstEffect);
    }
}

} // namespace

LRESULT CALLBACK GalleryScreenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        StandardScreenMessage(w, msg, wp, lp, GalleryScreenId);
        DrawScreenButtons(w, SkinChild05, RememberedButton, -1);
        CopyPicture(BasePicture, EntryPicture);
        CopyPicture(BasePicture, GalleryPicture);
        return 0;
    case WM_DESTROY:
        // The next screen has already taken ScreenCode: name our own.
        EmptyHistoryOfScreen(ScreenTable[GalleryScreenId].screenCode);
        return 0;
    case WM_LBUTTONUP:
        return 0;
    case WM_LBUTTONDOWN:
        PressGallery(w, lp);
        return 0;
    }
    return StandardScreenMessage(w, msg, wp, lp, GalleryScreenId);
}
