#include "export/image_files_win.h"

#include "export/bmp_header.h"
#include "export/output_names.h"
#include "picture/picture_file_win.h"
#include "program/program_win.h"
#include "skin/skin_tables.h"

#include <gdiplus.h>

#include <cwchar>
#include <vector>

using namespace Gdiplus::DllExports;

BITMAPINFO* BuildBitmapHeader(HBITMAP bitmap) {
    BITMAP b{};
    if (GetObjectA(bitmap, sizeof b, &b) == 0)
        ShowMessage("GetObject Error", "Error Code=%i", (int)GetLastError());
    const BmpLayout layout = LayoutBmp(b.bmWidth, b.bmHeight, b.bmPlanes * b.bmBitsPixel);
    auto* info = static_cast<BITMAPINFO*>(
        LocalAlloc(LPTR, sizeof(BITMAPINFOHEADER) + layout.colourCount * sizeof(RGBQUAD)));
    if (info == nullptr)
        return nullptr;
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = b.bmWidth;
    h.biHeight = b.bmHeight;
    h.biPlanes = b.bmPlanes;
    h.biBitCount = b.bmBitsPixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = layout.imageSize;
    h.biClrUsed = layout.colourCount;
    return info;
}

void WriteBmpFile(const char* path, BITMAPINFO* header, HBITMAP bitmap, HDC dc) {
    if (header == nullptr)
        return;
    BITMAPINFOHEADER& h = header->bmiHeader;
    BYTE* pixels = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, h.biSizeImage));
    if (pixels == nullptr) {
        ShowMessage("GlobalAlloc Error", "Error Code=%i", (int)GetLastError());
        return;
    }
    if (GetDIBits(dc, bitmap, 0, static_cast<WORD>(h.biHeight), pixels, header, DIB_RGB_COLORS) ==
        0) {
        ShowMessage("GetDIBits Error", "Error Code=%i", (int)GetLastError());
        GlobalFree(pixels);
        return;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ShowMessage("Create Error", "Error Code=%i", (int)GetLastError());
        GlobalFree(pixels);
        return;
    }
    const BmpLayout layout = LayoutBmp(h.biWidth, h.biHeight, h.biPlanes * h.biBitCount);
    BYTE fileHeader[14];
    WriteBmpFileHeader(layout, fileHeader);
    DWORD written = 0;
    bool ok = WriteFile(file, fileHeader, sizeof fileHeader, &written, nullptr) != 0;
    if (!ok) {
        ShowMessage("WriteFile Error", "Error Code=%i", (int)GetLastError());
    } else {
        const DWORD headerBytes = sizeof(BITMAPINFOHEADER) + h.biClrUsed * sizeof(RGBQUAD);
        if (WriteFile(file, header, headerBytes, &written, nullptr) == 0)
            ShowMessage("WriteFile Error", "Error Code=%i", (int)GetLastError());
        ok = WriteFile(file, pixels, h.biSizeImage, &written, nullptr) != 0;
        if (!ok)
            ShowMessage("WriteFile Error", "Error Code=%i", (int)GetLastError());
    }
    if (CloseHandle(file) == 0)
        ShowMessage("CloseHandle Error", "Error Code=%i", (int)GetLastError());
    GlobalFree(pixels);
}

void ConvertImageFile(const char* source, char* destination, ImageTarget target) {
    static const struct {
        const WCHAR* mime;
        const char* ext;
    } targets[] = {{L"image/jpeg", "jpg"}, {L"image/png", "png"}, {L"image/tiff", "tif"}};
    WCHAR wide[PathSize];
    MultiByteToWideChar(CP_ACP, 0, source, -1, wide, PathSize);
    wide[PathSize - 1] = L'\0';
    Gdiplus::GpImage* image = nullptr;
    GdipLoadImageFromFile(wide, &image);
    CLSID encoder{};
    const int found = FindEncoder(targets[target].mime, &encoder);
    ReplaceExtension(destination, targets[target].ext, PathSize);
    if (image == nullptr)
        return;
    if (found >= 0) {
        MultiByteToWideChar(CP_ACP, 0, destination, -1, wide, PathSize);
        wide[PathSize - 1] = L'\0';
        GdipSaveImageToFile(image, wide, &encoder, nullptr);
    }
    GdipDisposeImage(image);
}
