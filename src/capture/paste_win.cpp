#include "capture/paste_win.h"

#include "capture/capture_screens_win.h"
#include "capture/clipboard_picture.h"
#include "capture/open_requests_win.h"
#include "picture/picture_file_win.h"
#include "program/program_win.h"
#include "program/screen_table.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"

#include <cstring>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra; // top-down rows of width x 4 bytes
};

void Size(Pixels& out, int width, int height) {
    out.width = width;
    out.height = height;
    out.bgra.assign(static_cast<std::size_t>(width) * height * 4, 255);
}

// The platform converts every kind of DIB to 32 bits; the alpha bytes are taken from the
// source itself, as a conversion need not keep them.
bool PixelsFromDib(const uint8_t* block, const PackedDib& dib, Pixels& out) {
    Size(out, dib.width, dib.height);
    void* bits = nullptr;
    HBITMAP section = CreateTopDownSection(dib.width, dib.height, &bits);
    if (section == nullptr)
        return false;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    const int rows = SetDIBitsToDevice(dc, 0, 0, dib.width, dib.height, 0, 0, 0, dib.height,
                                       block + dib.bitsOffset,
                                       reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS);
    GdiFlush();
    if (rows > 0)
        std::memcpy(out.bgra.data(), bits, out.bgra.size());
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
    if (rows <= 0)
        return false;
    if (dib.alpha) {
        for (int y = 0; y < dib.height; ++y) {
            const uint8_t* row =
                block + dib.bitsOffset + dib.stride * (dib.topDown ? y : dib.height - 1 - y);
            uint8_t* to = out.bgra.data() + static_cast<std::size_t>(y) * dib.width * 4;
            for (int x = 0; x < dib.width; ++x)
                to[4 * x + 3] = row[4 * x + 3];
        }
    }
    FlattenOnWhite(out.bgra.data(), static_cast<std::size_t>(dib.width) * dib.height);
    return true;
}

bool PixelsFromBitmap(HBITMAP bitmap, Pixels& out) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0 ||
        static_cast<std::size_t>(info.bmWidth) * info.bmHeight > MaxPastePixels)
        return false;
    Size(out, info.bmWidth, info.bmHeight);
    BITMAPINFO target = TopDownInfo(out.width, out.height);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(out.height), out.bgra.data(),
                               &target, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return rows == out.height;
}

enum class Taken { Picture, Nothing, TooLarge };

Taken TakeClipboardPicture(Pixels& out) {
    if (!OpenClipboard(MainWindow))
        return Taken::Nothing;
    Taken taken = Taken::Nothing;
    for (UINT format : {UINT{CF_DIBV5}, UINT{CF_DIB}}) {
        HGLOBAL block = GetClipboardData(format);
        const auto* bytes = block != nullptr ? static_cast<const uint8_t*>(GlobalLock(block))
                                             : nullptr;
        if (bytes == nullptr)
            continue;
        const PackedDib dib = ReadPackedDib(bytes, GlobalSize(block));
        if (dib.verdict == DibVerdict::TooLarge)
            taken = Taken::TooLarge;
        else if (dib.verdict == DibVerdict::Usable && PixelsFromDib(bytes, dib, out))
            taken = Taken::Picture;
        GlobalUnlock(block);
        if (taken != Taken::Nothing)
            break;
    }
    if (taken == Taken::Nothing) {
        HANDLE bitmap = GetClipboardData(CF_BITMAP);
        if (bitmap != nullptr && PixelsFromBitmap(static_cast<HBITMAP>(bitmap), out))
            taken = Taken::Picture;
    }
    CloseClipboard();
    return taken;
}

} // namespace

void PastePicture() {
    Pixels pixels;
    const Taken taken = TakeClipboardPicture(pixels);
    if (taken == Taken::Nothing) {
        ShowMessage("Flimmer", "There is no picture on the clipboard to paste.\n\nCopy a picture "
                               "in another program first, then press Ctrl+V here.");
        return;
    }
    if (taken == Taken::TooLarge) {
        ShowMessage("Flimmer", "The picture on the clipboard is too large to paste.\n\nMake it "
                               "smaller in the other program, copy it again, then press Ctrl+V "
                               "here.");
        return;
    }
    const int id = ScreenIdOfCode(ScreenCode);
    if (id < 0 || !MayReplacePicture("Paste the picture from the clipboard?"))
        return;
    Gdiplus::GpBitmap* image = nullptr;
    if (GdipCreateBitmapFromScan0(pixels.width, pixels.height, pixels.width * 4,
                                  PixelFormat32bppRGB, pixels.bgra.data(), &image) != Gdiplus::Ok)
        return;
    const int status = LoadPictureImage(ScreenWindow, image, BasePicture.blue, BasePicture.green,
                                        BasePicture.red, &PictureWidth, &PictureHeight, 1);
    GdipDisposeImage(image);
    if (status != 0)
        return;
    PictureFromFile = 0;
    EnterEditingCentred(ScreenWindow, id);
}
