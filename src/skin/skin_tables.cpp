#include "skin/skin_tables.h"

#include "common/text.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

const char DialogFolder[] = "\\xDialog\\0\\DialogBox\\";
const char ButtonFolder[] = "\\xDialog\\0\\Button\\";
const char DigitMarker[] = "\\xDialog\\";

struct Slot {
    const char* name; // nullptr: a slot without pictures
    int x, y, w, h;
};

void SetButtonPaths(SkinDescriptor& d, int i, const char* name) {
    if (name == nullptr)
        return;
    if (name[0] == 'O' && name[1] >= '0' && name[1] <= '9') {
        // Effect buttons: a PNG for rest, JPEGs for hover and press.
        std::snprintf(d.norm[i], PathSize, "%s%s.png", ButtonFolder, name);
        std::snprintf(d.hi[i], PathSize, "%s%sh.jpg", ButtonFolder, name);
        std::snprintf(d.push[i], PathSize, "%s%s.jpg", ButtonFolder, name);
        return;
    }
    std::snprintf(d.norm[i], PathSize, "%s%s_norm.PNG", ButtonFolder, name);
    std::snprintf(d.hi[i], PathSize, "%s%s_hi.PNG", ButtonFolder, name);
    std::snprintf(d.push[i], PathSize, "%s%s_push.PNG", ButtonFolder, name);
}

void AddSlots(SkinDescriptor& d, int& i, std::initializer_list<Slot> slots) {
    for (const Slot& s : slots) {
        SetButtonPaths(d, i, s.name);
        d.x[i] = s.x;
        d.y[i] = s.y;
        d.width[i] = s.w;
        d.height[i] = s.h;
        ++i;
    }
}

// Title-bar x values are written by SetTitleBarCells; 0 here.
void AddTitleBar(SkinDescriptor& d, int& i) {
    AddSlots(d, i, {{"Close", 0, 0, 42, 23}, {"H", 0, 0, 29, 23}, {"Min", 0, 0, 29, 23},
                    {"Pre", 0, 0, 36, 23}});
}

void AddBottomRow(SkinDescriptor& d, int& i) {
    AddSlots(d, i, {{"OK", 250, 542, 50, 50}, {"Clears", 204, 552, 46, 29},
                    {"Redos", 157, 552, 46, 29}, {"Undos", 110, 552, 46, 29}});
}

void AddScreenSelector(SkinDescriptor& d, int& i) {
    AddSlots(d, i, {{"fun0", 25, 35, 72, 50}, {"fun1", 25, 86, 72, 50}, {"fun2", 97, 35, 72, 50},
                    {"fun3", 97, 86, 72, 50}, {"fun4", 169, 35, 72, 50}, {"fun5", 169, 86, 72, 50}});
}

void AddThumbnails(SkinDescriptor& d, int& i, int first) {
    for (int k = first; k < ThumbnailCount; ++k)
        AddSlots(d, i, {{nullptr, 36 + 70 * (k % 4), 194 + 70 * (k / 4), 64, 64}});
}

void Begin(SkinDescriptor& d, const char* background, int n, int m) {
    std::memset(&d, 0, sizeof d);
    std::snprintf(d.background, PathSize, "%s%s", DialogFolder, background);
    d.N = n;
    d.M = m;
    d.blackKeyedSlots = m;
}

SkinDescriptor MakeChild00() {
    SkinDescriptor d;
    Begin(d, "Dlg0.bmp", 5, 5);
    int i = 0;
    AddSlots(d, i, {{"Close", 316, 0, 42, 23}, {"Min0", 280, 0, 36, 23}, {"OK", 257, 307, 50, 50},
                    {"SpkON", 220, 317, 38, 29}, {"CAM", 182, 317, 38, 29}});
    return d;
}

// The camera screen's live-effect tiles: four rows of four under their caption line.
void AddLiveEffectPicker(SkinDescriptor& d, int& i) {
    for (int k = 0; k < CameraSlot::LiveEffectSlots; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "Live%d", k);
        AddSlots(d, i, {{name, LiveEffectTileX + LiveEffectTileStepX * (k % 4),
                         LiveEffectTileY + LiveEffectTileStepY * (k / 4), LiveEffectTileWidth,
                         LiveEffectTileHeight}});
    }
}

SkinDescriptor MakeChild01() {
    SkinDescriptor d;
    Begin(d, "Dlg1.PNG", 26, 26);
    int i = 0;
    AddSlots(d, i, {{"Close", 0, 0, 42, 23}, {"Min0", 0, 0, 36, 23}, {"OK", 250, 542, 50, 50},
                    {"Files", 204, 552, 46, 29}, {"SpkON", 157, 552, 46, 29},
                    {"MirrorOn", 110, 552, 46, 29}, {"TimerOn", 63, 552, 46, 29},
                    {"Strip", 16, 552, 46, 29}});
    AddLiveEffectPicker(d, i);
    // x and width follow the panel's width: SetTitleBarCells.
    AddSlots(d, i, {{"CamName", 0, CameraChoiceTop, 0, CameraChoiceHeight},
                    {"CamSize", 0, CameraChoiceTop, 0, CameraChoiceHeight}});
    return d;
}

SkinDescriptor MakeChild02() {
    SkinDescriptor d;
    Begin(d, "Dlg2x.PNG", 14, 14);
    int i = 0;
    AddTitleBar(d, i);
    AddBottomRow(d, i);
    for (int y : {93, 169, 250})
        AddSlots(d, i, {{"Plus", 129, y, 44, 27}, {"Milus", 176, y, 44, 27}});
    return d;
}

SkinDescriptor MakeChild03() {
    SkinDescriptor d;
    Begin(d, "Dlg3x.PNG", 18, 18);
    int i = 0;
    AddTitleBar(d, i);
    AddBottomRow(d, i);
    for (int y : {93, 169, 250})
        AddSlots(d, i, {{"L", 130, y, 44, 27}, {"R", 177, y, 44, 27}});
    for (int y : {384, 460})
        AddSlots(d, i, {{"Plus", 130, y, 44, 27}, {"Milus", 177, y, 44, 27}});
    return d;
}

SkinDescriptor MakeChild40() {
    SkinDescriptor d;
    Begin(d, "Dlg40.PNG", 18, 34);
    int i = 0;
    AddTitleBar(d, i);
    AddBottomRow(d, i);
    AddScreenSelector(d, i);
    AddSlots(d, i, {{"PgUp", 202, 152, 44, 28}, {"PgDn", 250, 152, 44, 28},
                    {"enlarge", 56, 152, 44, 28}, {"reduce", 104, 152, 44, 28}});
    AddThumbnails(d, i, 0);
    return d;
}

SkinDescriptor MakeChild41() {
    SkinDescriptor d;
    Begin(d, "Dlg45.PNG", 17, 17);
    int i = 0;
    AddTitleBar(d, i);
    AddBottomRow(d, i);
    AddScreenSelector(d, i);
    AddSlots(d, i, {{"enlarge", 56, 152, 44, 28}, {"reduce", 104, 152, 44, 28},
                    {"color", 152, 152, 44, 28}});
    return d;
}

SkinDescriptor MakeChild4x() {
    SkinDescriptor d;
    Begin(d, "Dlg4.PNG", 17, 33);
    int i = 0;
    AddTitleBar(d, i);
    AddBottomRow(d, i);
    AddScreenSelector(d, i);
    AddSlots(d, i, {{"PgUp", 202, 152, 44, 28}, {"PgDn", 250, 152, 44, 28},
                    {"done", 272, 74, 24, 28}});
    AddThumbnails(d, i, 0);
    return d;
}

SkinDescriptor MakeChild05() {
    SkinDescriptor d;
    Begin(d, "Dlg5x.PNG", 25, 25);
    d.blackKeyedSlots = GalleryBlackSlots;
    int i = 0;
    AddTitleBar(d, i);
    AddBottomRow(d, i);
    for (int k = 0; k < 15; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "O%d", k);
        AddSlots(d, i, {{name, 21 + 100 * (k % 3), 38 + 100 * (k / 3), 96, 96}});
    }
    AddSlots(d, i, {{nullptr, 0, 0, 0, 0}, {nullptr, 0, 0, 0, 0}});
    return d;
}

SkinDescriptor MakeChild06() {
    SkinDescriptor d;
    Begin(d, "Dlg6x.PNG", 11, 11);
    int i = 0;
    AddTitleBar(d, i);
    AddSlots(d, i,
             {{"Exit", 178, 552, 51, 29}, {"Graph_BMP", 50, 80, 77, 77},
              {"Graph_JPEG", 150, 80, 77, 77}, {"Graph_PNG", 50, 180, 77, 77},
              {"Graph_TIFF", 150, 180, 77, 77}, {"MSPaint", 50, 280, 77, 77},
              {nullptr, 0, 0, 77, 77}});
    return d;
}

// The seven descriptors with the common title bar; the six with the common bottom row.
SkinDescriptor* const TitleBarSkins[] = {&SkinChild02, &SkinChild03, &SkinChild40, &SkinChild41,
                                         &SkinChild4x, &SkinChild05, &SkinChild06};
SkinDescriptor* const BottomRowSkins[] = {&SkinChild02, &SkinChild03, &SkinChild40,
                                          &SkinChild41, &SkinChild4x, &SkinChild05};

void SetDigit(char* path, char digit) {
    // The last marker: the program folder itself may contain one.
    char* at = nullptr;
    for (char* p = std::strstr(path, DigitMarker); p != nullptr; p = std::strstr(p + 1, DigitMarker))
        at = p;
    if (at != nullptr)
        at[sizeof DigitMarker - 1] = digit;
}

int InitialCells() {
    SetTitleBarCells(1024);
    return 0;
}

} // namespace

SkinDescriptor SkinChild00 = MakeChild00();
SkinDescriptor SkinChild01 = MakeChild01();
SkinDescriptor SkinChild02 = MakeChild02();
SkinDescriptor SkinChild03 = MakeChild03();
SkinDescriptor SkinChild40 = MakeChild40();
SkinDescriptor SkinChild41 = MakeChild41();
SkinDescriptor SkinChild4x = MakeChild4x();
SkinDescriptor SkinChild05 = MakeChild05();
SkinDescriptor SkinChild06 = MakeChild06();

SkinDescriptor* const AllSkins[SkinCount] = {&SkinChild00, &SkinChild01, &SkinChild02,
                                             &SkinChild03, &SkinChild4x, &SkinChild40,
                                             &SkinChild41, &SkinChild05, &SkinChild06};

char SpeakerPaths[6][PathSize] = {
    "\\xDialog\\0\\Button\\SpkON_norm.PNG",  "\\xDialog\\0\\Button\\SpkON_hi.PNG",
    "\\xDialog\\0\\Button\\SpkON_push.PNG",  "\\xDialog\\0\\Button\\SpkOFF_norm.PNG",
    "\\xDialog\\0\\Button\\SpkOFF_hi.PNG",   "\\xDialog\\0\\Button\\SpkOFF_push.PNG"};
char MirrorPaths[6][PathSize] = {
    "\\xDialog\\0\\Button\\MirrorOff_norm.PNG", "\\xDialog\\0\\Button\\MirrorOff_hi.PNG",
    "\\xDialog\\0\\Button\\MirrorOff_push.PNG", "\\xDialog\\0\\Button\\MirrorOn_norm.PNG",
    "\\xDialog\\0\\Button\\MirrorOn_hi.PNG",    "\\xDialog\\0\\Button\\MirrorOn_push.PNG"};
char LiveCaptionPath[PathSize] = "\\xDialog\\0\\Button\\LiveCaptions.png";
char CountdownPaths[6][PathSize] = {
    "\\xDialog\\0\\Button\\TimerOff_norm.PNG", "\\xDialog\\0\\Button\\TimerOff_hi.PNG",
    "\\xDialog\\0\\Button\\TimerOff_push.PNG", "\\xDialog\\0\\Button\\TimerOn_norm.PNG",
    "\\xDialog\\0\\Button\\TimerOn_hi.PNG",    "\\xDialog\\0\\Button\\TimerOn_push.PNG"};
char HoverMaskPath[PathSize] = "\\xDialog\\0\\Button\\IconMask.bmp";
char SelectionMaskPath[PathSize] = "\\xDialog\\0\\Button\\IconMaskP.bmp";

// Runs after the descriptors above (same translation unit, initialised in order).
static const int InitialCellsDone = InitialCells();

void SetTitleBarCells(int layoutWidth) {
    static const int offsets[4] = {-49, -78, -107, -143};
    for (SkinDescriptor* d : TitleBarSkins)
        for (int i = 0; i < 4; ++i)
            d->x[i] = layoutWidth + offsets[i];
    SkinChild01.x[0] = layoutWidth - 49;
    SkinChild01.x[1] = layoutWidth - 85;
    const CameraChoiceRow row = CameraChoiceCells(layoutWidth);
    SkinChild01.x[CameraSlot::CameraName] = row.nameX;
    SkinChild01.width[CameraSlot::CameraName] = row.nameWidth;
    SkinChild01.x[CameraSlot::CameraSize] = row.sizeX;
    SkinChild01.width[CameraSlot::CameraSize] = row.sizeWidth;
}

CameraChoiceRow CameraChoiceCells(int layoutWidth) {
    // The panel ends 16 pixels left of the picture area; the row keeps 14 from its edge.
    const int panelRight = (layoutWidth >= 1360 ? 443 : 352) - 16;
    const int right = panelRight - 14, left = 24, gap = 8;
    // The size needs room for "1920 x 1080" beside its sign; the name takes the rest.
    const int sizeWidth = layoutWidth >= 1360 ? 130 : 110;
    return {left, right - left - gap - sizeWidth, right - sizeWidth, sizeWidth};
}

void SetBottomRowCells(int layoutHeight) {
    const int row[4] = {layoutHeight < 768 ? 542 : 710, layoutHeight < 768 ? 552 : 720,
                        layoutHeight < 768 ? 552 : 720, layoutHeight < 768 ? 552 : 720};
    for (SkinDescriptor* d : BottomRowSkins)
        for (int i = 0; i < 4; ++i)
            d->y[4 + i] = row[i];
    for (int i = 0; i < 3; ++i)
        SkinChild01.y[2 + i] = row[i];
    SkinChild01.y[CameraSlot::Mirror] = row[1];
    SkinChild01.y[CameraSlot::Countdown] = row[1];
    SkinChild01.y[CameraSlot::Strip] = row[1];
    SkinChild06.y[4] = row[1];
}

void SetSkinDigit(int skinSet) {
    const char digit = static_cast<char>('0' + skinSet);
    for (SkinDescriptor* d : AllSkins) {
        SetDigit(d->background, digit);
        for (int i = 0; i < d->N; ++i) {
            SetDigit(d->norm[i], digit);
            SetDigit(d->hi[i], digit);
            SetDigit(d->push[i], digit);
        }
    }
    for (char* p : SpeakerPaths)
        SetDigit(p, digit);
    for (char* p : MirrorPaths)
        SetDigit(p, digit);
    SetDigit(LiveCaptionPath, digit);
    for (char* p : CountdownPaths)
        SetDigit(p, digit);
}

void MakeSkinPathsAbsolute(const char* programFolder) {
    PrefixText(HoverMaskPath, programFolder, PathSize);
    PrefixText(SelectionMaskPath, programFolder, PathSize);
    PrefixText(LiveCaptionPath, programFolder, PathSize);
    for (SkinDescriptor* d : AllSkins) {
        PrefixText(d->background, programFolder, PathSize);
        for (int i = 0; i < d->N; ++i) {
            PrefixText(d->norm[i], programFolder, PathSize);
            PrefixText(d->hi[i], programFolder, PathSize);
            PrefixText(d->push[i], programFolder, PathSize);
        }
    }
}

namespace {

// A two-state button's three paths: the first three of `paths` when off, the last three when on.
void SetTogglePictures(SkinDescriptor& skin, int slot, const char (*paths)[PathSize], bool on,
                       const char* programFolder) {
    const int first = on ? 3 : 0;
    char* const targets[3] = {skin.norm[slot], skin.hi[slot], skin.push[slot]};
    for (int k = 0; k < 3; ++k) {
        CopyText(targets[k], programFolder, PathSize);
        AppendText(targets[k], paths[first + k], PathSize);
    }
}

} // namespace

void SetSpeakerPictures(SkinDescriptor& skin, int slot, int speakerOn, const char* programFolder) {
    SetTogglePictures(skin, slot, SpeakerPaths, speakerOn != 0, programFolder);
}

void SetMirrorPictures(SkinDescriptor& skin, int slot, bool mirrored, const char* programFolder) {
    SetTogglePictures(skin, slot, MirrorPaths, mirrored, programFolder);
}

void SetCountdownPictures(SkinDescriptor& skin, int slot, bool on, const char* programFolder) {
    SetTogglePictures(skin, slot, CountdownPaths, on, programFolder);
}

bool HitSlot(const SkinDescriptor& skin, int i, int x, int y) {
    return skin.x[i] <= x && x < skin.x[i] + skin.width[i] && skin.y[i] <= y &&
           y < skin.y[i] + skin.height[i];
}

int SlotAtPoint(const SkinDescriptor& skin, int x, int y) {
    int found = -1;
    for (int i = 0; i < skin.M; ++i)
        if (HitSlot(skin, i, x, y))
            found = i;
    return found;
}
