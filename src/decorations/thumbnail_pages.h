// Pages of 16 thumbnails: which files a page shows, where each thumbnail sits in its slot,
// and the paging buttons.
#pragma once
#include "decorations/catalogue.h"
#include "skin/skin_tables.h"

constexpr int ThumbnailSize = 64;
constexpr int FirstThumbnailOf4x = 17; // Child42..Child45
constexpr int FirstThumbnailOf40 = 18; // Child40

// The skin path table a page writes into.
enum PathTable { NormTable = 0, HiTable = 1 };
// The screens' kinds of thumbnail rows: the shared Dlg4 skin, or the Background screen's.
enum ThumbnailRows { RowsOf4x = 4, RowsOf40 = 40 };

// Top-left corner of slot s (0..15) on the screen.
int ThumbnailSlotX(int s);
int ThumbnailSlotY(int s);
// The first thumbnail button of a screen code: 18 on 40, 17 on 42..45, -1 elsewhere.
int FirstThumbnailButton(int screenCode);

// Where a w x h picture lands in its 64 x 64 slot: a side longer than 64 is squeezed to 64
// (the aspect ratio is not kept), a shorter one keeps its length and is centred.
struct ThumbnailPlacement {
    int x, y;          // top-left corner in the slot
    int width, height; // drawn size
};
ThumbnailPlacement PlaceThumbnail(int w, int h);

// The page after "PgUp" and after "PgDn" with count files; unchanged at either end.
int PageAfterPgUp(int page);
int PageAfterPgDn(int page, int count);

// Writes the page starting at list entry `first` into the thumbnail rows: slot s gets entry
// first + s in row s of the given table of the given screen kind; a slot past the end of the
// list gets empty rows in all four tables (norm and hi of both skins).
void RecordPagePaths(const FileList* head, int first, int table, int kind, SkinDescriptor& dlg4,
                     SkinDescriptor& dlg40);
// The Foreground screen's page: the weights pictures into the hi rows first, then the pictures
// into the norm rows, so that the k-th files of the two folders share a slot.
void RecordForegroundPagePaths(const FileList* pictures, const FileList* weights, int first,
                               SkinDescriptor& dlg4, SkinDescriptor& dlg40);
