#include "picture/picture_file_win.h"

#include "effects/resample.h"
#include "picture/picture_file.h"
#include "picture/resample_win.h"
#include "program/layout.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/file_kind.h"
#include "skin/opaque_pixels_win.h"
#include "skin/skin_tables.h"
#include "skin/skin_win.h"
#include "skin/upright_image_win.h"

#include <gdiplus.h>

#include <cwchar>
#include <optional>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

int LoaderFailure(int status) {
    ShowReport("Error",
               "This file could not be opened as a picture. It may be damaged, too large, or in a "
               "format Flimmer does not read.",
               "Error code = %x.", static_cast<unsigned>(status));
    return status;
}

int Refusal(const LoadPlan& plan, UINT w, UINT h) {
    if (plan.verdict == RefusedOverPlanes) {
        ShowReport("Error",
                   "This picture is too large to use here. Make it smaller in a picture editor, "
                   "then choose it again.",
                   "The picture is too large (%u x %u).", w, h);
        return LoadTooLarge;
    }
    return LoaderFailure(plan.verdict == RefusedEmpty ? Gdiplus::InvalidParameter
                                                      : LoadOutOfMemory);
}

// Draws the image stretched over the whole bitmap; the library's status, 0 when drawn.
int DrawInto(HDC windowDC, HBITMAP bitmap, Gdiplus::GpImage* image, int w, int h) {
    HDC memory = CreateCompatibleDC(windowDC);
    if (memory == nullptr)
        return LoadOutOfMemory;
    HGDIOBJ old = SelectObject(memory, bitmap);
    Gdiplus::GpGraphics* graphics = nullptr;
    int status = GdipCreateFromHDC(memory, &graphics);
    if (status == Gdiplus::Ok) {
        status = GdipDrawImageRectI(graphics, image, 0, 0, w, h);
        GdipDeleteGraphics(graphics);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return status;
}

constexpr int NotRead = -1;

Gdiplus::GpImage* DecodedPicture = nullptr;

// A picture kept at its own size is read from its decoded pixels: a big photo never becomes a
// device bitmap of its size. NotRead when it has to be drawn instead (stretched, transparent).
int ReadPixels(Gdiplus::GpImage* image, const LoadPlan& plan, uint8_t* blue, uint8_t* green,
               uint8_t* red, int& w, int& h) {
    UINT naturalW = 0, naturalH = 0;
    GdipGetImageWidth(image, &naturalW);
    GdipGetImageHeight(image, &naturalH);
    if (naturalW != static_cast<UINT>(plan.bitmapWidth) ||
        naturalH != static_cast<UINT>(plan.bitmapHeight))
        return NotRead;
    std::optional<OpaquePixels> locked;
    {
        const KernelSpan decoding; // the pixels come out of the decoder here
        locked.emplace(image);
    }
    const OpaquePixels& pixels = *locked;
    if (!pixels.ok())
        return NotRead;
    return PlanesFromPixels(pixels.rows(), pixels.stride(), plan, blue, green, red, w, h)
               ? Gdiplus::Ok
               : LoadOutOfMemory;
}

// Any other picture is drawn into a device bitmap of the plan's size and read from there.
int DrawAndRead(HDC windowDC, Gdiplus::GpImage* image, const LoadPlan& plan, uint8_t* blue,
                uint8_t* green, uint8_t* red, int& w, int& h) {
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, plan.bitmapWidth, plan.bitmapHeight);
    if (bitmap == nullptr)
        return LoadOutOfMemory;
    int status = DrawInto(windowDC, bitmap, image, plan.bitmapWidth, plan.bitmapHeight);
    if (status == Gdiplus::Ok) {
        const bool converted =
            plan.percent < 100
                ? ResamplePercent(bitmap, plan.percent, plan.percent, blue, green, red, w, h)
                : BitmapToPlanesSized(bitmap, w, h, blue, green, red);
        if (!converted)
            status = LoadOutOfMemory;
    }
    DeleteObject(bitmap);
    return status;
}

} // namespace

int LoadPictureFile(HWND screen, const char* path, uint8_t* blue, uint8_t* green, uint8_t* red,
                    int* width, int* height, int mode) {
    if (!IsPictureKind(FileKindOf(path)))
        return LoadNotAPicture;
    // The screen is whole again (the dialog gone) before a long decode starts.
    HDC windowDC = GetDC(screen);
    if (BackBufferDC != nullptr)
        BitBlt(windowDC, 0, 0, LayoutWidth, LayoutHeight, BackBufferDC, 0, 0, SRCCOPY);
    ReleaseDC(screen, windowDC);
    Gdiplus::GpImage* image = nullptr;
    int status;
    {
        const KernelSpan decoding;
        status = LoadUprightImage(path, &image);
    }
    if (status != Gdiplus::Ok)
        return LoaderFailure(status);
    status = LoadPictureImage(screen, image, blue, green, red, width, height, mode);
    ReleaseDecodedPicture();
    DecodedPicture = image;
    if (MainWindow == nullptr || !PostMessageA(MainWindow, ReleasePictureMessage, 0, 0))
        ReleaseDecodedPicture();
    return status;
}

void ReleaseDecodedPicture() {
    if (DecodedPicture != nullptr)
        GdipDisposeImage(DecodedPicture);
    DecodedPicture = nullptr;
}

int LoadPictureImage(HWND screen, Gdiplus::GpImage* image, uint8_t* blue, uint8_t* green,
                     uint8_t* red, int* width, int* height, int mode) {
    UINT naturalW = 0, naturalH = 0;
    GdipGetImageWidth(image, &naturalW);
    GdipGetImageHeight(image, &naturalH);
    // Sizes beyond int range are refused like any other oversized picture.
    const int nw = naturalW > 0x7fffffffU ? 0x7fffffff : static_cast<int>(naturalW);
    const int nh = naturalH > 0x7fffffffU ? 0x7fffffff : static_cast<int>(naturalH);
    const LoadPlan plan =
        PlanPictureLoad(nw, nh, mode, AreaWidth, AreaHeight, PictureWidth, PictureHeight);
    if (plan.verdict != LoadGoesAhead)
        return Refusal(plan, naturalW, naturalH);

    HDC windowDC = GetDC(screen);
    int w = plan.bitmapWidth, h = plan.bitmapHeight;
    int status = ReadPixels(image, plan, blue, green, red, w, h);
    if (status == NotRead)
        status = DrawAndRead(windowDC, image, plan, blue, green, red, w, h);
    ReleaseDC(screen, windowDC);
    if (status != Gdiplus::Ok)
        return LoaderFailure(status);
    *width = w;
    *height = h;
    return 0;
}

int FindEncoder(const WCHAR* mimeType, CLSID* clsid) {
    UINT count = 0, size = 0;
    GdipGetImageEncodersSize(&count, &size);
    if (size == 0)
        return -1;
    std::vector<BYTE> block(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return -1;
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
            *clsid = codecs[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}
