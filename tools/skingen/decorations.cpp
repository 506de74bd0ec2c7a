#include "decorations.h"

#include <stdexcept>

namespace skingen {

std::string WeightsPathOf(const std::string& foregroundPath) {
    const std::string folder = "Foreground/";
    if (foregroundPath.compare(0, folder.size(), folder) != 0)
        throw std::runtime_error("not a foreground: " + foregroundPath);
    return "ForegroundB/" + foregroundPath.substr(folder.size());
}

DecorationSet DrawDecorations() {
    DecorationSet set;
    for (const DecorationArt& a : BackgroundArt())
        set.backgrounds.push_back({a.path, a.draw()});
    for (const DecorationArt& a : StickerArt())
        set.stickers.push_back({a.path, OnBlack(a.draw())});
    for (const DecorationArt& a : ForegroundArt()) {
        const Canvas art = a.draw();
        set.foregrounds.push_back({a.path, OverlayPicture(art), OverlayWeights(art)});
    }
    for (const DecorationArt& a : CoverArt())
        set.covers.push_back({a.path, OnBlack(a.draw())});
    return set;
}

} // namespace skingen
