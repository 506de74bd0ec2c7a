// The skins of all screens: static tables compiled in, with the cells that the
// program rewrites at run time (title-bar x, bottom-row y, folder digit, paths).
#pragma once
#include "skin/screen_slots.h"

constexpr int PathSize = 260;
constexpr int MaxSlots = 34;

struct SkinDescriptor {
    char background[PathSize];
    int N; // slots whose pictures are loaded
    int M; // slots drawn and hit-tested
    char norm[MaxSlots][PathSize];
    char hi[MaxSlots][PathSize];
    char push[MaxSlots][PathSize];
    int width[MaxSlots];
    int height[MaxSlots];
    int x[MaxSlots];
    int y[MaxSlots];
    int blackKeyedSlots; // slots below it are keyed on black, the rest on pure red
};

extern SkinDescriptor SkinChild00;
extern SkinDescriptor SkinChild01;
extern SkinDescriptor SkinChild02;
extern SkinDescriptor SkinChild03;
extern SkinDescriptor SkinChild40;
extern SkinDescriptor SkinChild41;
extern SkinDescriptor SkinChild4x; // shared by Child42..Child45
extern SkinDescriptor SkinChild05;
extern SkinDescriptor SkinChild06;

constexpr int SkinCount = 9;
// In the order in which the program folder is put in front of their paths.
extern SkinDescriptor* const AllSkins[SkinCount];

// The six relative speaker pictures: SpkON norm, hi, push, then SpkOFF norm, hi, push.
extern char SpeakerPaths[6][PathSize];
// The same for the camera screen's mirror button: MirrorOff, then MirrorOn.
extern char MirrorPaths[6][PathSize];
// The same for the camera screen's countdown button: TimerOff, then TimerOn.
extern char CountdownPaths[6][PathSize];
extern char HoverMaskPath[PathSize];
extern char SelectionMaskPath[PathSize];

constexpr int SpeakerSlotStart = StartSlot::Speaker;
constexpr int SpeakerSlotCamera = CameraSlot::Speaker;
constexpr int ThumbnailCount = 16;
constexpr int GalleryBlackSlots = 19; // effect-gallery slots drawn with black as key

// The camera screen's live-effect picker on its side panel: a caption line naming the hovered or
// chosen effect, then four rows of four tiles (the same place at every layout).
constexpr int LiveEffectCaptionX = 24, LiveEffectCaptionY = 211;
constexpr int LiveEffectCaptionWidth = 298, LiveEffectCaptionHeight = 18;
constexpr int LiveEffectTileX = 24, LiveEffectTileY = 232;
constexpr int LiveEffectTileWidth = 70, LiveEffectTileHeight = 42;
constexpr int LiveEffectTileStepX = 76, LiveEffectTileStepY = 44;
// The caption pictures, one line for each tile, in the tiles' order.
extern char LiveCaptionPath[PathSize];
constexpr int LiveCaptionLines = CameraSlot::LiveEffectSlots;

// Title-bar x of slots 0..3 (and the camera screen's 0..1) from the layout width.
void SetTitleBarCells(int layoutWidth);
// The camera screen's row of choosers under its heading: the camera's name, then the size.
constexpr int CameraChoiceTop = 166;
constexpr int CameraChoiceHeight = 34;
struct CameraChoiceRow {
    int nameX, nameWidth, sizeX, sizeWidth;
};
CameraChoiceRow CameraChoiceCells(int layoutWidth);
// Bottom-row y of slots 4..7 (camera 2..7, export 4) from the layout height.
void SetBottomRowCells(int layoutHeight);
// Writes '0' + skinSet after "\xDialog\" in every skin path and speaker and mirror path.
void SetSkinDigit(int skinSet);
// Puts the program folder in front of every skin path and the two mask paths.
void MakeSkinPathsAbsolute(const char* programFolder);
// Sets the speaker slot's three paths: SpkON pictures when speakerOn is 0, SpkOFF when 1.
void SetSpeakerPictures(SkinDescriptor& skin, int slot, int speakerOn, const char* programFolder);
// Sets the mirror slot's three paths: MirrorOn pictures while the preview is mirrored.
void SetMirrorPictures(SkinDescriptor& skin, int slot, bool mirrored, const char* programFolder);
// Sets the countdown slot's three paths: TimerOn pictures while the countdown is on.
void SetCountdownPictures(SkinDescriptor& skin, int slot, bool on, const char* programFolder);

// Slot i contains the point: left and top edges inside, right and bottom outside.
bool HitSlot(const SkinDescriptor& skin, int i, int x, int y);
// The highest slot below M that contains the point, or -1.
int SlotAtPoint(const SkinDescriptor& skin, int x, int y);
