#include "asset_tree.h"

#include "art.h"
#include "bmp_writer.h"
#include "ico_writer.h"
#include "jpeg_writer.h"
#include "png_writer.h"
#include "wav_writer.h"

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
    int width, height;
    Rect picture;
};

constexpr Layout Layouts[] = {
    {0, 1024, 600, {352, 49, 640, 512}},
    {3, 1024, 768, {352, 62, 640, 640}},
    {6, 1366, 768, {443, 62, 800, 640}},
};

struct ScreenLook {
    const SkinDescriptor* skin;
    const char* title;
    Color tint;
};

const ScreenLook ScreenLooks[] = {
    {&SkinChild01, "Camera", Rgb(60, 150, 160)},
    {&SkinChild02, "Colour", Rgb(200, 100, 130)},
    {&SkinChild03, "Perspective", Rgb(100, 110, 190)},
    {&SkinChild40, "Background", Rgb(90, 160, 100)},
    {&SkinChild41, "Pen", Rgb(220, 130, 60)},
    {&SkinChild4x, "Decorations", Rgb(150, 100, 190)},
    {&SkinChild05, "Effects", Rgb(70, 130, 200)},
    {&SkinChild06, "Save", Rgb(190, 140, 70)},
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

void WriteBackgrounds(TreeWriter& out, const Layout& layout) {
    for (const SkinDescriptor* d : AllSkins) {
        const std::string path = TreePath(d->background, layout.digit);
        if (d == &SkinChild00) {
            out.WritePicture(path, DrawStartScreen());
            continue;
        }
        const auto look = std::find_if(std::begin(ScreenLooks), std::end(ScreenLooks),
                                       [d](const ScreenLook& s) { return s.skin == d; });
        if (look == std::end(ScreenLooks))
            throw std::runtime_error("no look for background " + path);
        out.WritePicture(path, DrawScreenBackground(look->title, layout.width, layout.height,
                                                    layout.picture, look->tint));
    }
}

void WriteButtons(TreeWriter& out, const Layout& layout,
                  const std::map<std::string, ButtonPictures>& buttons) {
    constexpr Face faces[3] = {Face::Norm, Face::Hover, Face::Pressed};
    for (const auto& [name, b] : buttons)
        for (int f = 0; f < 3; ++f) {
            const std::string path = TreePath(b.paths[f], layout.digit);
            if (IsEffectButton(name)) {
                out.WritePicture(path,
                                 DrawEffectTile(std::stoi(name.substr(1)), b.width, faces[f]));
            } else {
                out.WritePicture(path, DrawButton(name, b.width, b.height, faces[f]));
            }
        }
}

} // namespace

int WriteAssetTree(const std::string& outDir) {
    TreeWriter out(outDir);
    const auto buttons = CollectButtons();
    for (const Layout& layout : Layouts) {
        WriteBackgrounds(out, layout);
        WriteButtons(out, layout, buttons);
    }
    out.WritePicture(TreePath(HoverMaskPath, 0),
                     DrawThumbnailMask(ThumbnailSize, Rgb(150, 200, 255), 3));
    out.WritePicture(TreePath(SelectionMaskPath, 0),
                     DrawThumbnailMask(ThumbnailSize, Rgb(255, 160, 40), 4));

    out.WritePicture("Target/Varnet.png", DrawDefaultPicture(640, 480));
    out.Write("Star.wav", EncodeWav16Mono(ClickSound(SampleRate), SampleRate));
    out.Write("snap.wav", EncodeWav16Mono(ShutterSound(SampleRate), SampleRate));

    out.Write("resources/flimmer.ico",
              EncodeIco({DrawAppIcon(16), DrawAppIcon(32), DrawAppIcon(48)}));
    out.Write("resources/openhand.cur", EncodeCur(OpenHandCursor()));
    out.Write("resources/grabhand.cur", EncodeCur(GrabHandCursor()));
    return out.Count();
}

} // namespace skingen
