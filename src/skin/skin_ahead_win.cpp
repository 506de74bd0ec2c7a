#include "skin/skin_ahead_win.h"

#include "skin/file_kind.h"
#include "skin/opaque_pixels_win.h"
#include "skin/upright_image_win.h"

#include <string>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

struct PreparedPicture {
    std::string path;
    HBITMAP bitmap = nullptr; // compatible with the screen; the taker owns it
    int width = 0, height = 0;
};

std::vector<PreparedPicture> Prepared; // written by the thread only until it ends
HANDLE Preparing = nullptr;

void Prepare(PreparedPicture& picture) {
    Gdiplus::GpImage* image = nullptr;
    if (!IsPictureKind(FileKindOf(picture.path.c_str())) ||
        LoadUprightImage(picture.path.c_str(), &image) != Gdiplus::Ok)
        return;
    {
        const OpaquePixels pixels(image, 4);
        HDC screen = GetDC(nullptr);
        picture.bitmap = BitmapFromPixels(screen, pixels);
        ReleaseDC(nullptr, screen);
        picture.width = pixels.width();
        picture.height = pixels.height();
    }
    GdipDisposeImage(image);
}

DWORD WINAPI PrepareAll(void*) {
    for (PreparedPicture& picture : Prepared)
        Prepare(picture);
    return 0;
}

void WaitForPreparation() {
    if (Preparing == nullptr)
        return;
    WaitForSingleObject(Preparing, INFINITE);
    CloseHandle(Preparing);
    Preparing = nullptr;
}

// True while every picture of this skin made earlier is still there to take.
bool AlreadyPrepared(const SkinDescriptor& skin) {
    if (Prepared.empty() || Prepared.front().path != skin.background)
        return false;
    if (Preparing != nullptr)
        return true; // still being made: taking waits for the thread, so nothing was taken
    for (const PreparedPicture& picture : Prepared)
        if (picture.bitmap == nullptr && picture.width != 0)
            return false; // taken
    return true;
}

} // namespace

void PrepareSkinPictures(const SkinDescriptor& skin) {
    // The start screen after the camera screen (or again after a screen) asks for the same.
    if (AlreadyPrepared(skin))
        return;
    DropPreparedPictures();
    Prepared.push_back(PreparedPicture{skin.background, nullptr, 0, 0});
    for (int i = 0; i < skin.N; ++i)
        for (const char* path : {skin.norm[i], skin.hi[i], skin.push[i]})
            Prepared.push_back(PreparedPicture{path, nullptr, 0, 0});
    Preparing = CreateThread(nullptr, 0, PrepareAll, nullptr, 0, nullptr);
    if (Preparing == nullptr)
        Prepared.clear();
}

HBITMAP TakePreparedPicture(const char* path, int w, int h) {
    WaitForPreparation();
    for (PreparedPicture& picture : Prepared)
        if (picture.bitmap != nullptr && picture.width == w && picture.height == h &&
            picture.path == path) {
            HBITMAP taken = picture.bitmap;
            picture.bitmap = nullptr;
            return taken;
        }
    return nullptr;
}

void DropPreparedPictures() {
    WaitForPreparation();
    for (const PreparedPicture& picture : Prepared)
        if (picture.bitmap != nullptr)
            DeleteObject(picture.bitmap);
    Prepared.clear();
}
