#include "skin/upright_image_win.h"

#include "skin/orientation.h"
#include "skin/skin_tables.h"

#include <cstring>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

constexpr bool Same(RotateFlip ours, Gdiplus::RotateFlipType library) {
    return static_cast<int>(ours) == static_cast<int>(library);
}
static_assert(Same(RotateNoneFlipNone, Gdiplus::RotateNoneFlipNone) &&
              Same(Rotate90FlipNone, Gdiplus::Rotate90FlipNone) &&
              Same(Rotate180FlipNone, Gdiplus::Rotate180FlipNone) &&
              Same(Rotate270FlipNone, Gdiplus::Rotate270FlipNone) &&
              Same(RotateNoneFlipX, Gdiplus::RotateNoneFlipX) &&
              Same(Rotate90FlipX, Gdiplus::Rotate90FlipX) &&
              Same(Rotate180FlipX, Gdiplus::Rotate180FlipX) &&
              Same(Rotate270FlipX, Gdiplus::Rotate270FlipX));

// The raw format the library gives a JPEG file (b96b3cae-0728-11d3-9d7b-0000f81ef32e).
constexpr GUID JpegFormat = {
    0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The orientation as the library read it; 0 when it has none.
int LibraryOrientation(Gdiplus::GpImage* image) {
    UINT size = 0;
    if (GdipGetPropertyItemSize(image, PropertyTagOrientation, &size) != Gdiplus::Ok ||
        size < sizeof(Gdiplus::PropertyItem))
        return 0;
    std::vector<BYTE> block(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(block.data());
    USHORT value = 0;
    if (GdipGetPropertyItem(image, PropertyTagOrientation, size, item) != Gdiplus::Ok ||
        item->type != PropertyTagTypeShort || item->length < sizeof value || item->value == nullptr)
        return 0;
    std::memcpy(&value, item->value, sizeof value);
    return value;
}

// The orientation in the EXIF block at the start of a JPEG file.
int JpegFileOrientation(const char* path) {
    const std::vector<uint8_t> head = JpegFileHead(path);
    return JpegOrientation(head.data(), head.size());
}

bool IsJpeg(Gdiplus::GpImage* image) {
    GUID format{};
    return GdipGetImageRawFormat(image, &format) == Gdiplus::Ok && IsEqualGUID(format, JpegFormat);
}

void TurnUpright(Gdiplus::GpImage* image, const char* path) {
    int orientation = LibraryOrientation(image);
    // Wine's JPEG decoder keeps no EXIF block; the file still has it.
    if (orientation == 0 && IsJpeg(image))
        orientation = JpegFileOrientation(path);
    const RotateFlip turn = UprightTurn(orientation);
    if (turn == RotateNoneFlipNone)
        return;
    // The turn and the mirror go as two steps: asked for both at once, Wine mirrors first.
    const int quarters = turn & 3;
    const bool mirror = (turn & RotateNoneFlipX) != 0;
    if (quarters != 0 &&
        GdipImageRotateFlip(image, static_cast<Gdiplus::RotateFlipType>(quarters)) != Gdiplus::Ok)
        return;
    if (mirror && GdipImageRotateFlip(image, Gdiplus::RotateNoneFlipX) != Gdiplus::Ok)
        return;
    // Without the orientation nothing can turn the picture a second time; some libraries
    // cannot remove it, and nothing of ours reads it after this.
    GdipRemovePropertyItem(image, PropertyTagOrientation);
}

} // namespace

std::vector<uint8_t> JpegFileHead(const char* path) {
    std::vector<uint8_t> head;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return head;
    head.resize(JpegHeadSize);
    DWORD got = 0;
    if (!ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &got, nullptr))
        got = 0;
    CloseHandle(file);
    head.resize(got);
    return head;
}

int LoadUprightImage(const char* path, Gdiplus::GpImage** image) {
    // GDI+ takes UTF-16 paths; ours are ANSI.
    WCHAR wide[PathSize];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, PathSize) == 0)
        return Gdiplus::InvalidParameter;
    Gdiplus::GpImage* loaded = nullptr;
    const int status = GdipLoadImageFromFile(wide, &loaded);
    if (status != Gdiplus::Ok)
        return status;
    TurnUpright(loaded, path);
    *image = loaded;
    return Gdiplus::Ok;
}
