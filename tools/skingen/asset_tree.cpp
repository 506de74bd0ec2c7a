#include "asset_tree.h"

#include "art.h"
#include "bmp_writer.h"
#include "decoration_review.h"
#include "decorations.h"
#include "ico_writer.h"
#include "jpeg_writer.h"
#include "png_writer.h"
#include "wav_writer.h"

#include "program/layout.h"
#include "skin/skin_tables.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string_view>

namespace skingen {

namespace {

struct Layout {
    int digit;
    ScreenGeometry geometry;
};

Layout LayoutFor(int displayWidth, int displayHeight) {
    const DisplayLayout d = ChooseLayout(displayWidth, displayHeight);
    return {d.skinSet,
            {d.width, d.height, {d.areaOffsetX, d.areaOffsetY, d.areaWidth, d.areaHeight}}};
}

const Layout Layouts[] = {LayoutFor(1024, 600), LayoutFor(1024, 768), LayoutFor(1366, 768)};

// Puts the skin tables' run-time cells in the state of one layout while it is drawn,
// and back to their start values afterwards.
class LayoutCells {
  public:
    explicit LayoutCells(const Layout& l) {
        SetTitleBarCells(l.geometry.width);
        SetBottomRowCells(l.geometry.height);
    }
    ~LayoutCells() {
        SetTitleBarCells(1024);
        SetBottomRowCells(600);
    }
    LayoutCells(const LayoutCells&) = delete;
    LayoutCells& operator=(const LayoutCells&) = delete;
};

struct ScreenLook {
    const SkinDescriptor* skin;
    Screen screen;
};

const ScreenLook ScreenLooks[] = {
    {&SkinChild01, Screen::Camera},      {&SkinChild02, Screen::Colour},
    {&SkinChild03, Screen::Perspective}, {&SkinChild40, Screen::Background},
    {&SkinChild41, Screen::Pen},         {&SkinChild4x, Screen::Decorate},
    {&SkinChild05, Screen::Effects},     {&SkinChild06, Screen::Save},
};

constexpr int ThumbnailSize = 64;
constexpr int SampleRate = 22050;

std::string FileName(std::string_view tablePath) {
    const auto slash = tablePath.find_last_of('\\');
    return std::string(slash == std::string_view::npos ? tablePath : tablePath.substr(slash + 1));
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return s;
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// "\xDialog\0\Button\OK_norm.PNG" for set 3 becomes "xDialog/3/Button/OK_norm.PNG".
std::string TreePath(std::string_view tablePath, int digit) {
    std::string p(tablePath);
    const std::string marker = "\\xDialog\\";
    const auto at = p.rfind(marker);
    if (at != std::string::npos && at + marker.size() < p.size())
        p[at + marker.size()] = static_cast<char>('0' + digit);
    std::replace(p.begin(), p.end(), '\\', '/');
    return p.empty() || p[0] != '/' ? p : p.substr(1);
}

bool IsEffectButton(std::string_view name) {
    return name.size() >= 2 && name[0] == 'O' && std::isdigit(static_cast<unsigned char>(name[1]));
}

bool IsLiveEffectButton(std::string_view name) {
    return name.size() >= 5 && name.substr(0, 4) == "Live" &&
           std::isdigit(static_cast<unsigned char>(name[4]));
}

// The button's own name: the picture name less "_norm.PNG" (or ".png" for effect tiles).
std::string ButtonName(std::string_view normPath) {
    std::string f = FileName(normPath);
    f = f.substr(0, f.find_last_of('.'));
    return EndsWith(f, "_norm") ? f.substr(0, f.size() - 5) : f;
}

Bytes Encode(const std::string& path, const Canvas& c) {
    const std::string lower = Lower(path);
    if (EndsWith(lower, ".png"))
        return EncodePng(c);
    if (EndsWith(lower, ".bmp"))
        return EncodeBmp24(c);
    if (EndsWith(lower, ".jpg") || EndsWith(lower, ".jpeg"))
        return EncodeJpeg(c);
    throw std::runtime_error("no picture format for " + path);
}

struct ButtonPictures {
    std::string paths[3]; // norm, hover, pressed (table form)
    int width = 0, height = 0;
};

void Note(std::map<std::string, ButtonPictures>& buttons, const std::string& name,
          const char* const (&paths)[3], int width, int height) {
    ButtonPictures& b = buttons[name];
    for (int f = 0; f < 3; ++f) {
        if (!b.paths[f].empty() && b.paths[f] != paths[f])
            throw std::runtime_error("button " + name + " has two picture names");
        b.paths[f] = paths[f];
    }
    // One picture serves every slot of that name; the program stretches it.
    b.width = std::max(b.width, width);
    b.height = std::max(b.height, height);
}

// Every button picture the tables name, each once, at the largest size it is shown.
std::map<std::string, ButtonPictures> CollectButtons() {
    std::map<std::string, ButtonPictures> buttons;
    for (const SkinDescriptor* d : AllSkins)
        for (int i = 0; i < MaxSlots; ++i)
            if (d->norm[i][0] != '\0') {
                const char* const paths[3] = {d->norm[i], d->hi[i], d->push[i]};
                Note(buttons, ButtonName(d->norm[i]), paths, d->width[i], d->height[i]);
            }
    const int speakerW =
        std::max(SkinChild00.width[SpeakerSlotStart], SkinChild01.width[SpeakerSlotCamera]);
    const int speakerH =
        std::max(SkinChild00.height[SpeakerSlotStart], SkinChild01.height[SpeakerSlotCamera]);
    for (int k = 0; k < 6; k += 3) {
        const char* const paths[3] = {SpeakerPaths[k], SpeakerPaths[k + 1], SpeakerPaths[k + 2]};
        Note(buttons, ButtonName(SpeakerPaths[k]), paths, speakerW, speakerH);
        const char* const mirror[3] = {MirrorPaths[k], MirrorPaths[k + 1], MirrorPaths[k + 2]};
        Note(buttons, ButtonName(MirrorPaths[k]), mirror, SkinChild01.width[CameraSlot::Mirror],
             SkinChild01.height[CameraSlot::Mirror]);
        const char* const timer[3] = {CountdownPaths[k], CountdownPaths[k + 1],
                                      CountdownPaths[k + 2]};
        Note(buttons, ButtonName(CountdownPaths[k]), timer,
             SkinChild01.width[CameraSlot::Countdown], SkinChild01.height[CameraSlot::Countdown]);
    }
    return buttons;
}

class TreeWriter {
  public:
    explicit TreeWriter(std::string outDir) : outDir_(std::move(outDir)) {}
    void Write(const std::string& relative, const Bytes& bytes) {
        WriteFile(outDir_ + "/" + relative, bytes);
        ++count_;
    }
    void WritePicture(const std::string& relative, const Canvas& c) {
        Write(relative, Encode(relative, c));
    }
    int Count() const { return count_; }

  private:
    std::string outDir_;
    int count_ = 0;
};

Canvas DrawBackground(const SkinDescriptor* d, const Layout& layout) {
    if (d == &SkinChild00)
        return DrawStartScreen();
    const auto look = std::find_if(std::begin(ScreenLooks), std::end(ScreenLooks),
                                   [d](const ScreenLook& s) { return s.skin == d; });
    if (look == std::end(ScreenLooks))
        throw std::runtime_error(std::string("no look for background ") + d->background);
    return DrawScreenBackground(look->screen, layout.geometry);
}

Canvas DrawFace(const std::string& name, const ButtonPictures& b, Face face) {
    if (IsLiveEffectButton(name))
        return DrawLiveEffectTile(std::stoi(name.substr(4)), b.width, b.height, face);
    return IsEffectButton(name) ? DrawEffectTile(std::stoi(name.substr(1)), b.width, face)
                                : DrawButton(name, b.width, b.height, face);
}

// Large over the preview, yet leaving the face around it in view.
void WriteCountdownDigits(TreeWriter& out, const Layout& layout) {
    const Rect& area = layout.geometry.picture;
    const int size = std::min(area.w, area.h) * 9 / 20;
    for (int k = 1; k <= 3; ++k)
        out.Write(
            TreePath("\\xDialog\\0\\Button\\Count" + std::to_string(k) + ".png", layout.digit),
            EncodePng(DrawCountdownDigit(k, size), PngChannels::Rgba));
}

void WriteBackgrounds(TreeWriter& out, const Layout& layout) {
    for (const SkinDescriptor* d : AllSkins)
        out.WritePicture(TreePath(d->background, layout.digit), DrawBackground(d, layout));
}

void WriteButtons(TreeWriter& out, const Layout& layout,
                  const std::map<std::string, ButtonPictures>& buttons) {
    constexpr Face faces[3] = {Face::Norm, Face::Hover, Face::Pressed};
    for (const auto& [name, given] : buttons) {
        // The camera screen's choosers span the panel, which is wider on the wide layout.
        ButtonPictures b = given;
        for (int slot : {int{CameraSlot::CameraName}, int{CameraSlot::CameraSize}})
            if (ButtonName(SkinChild01.norm[slot]) == name)
                b.width = SkinChild01.width[slot];
        for (int f = 0; f < 3; ++f)
            out.WritePicture(TreePath(b.paths[f], layout.digit), DrawFace(name, b, faces[f]));
    }
}

// The picture stretched to a slot, as the program scales it when it loads the skin.
Canvas Stretch(const Canvas& src, int w, int h) {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.Set(x, y, src.At(x * src.Width() / w, y * src.Height() / h));
    return out;
}

// A transparent copy: pixels of the key colour leave the background as it was.
void KeyedPaste(Canvas& dst, const Canvas& src, int x0, int y0, Color key) {
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) {
            const Color p = src.At(x, y);
            if (p.r != key.r || p.g != key.g || p.b != key.b)
                dst.Set(x0 + x, y0 + y, p);
        }
}

// A screen as the program shows it: background, then every slot's picture in the
// given face (the slot `lit` in `litFace`, the others at rest).
Canvas Composite(const SkinDescriptor* d, const Layout& layout,
                 const std::map<std::string, ButtonPictures>& buttons, int lit, Face litFace) {
    Canvas screen = DrawBackground(d, layout);
    const int blackSlots = d->blackKeyedSlots;
    for (int i = 0; i < d->N; ++i) {
        const bool speaker = (d == &SkinChild00 && i == SpeakerSlotStart) ||
                             (d == &SkinChild01 && i == SpeakerSlotCamera);
        const std::string name = speaker ? "SpkOFF" : ButtonName(d->norm[i]);
        const auto it = buttons.find(name);
        if (d->norm[i][0] == '\0' || it == buttons.end())
            continue;
        const Canvas face = DrawFace(name, it->second, i == lit ? litFace : Face::Norm);
        KeyedPaste(screen, Stretch(face, d->width[i], d->height[i]), d->x[i], d->y[i],
                   i < blackSlots ? Rgb(0, 0, 0) : Rgb(255, 0, 0));
    }
    if (d == &SkinChild00) {
        // The default picture as the start screen previews it: fitted into 300 x 240.
        const Canvas preview = Stretch(DrawDefaultPicture(640, 480), 300, 225);
        screen.Paste(preview, 32, 49 + (240 - 225) / 2);
    }
    return screen;
}

// Every button in its three faces, twice the size, on the panel colour.
Canvas ButtonSheet(const std::map<std::string, ButtonPictures>& buttons) {
    constexpr int scale = 2, cell = 110, columns = 6;
    const int rows = static_cast<int>((buttons.size() + columns - 1) / columns);
    Canvas sheet(columns * cell * 3, rows * cell, Rgb(255, 251, 245));
    int k = 0;
    for (const auto& [name, b] : buttons) {
        const int x0 = (k % columns) * cell * 3, y0 = (k / columns) * cell;
        for (int f = 0; f < 3; ++f) {
            const Canvas face = DrawFace(name, b, static_cast<Face>(f));
            Canvas big = Stretch(face, std::min(b.width * scale, cell - 6),
                                 std::min(b.height * scale, cell - 6));
            KeyedPaste(sheet, big, x0 + f * cell, y0 + 3, Rgb(0, 0, 0));
        }
        ++k;
    }
    return sheet;
}

void WriteDecorations(TreeWriter& out, const DecorationSet& set) {
    for (const auto* list : {&set.backgrounds, &set.stickers, &set.covers})
        for (const auto& [path, picture] : *list)
            out.WritePicture(path, picture);
    for (const DecorationSet::Overlay& f : set.foregrounds) {
        out.WritePicture(f.path, f.picture);
        out.WritePicture(WeightsPathOf(f.path), f.weights);
    }
}

} // namespace

int WriteAssetTree(const std::string& outDir) {
    TreeWriter out(outDir);
    const auto buttons = CollectButtons();
    for (const Layout& layout : Layouts) {
        const LayoutCells cells(layout);
        WriteBackgrounds(out, layout);
        WriteButtons(out, layout, buttons);
        out.WritePicture(TreePath(LiveCaptionPath, layout.digit),
                         DrawLiveEffectCaptions(LiveEffectCaptionWidth, LiveEffectCaptionHeight));
        WriteCountdownDigits(out, layout);
    }
    out.WritePicture(TreePath(HoverMaskPath, 0),
                     DrawThumbnailMask(ThumbnailSize, Rgb(150, 200, 255), 3));
    out.WritePicture(TreePath(SelectionMaskPath, 0),
                     DrawThumbnailMask(ThumbnailSize, Rgb(255, 160, 40), 4));

    out.WritePicture("Target/Varnet.png", DrawDefaultPicture(640, 480));
    WriteDecorations(out, DrawDecorations());
    out.Write("Star.wav", EncodeWav16Mono(ClickSound(SampleRate), SampleRate));
    out.Write("snap.wav", EncodeWav16Mono(ShutterSound(SampleRate), SampleRate));
    out.Write("tick.wav", EncodeWav16Mono(TickSound(SampleRate), SampleRate));

    out.Write("resources/flimmer.ico",
              EncodeIco({DrawAppIcon(16), DrawAppIcon(32), DrawAppIcon(48)}));
    out.Write("resources/openhand.cur", EncodeCur(OpenHandCursor()));
    out.Write("resources/grabhand.cur", EncodeCur(GrabHandCursor()));
    return out.Count();
}

int WriteReview(const std::string& outDir) {
    TreeWriter out(outDir);
    const auto buttons = CollectButtons();
    for (const Layout& layout : Layouts) {
        const LayoutCells cells(layout);
        for (const SkinDescriptor* d : AllSkins) {
            if (d == &SkinChild00 && layout.digit != 0)
                continue;
            std::string name = FileName(d->background);
            name = name.substr(0, name.find('.'));
            out.WritePicture(name + "-" + std::to_string(layout.digit) + ".png",
                             Composite(d, layout, buttons, -1, Face::Norm));
        }
    }
    // Hover and press on a few buttons, to see the faces in place.
    const LayoutCells cells(Layouts[0]);
    out.WritePicture("Dlg2x-0-hover-ok.png",
                     Composite(&SkinChild02, Layouts[0], buttons, 4, Face::Hover));
    out.WritePicture("Dlg4-0-pressed-fun2.png",
                     Composite(&SkinChild4x, Layouts[0], buttons, 10, Face::Pressed));
    out.WritePicture("buttons.png", ButtonSheet(buttons));
    // Close-ups, three times the size, where small details decide the look.
    auto zoom = [&](const std::string& name, const Canvas& screen, Rect r) {
        Canvas part(r.w, r.h);
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x)
                part.Set(x, y, screen.At(r.x + x, r.y + y));
        out.WritePicture(name, Stretch(part, r.w * 3, r.h * 3));
    };
    zoom("zoom-colour-rows.png", Composite(&SkinChild02, Layouts[0], buttons, 8, Face::Hover),
         {0, 0, 340, 140});
    zoom("zoom-bottom-row.png", Composite(&SkinChild02, Layouts[0], buttons, 6, Face::Pressed),
         {96, 530, 240, 70});
    zoom("zoom-title.png", Composite(&SkinChild4x, Layouts[0], buttons, 1, Face::Hover),
         {0, 0, 300, 190});
    zoom("zoom-title-right.png", Composite(&SkinChild4x, Layouts[0], buttons, 1, Face::Hover),
         {860, 0, 164, 40});
    Canvas icons(16 + 32 + 48 + 40, 56, Rgb(255, 251, 245));
    int x = 8;
    for (int size : {16, 32, 48}) {
        const Canvas icon = DrawAppIcon(size);
        for (int j = 0; j < size; ++j)
            for (int i = 0; i < size; ++i)
                icons.Blend(x + i, 4 + j, icon.At(i, j));
        x += size + 12;
    }
    out.WritePicture("icon.png", icons);
    return out.Count() + WriteDecorationReview(outDir);
}

int WriteDecorationReview(const std::string& outDir) {
    TreeWriter out(outDir);
    for (const auto& [name, sheet] : DecorationMontages(DrawDecorations()))
        out.WritePicture(name, sheet);
    return out.Count();
}

} // namespace skingen
