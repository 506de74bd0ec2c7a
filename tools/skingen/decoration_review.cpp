// Sheets for looking at the decoration pictures the way a user meets them: laid over
// the default picture by the program's own compositing, and as 64 x 64 thumbnails.
#include "decoration_review.h"

#include "art.h"
#include "decorations.h"
#include "font.h"
#include "look.h"

#include "picture/compositing.h"
#include "skin/color_planes.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace skingen {

namespace {

// The working pictures are program-wide; lend them out for one composite.
class PictureSize {
  public:
    PictureSize(int w, int h) : w_(PictureWidth), h_(PictureHeight) {
        if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > PlaneCapacity)
            throw std::runtime_error("review picture does not fit the planes");
        PictureWidth = w;
        PictureHeight = h;
    }
    ~PictureSize() {
        PictureWidth = w_;
        PictureHeight = h_;
    }
    PictureSize(const PictureSize&) = delete;
    PictureSize& operator=(const PictureSize&) = delete;

  private:
    int w_, h_;
};

void ToPlanes(const Canvas& c, ColorPlanes& p) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Color q = c.At(x, y);
            const std::size_t i = static_cast<std::size_t>(y * c.Width() + x);
            p.blue[i] = q.b;
            p.green[i] = q.g;
            p.red[i] = q.r;
        }
}

Canvas FromPlanes(const ColorPlanes& p, int w, int h) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * w + x);
            c.Set(x, y, Rgb(p.red[i], p.green[i], p.blue[i]));
        }
    return c;
}

void Caption(Canvas& c, double cx, double baseline, const std::string& text) {
    TextStyle s = Style(11, Bold, look::Ink);
    DrawTextCentered(c, cx, baseline, text, s);
}

std::string ShortName(const std::string& path) {
    std::string n = path.substr(path.find('/') + 1);
    n = n.substr(0, n.rfind('.'));
    std::replace(n.begin(), n.end(), '_', ' ');
    return n;
}

// Cells in rows of `columns`, each picture with its name underneath.
Canvas Sheet(const std::vector<std::pair<std::string, Canvas>>& cells, int columns) {
    int cw = 0, ch = 0;
    for (const auto& [name, c] : cells) {
        cw = std::max(cw, c.Width());
        ch = std::max(ch, c.Height());
    }
    const int rows = static_cast<int>((cells.size() + columns - 1) / columns);
    const int gap = 12, label = 20;
    Canvas sheet(columns * (cw + gap) + gap, rows * (ch + gap + label) + gap, look::Paper);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const int x = gap + static_cast<int>(k % columns) * (cw + gap);
        const int y = gap + static_cast<int>(k / columns) * (ch + gap + label);
        const Canvas& c = cells[k].second;
        sheet.Paste(c, x + (cw - c.Width()) / 2, y + (ch - c.Height()) / 2);
        Caption(sheet, x + cw / 2.0, y + ch + 9, cells[k].first);
    }
    return sheet;
}

Canvas Crop(const Canvas& c, int x0, int y0, int w, int h) {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.Set(
                x, y,
                c.At(std::clamp(x0 + x, 0, c.Width() - 1), std::clamp(y0 + y, 0, c.Height() - 1)));
    return out;
}

} // namespace

Canvas Resize(const Canvas& src, int w, int h) {
    // Each output pixel averages the source pixels its area covers (nearest when enlarging).
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int x0 = x * src.Width() / w, x1 = std::max(x0 + 1, (x + 1) * src.Width() / w);
            const int y0 = y * src.Height() / h, y1 = std::max(y0 + 1, (y + 1) * src.Height() / h);
            long r = 0, g = 0, b = 0, n = 0;
            for (int j = y0; j < y1; ++j)
                for (int i = x0; i < x1; ++i) {
                    const Color p = src.At(i, j);
                    r += p.r;
                    g += p.g;
                    b += p.b;
                    ++n;
                }
            out.Set(x, y,
                    Rgb(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)));
        }
    return out;
}

Canvas Thumbnail(const Canvas& picture) {
    // Each side longer than 64 squeezed to 64, a shorter one kept, and the drawing centred.
    const int w = std::min(picture.Width(), 64), h = std::min(picture.Height(), 64);
    Canvas slot(64, 64);
    slot.Paste(Resize(picture, w, h), picture.Width() < 64 ? (64 - picture.Width()) / 2 : 0,
               picture.Height() < 64 ? (64 - picture.Height()) / 2 : 0);
    return slot;
}

Canvas LaidOver(const Canvas& base, const Canvas& decoration, const Canvas& weights, int x, int y,
                int blendMode) {
    const int w = base.Width(), h = base.Height();
    const PictureSize size(w, h);
    ToPlanes(base, BasePicture);
    const int dw = decoration.Width(), dh = decoration.Height();
    auto d = std::make_unique<ColorPlanes>();
    auto wt = std::make_unique<ColorPlanes>();
    if (static_cast<long long>(dw) * dh > PlaneCapacity)
        throw std::runtime_error("decoration does not fit the planes");
    ToPlanes(decoration, *d);
    ToPlanes(weights, *wt);
    CompositeDecoration(BasePicture.blue, BasePicture.green, BasePicture.red, CurrentPicture.blue,
                        CurrentPicture.green, CurrentPicture.red, d->blue, d->green, d->red,
                        wt->blue, wt->green, wt->red, dw, dh, x, y, blendMode);
    return FromPlanes(CurrentPicture, w, h);
}

Canvas Overlaid(const Canvas& base, const Canvas& picture, const Canvas& weights) {
    const int w = base.Width(), h = base.Height();
    const PictureSize size(w, h);
    ToPlanes(base, BasePicture);
    auto d = std::make_unique<ColorPlanes>();
    auto wt = std::make_unique<ColorPlanes>();
    ToPlanes(Resize(picture, w, h), *d);
    ToPlanes(Resize(weights, w, h), *wt);
    CompositeFullPicture(d->blue, d->green, d->red, BasePicture.blue, BasePicture.green,
                         BasePicture.red, CurrentPicture.blue, CurrentPicture.green,
                         CurrentPicture.red, wt->blue, wt->green, wt->red, WeightedBlend);
    return FromPlanes(CurrentPicture, w, h);
}

std::vector<std::pair<std::string, Canvas>> DecorationMontages(const DecorationSet& set) {
    std::vector<std::pair<std::string, Canvas>> out;
    const Canvas photo = DrawDefaultPicture(800, 640);

    std::vector<std::pair<std::string, Canvas>> cells;
    for (const auto& [path, c] : set.backgrounds)
        cells.push_back({ShortName(path), Resize(c, 240, 192)});
    out.push_back({"deco-backgrounds.png", Sheet(cells, 4)});

    // Stickers as the files hold them, then stamped on light and dark pictures with the
    // keyed rule (first ornament screen) and on the light one weighted (second).
    cells.clear();
    for (const auto& [path, c] : set.stickers)
        cells.push_back({ShortName(path), c});
    out.push_back({"deco-stickers.png", Sheet(cells, 6)});
    const Canvas night = set.backgrounds.size() > 5 ? set.backgrounds[5].second : photo;
    for (const auto& [name, base, mode] :
         {std::tuple{"deco-stickers-keyed.png", &photo, static_cast<int>(KeyedBlend)},
          {"deco-stickers-keyed-dark.png", &night, static_cast<int>(KeyedBlend)},
          {"deco-stickers-weighted.png", &photo, static_cast<int>(WeightedBlend)}}) {
        cells.clear();
        int k = 0;
        for (const auto& [path, c] : set.stickers) {
            const Canvas ground = Crop(*base, (k * 137) % 560, 80 + (k * 71) % 330, 220, 220);
            cells.push_back({ShortName(path), LaidOver(ground, c, c, (220 - c.Width()) / 2,
                                                       (220 - c.Height()) / 2, mode)});
            ++k;
        }
        out.push_back({name, Sheet(cells, 6)});
    }

    cells.clear();
    const Canvas small = Resize(photo, 400, 320);
    for (const auto& f : set.foregrounds)
        cells.push_back({ShortName(f.path), Overlaid(small, f.picture, f.weights)});
    out.push_back({"deco-foregrounds.png", Sheet(cells, 3)});

    cells.clear();
    for (const auto& [path, c] : set.covers) {
        const Canvas stretched = Resize(c, 400, 320);
        cells.push_back(
            {ShortName(path), LaidOver(small, stretched, stretched, 0, 0, WeightedBlend)});
    }
    out.push_back({"deco-covers.png", Sheet(cells, 3)});

    // Every page of every folder as the catalogue draws it: 16 slots 70 pixels apart.
    cells.clear();
    const auto pages = [&](const std::string& folder, const std::vector<const Canvas*>& pictures) {
        for (std::size_t first = 0; first < pictures.size(); first += 16) {
            Canvas page(4 * 70 + 6, 4 * 70 + 6, look::Tray);
            for (std::size_t s = 0; s < 16; ++s) {
                const Canvas slot =
                    first + s < pictures.size() ? Thumbnail(*pictures[first + s]) : Canvas(64, 64);
                page.Paste(slot, 6 + 70 * static_cast<int>(s % 4),
                           6 + 70 * static_cast<int>(s / 4));
            }
            cells.push_back({folder + " " + std::to_string(first / 16 + 1), page});
        }
    };
    for (const auto& [folder, list] : {std::pair{"Background", &set.backgrounds},
                                       {"Ornament", &set.stickers},
                                       {"Cover", &set.covers}}) {
        std::vector<const Canvas*> pictures;
        for (const auto& [path, c] : *list)
            pictures.push_back(&c);
        pages(folder, pictures);
    }
    std::vector<const Canvas*> overlays;
    for (const auto& f : set.foregrounds)
        overlays.push_back(&f.picture);
    pages("Foreground", overlays);
    out.push_back({"deco-thumbnails.png", Sheet(cells, 3)});
    return out;
}

} // namespace skingen
