#include "program/screen_table.h"

#include "skin/skin_tables.h"

const ScreenRow ScreenTable[ScreenCountValue] = {
    {"Child00", 0, &SkinChild00},   {"Child01", 1, &SkinChild01},  {"Child02", 2, &SkinChild02},
    {"Child03", 3, &SkinChild03},   {"Child40", 40, &SkinChild40}, {"Child41", 41, &SkinChild41},
    {"Child42", 42, &SkinChild4x},  {"Child43", 43, &SkinChild4x}, {"Child44", 44, &SkinChild4x},
    {"Child45", 45, &SkinChild4x},  {"Child05", 5, &SkinChild05},  {"Child06", 6, &SkinChild06},
    {"ChildImage", -1, nullptr}};

int ScreenCode = -1;

int ScreenIdOfCode(int screenCode) {
    for (int id = 0; id < PictureScreenId; ++id)
        if (ScreenTable[id].screenCode == screenCode)
            return id;
    return -1;
}

int ScreenSlotCount(int screenId) {
    const SkinDescriptor* skin = ScreenTable[screenId].skin;
    return skin != nullptr ? skin->M : 0;
}

int ScreenLoadedCount(int screenId) {
    const SkinDescriptor* skin = ScreenTable[screenId].skin;
    return skin != nullptr ? skin->N : 0;
}

int DecorationScreenOfSelector(int k) { return BackgroundScreenId + k; }

bool ScreenHasThumbnails(int screenId) {
    return screenId == BackgroundScreenId ||
           (screenId >= OrnamentScreenId && screenId <= CoverScreenId);
}
