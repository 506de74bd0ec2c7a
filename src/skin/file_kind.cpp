#include "skin/file_kind.h"

#include <cctype>
#include <cstring>

int FileKindOf(const char* path) {
    static const struct {
        const char* ext;
        int kind;
    } kinds[] = {{"exe", ExeKind},  {"dll", DllKind}, {"msc", MscKind},  {"lnk", LnkKind},
                 {"bmp", BmpKind},  {"png", PngKind}, {"jpg", JpgKind},  {"jpeg", JpgKind},
                 {"jfif", JpgKind}, {"tif", TifKind}, {"tiff", TifKind}, {"gif", GifKind},
                 {"epc", EpcKind}};
    const std::size_t n = std::strlen(path);
    const std::size_t letters = n >= 4 && path[n - 4] == '.'   ? 3
                                : n >= 5 && path[n - 5] == '.' ? 4
                                                               : 0;
    if (letters == 0)
        return UnknownKind;
    char ext[5] = {};
    for (std::size_t i = 0; i < letters; ++i)
        ext[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(path[n - letters + i])));
    for (const auto& k : kinds)
        if (std::strcmp(ext, k.ext) == 0)
            return k.kind;
    return UnknownKind;
}

int FitPercent(int w, int h, int boxW, int boxH) {
    if (w == 0 || h == 0)
        return 100;
    const int px = boxW * 100 / w;
    const int py = boxH * 100 / h;
    if (px < 100 || py < 100)
        return px < py ? px : py;
    return 100;
}

PreviewPlacement PlacePreview(int w, int h) {
    const int p = FitPercent(w, h, 300, 240);
    PreviewPlacement r{};
    r.width = static_cast<int>(static_cast<long long>(w) * p / 100);
    r.height = static_cast<int>(static_cast<long long>(h) * p / 100);
    r.x = r.width < 300 ? 32 + (300 - r.width) / 2 : 32;
    r.y = r.height < 240 ? 49 + (240 - r.height) / 2 : 49;
    return r;
}
