#include "decorations/thumbnail_pages.h"

#include "common/text.h"

#include <cstring>

int ThumbnailSlotX(int s) {
    return 36 + 70 * (s % 4);
}
int ThumbnailSlotY(int s) {
    return 194 + 70 * (s / 4);
}

int FirstThumbnailButton(int screenCode) {
    if (screenCode == 40)
        return FirstThumbnailOf40;
    if (screenCode >= 42 && screenCode <= 45)
        return FirstThumbnailOf4x;
    return -1;
}

ThumbnailPlacement PlaceThumbnail(int w, int h) {
    ThumbnailPlacement p{};
    p.width = w < ThumbnailSize ? w : ThumbnailSize;
    p.height = h < ThumbnailSize ? h : ThumbnailSize;
    p.x = w < ThumbnailSize ? (ThumbnailSize - w) / 2 : 0;
    p.y = h < ThumbnailSize ? (ThumbnailSize - h) / 2 : 0;
    return p;
}

int PageAfterPgUp(int page) {
    return ThumbnailCount * page - ThumbnailCount >= 0 ? page - 1 : page;
}

int PageAfterPgDn(int page, int count) {
    return ThumbnailCount * (page + 1) < count ? page + 1 : page;
}

namespace {

char* Row(SkinDescriptor& d, int table, int row) {
    return table == HiTable ? d.hi[row] : d.norm[row];
}

} // namespace

void RecordPagePaths(const FileList* head, int first, int table, int kind, SkinDescriptor& dlg4,
                     SkinDescriptor& dlg40) {
    const FileList* entry = first > 0 ? PathAt(head, first) : head;
    for (int s = 0; s < ThumbnailCount; ++s) {
        if (entry != nullptr) {
            SkinDescriptor& d = kind == RowsOf40 ? dlg40 : dlg4;
            const int row = (kind == RowsOf40 ? FirstThumbnailOf40 : FirstThumbnailOf4x) + s;
            CopyText(Row(d, table, row), entry->path, PathSize);
            entry = entry->next;
        } else {
            dlg4.norm[FirstThumbnailOf4x + s][0] = '\0';
            dlg4.hi[FirstThumbnailOf4x + s][0] = '\0';
            dlg40.norm[FirstThumbnailOf40 + s][0] = '\0';
            dlg40.hi[FirstThumbnailOf40 + s][0] = '\0';
        }
    }
}

void RecordForegroundPagePaths(const FileList* pictures, const FileList* weights, int first,
                               SkinDescriptor& dlg4, SkinDescriptor& dlg40) {
    RecordPagePaths(weights, first, HiTable, RowsOf4x, dlg4, dlg40);
    RecordPagePaths(pictures, first, NormTable, RowsOf4x, dlg4, dlg40);
}
