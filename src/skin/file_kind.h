// What a path names by its extension, and how a picture fits a box.
#pragma once

enum FileKind {
    UnknownKind = 0,
    ExeKind = 1,
    DllKind = 2,
    MscKind = 3,
    LnkKind = 4,
    BmpKind = 11,
    PngKind = 12,
    JpgKind = 13,
    TifKind = 14,
    GifKind = 15,
    EpcKind = 31
};

// The kind of a path by its extension of three letters, or of four for the long names of JPEG
// (jpeg, jfif) and TIFF (tiff), in any letter case.
int FileKindOf(const char* path);
inline bool IsPictureKind(int kind) { return kind >= BmpKind && kind <= GifKind; }
// The whole percentage, at most 100, at which a w x h picture fits a box.
int FitPercent(int w, int h, int boxW, int boxH);

struct PreviewPlacement {
    int x, y, width, height;
};
// The start screen's preview: fitted into the 300 x 240 box at (32, 49), centred, never enlarged.
PreviewPlacement PlacePreview(int w, int h);
