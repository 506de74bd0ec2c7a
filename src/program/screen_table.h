// The screens of the program: one window class per screen, one shown at a time.
#pragma once

struct SkinDescriptor;

enum ScreenIdValue {
    StartScreenId = 0,
    CameraScreenId = 1,
    ColourScreenId = 2,
    PerspectiveScreenId = 3,
    BackgroundScreenId = 4,
    PenScreenId = 5,
    OrnamentScreenId = 6,
    SecondOrnamentScreenId = 7,
    ForegroundScreenId = 8,
    CoverScreenId = 9,
    GalleryScreenId = 10,
    ExportScreenId = 11,
    PictureScreenId = 12,
    ScreenCountValue = 13
};

struct ScreenRow {
    const char* className;
    int screenCode;     // -1 for the picture window
    SkinDescriptor* skin; // nullptr for the picture window
};

extern const ScreenRow ScreenTable[ScreenCountValue];

// Code of the shown screen, -1 before the first one exists.
extern int ScreenCode;

// The row whose screen code is the given one, or -1.
int ScreenIdOfCode(int screenCode);
// Slots a screen releases when it hands over (its skin's M).
int ScreenSlotCount(int screenId);
// Slots whose pictures a screen loaded (its skin's N): what a display change releases.
int ScreenLoadedCount(int screenId);
// The screen that the decoration selector button fun0..fun5 (k) leads to.
int DecorationScreenOfSelector(int k);
// True for the decoration screens that show thumbnails (Child40, Child42..Child45).
bool ScreenHasThumbnails(int screenId);
