#include "picture/picture_file_win.h"

#include "picture/picture_file.h"
#include "picture/resample_win.h"
#include "program/layout.h"
#include "program/program_win.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/file_kind.h"
#include "skin/skin_tables.h"
#include "skin/skin_win.h"

#include <gdiplus.h>

#include <cwchar>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

int LoaderFailure(int status) {
    ShowMessage("Error", "Error code = %x.", static_cast<unsigned>(status));
    return status;
}

int Refusal(const LoadPlan& plan, UINT w, UINT h) {
    if (plan.verdict == RefusedOverPlanes) {
        ShowMessage("Error", "The picture is too large (%u x %u).", w, h);
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

} // namespace

int LoadPictureFile(HWND screen, const char* path, uint8_t* blue, uint8_t* green, uint8_t* red,
                    int* width, int* height, int mode) {
    if (!IsPictureKind(FileKindOf(path)))
        return LoadNotAPicture;
    HDC windowDC = GetDC(screen);
    if (BackBufferDC != nullptr)
        BitBlt(windowDC, 0, 0, LayoutWidth, LayoutHeight, BackBufferDC, 0, 0, SRCCOPY);

    WCHAR wide[PathSize];
    Gdiplus::GpImage* image = nullptr;
    int status = Gdiplus::InvalidParameter;
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, PathSize) != 0)
        status = GdipLoadImageFromFile(wide, &image);
    if (status != Gdiplus::Ok) {
        ReleaseDC(screen, windowDC);
        return LoaderFailure(status);
    }
    UINT naturalW = 0, naturalH = 0;
    GdipGetImageWidth(image, &naturalW);
    GdipGetImageHeight(image, &naturalH);
    // Sizes beyond int range are refused like any other oversized picture.
    const int nw = naturalW > 0x7fffffffU ? 0x7fffffff : static_cast<int>(naturalW);
    const int nh = naturalH > 0x7fffffffU ? 0x7fffffff : static_cast<int>(naturalH);
    const LoadPlan plan =
        PlanPictureLoad(nw, nh, mode, AreaWidth, AreaHeight, PictureWidth, PictureHeight);
    if (plan.verdict != LoadGoesAhead) {
        GdipDisposeImage(image);
        ReleaseDC(screen, windowDC);
        return Refusal(plan, naturalW, naturalH);
    }

    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, plan.bitmapWidth, plan.bitmapHeight);
    status = bitmap == nullptr
                 ? LoadOutOfMemory
                 : DrawInto(windowDC, bitmap, image, plan.bitmapWidth, plan.bitmapHeight);
    GdipDisposeImage(image);
    ReleaseDC(screen, windowDC);
    if (status != Gdiplus::Ok) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        return LoaderFailure(status);
    }

    int w = plan.bitmapWidth, h = plan.bitmapHeight;
    const bool converted = plan.percent < 100 ? ResamplePercent(bitmap, plan.percent, plan.percent,
                                                                blue, green, red, w, h)
                                              : BitmapToPlanesSized(bitmap, w, h, blue, green, red);
    DeleteObject(bitmap);
    if (!converted)
        return LoaderFailure(LoadOutOfMemory);
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
