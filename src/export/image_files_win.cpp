#include "export/image_files_win.h"

#include "common/text.h"
#include "export/bmp_header.h"
#include "export/save_failure.h"
#include "picture/picture_file_win.h"
#include "program/program_win.h"
#include "program/temporary_files_win.h"
#include "skin/skin_tables.h"

#include <gdiplus.h>

using namespace Gdiplus::DllExports;

namespace {

const WCHAR* MimeTypeOf(ImageTarget target) {
    static const WCHAR* const types[] = {L"image/bmp", L"image/jpeg", L"image/png",
                                         L"image/tiff"};
    return types[target];
}

bool Fail(DWORD* error, DWORD code) {
    *error = code;
    return false;
}

bool WriteAll(HANDLE file, const void* data, DWORD size, DWORD* error) {
    DWORD written = 0;
    if (WriteFile(file, data, size, &written, nullptr) == 0)
        return Fail(error, GetLastError());
    if (written != size)
        return Fail(error, ERROR_DISK_FULL); // a short write without an error: no room left
    return true;
}

// The temporary BMP, loaded by the imaging library and written again in the target format.
bool ConvertBmpFile(const char* bmp, const char* path, ImageTarget target, DWORD* error) {
    WCHAR wide[PathSize];
    if (MultiByteToWideChar(CP_ACP, 0, bmp, -1, wide, PathSize) == 0)
        return Fail(error, GetLastError());
    Gdiplus::GpImage* image = nullptr;
    if (GdipLoadImageFromFile(wide, &image) != Gdiplus::Ok || image == nullptr)
        return Fail(error, 0);
    CLSID encoder{};
    bool ok = FindEncoder(MimeTypeOf(target), &encoder) >= 0 &&
              MultiByteToWideChar(CP_ACP, 0, path, -1, wide, PathSize) != 0;
    if (ok) {
        SetLastError(0);
        const Gdiplus::Status status = GdipSaveImageToFile(image, wide, &encoder, nullptr);
        ok = status == Gdiplus::Ok;
        if (!ok)
            *error = status == Gdiplus::Win32Error ? GetLastError() : 0;
    } else {
        *error = 0;
    }
    GdipDisposeImage(image);
    return ok;
}

bool WriteTargetFile(const char* path, HBITMAP bitmap, HDC dc, ImageTarget target, DWORD* error) {
    BITMAPINFO* header = BuildBitmapHeader(bitmap);
    if (header == nullptr)
        return Fail(error, ERROR_NOT_ENOUGH_MEMORY);
    bool ok;
    if (target == TargetBmp) {
        ok = WriteBmpFile(path, header, bitmap, dc, error);
    } else {
        // The imaging library converts from a BMP of ours in the temporary folder.
        char bmp[PathSize];
        ok = MakeTemporaryFileName(bmp, error) && WriteBmpFile(bmp, header, bitmap, dc, error) &&
             ConvertBmpFile(bmp, path, target, error);
        DeleteFileA(bmp);
    }
    LocalFree(header);
    return ok;
}

// Every byte on the disk, and a file that is not empty.
bool FlushToDisk(const char* path, DWORD* error) {
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail(error, GetLastError());
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart > 0;
    if (!ok)
        *error = 0;
    else if (FlushFileBuffers(file) == 0)
        ok = Fail(error, GetLastError());
    CloseHandle(file);
    return ok;
}

// A file that another program holds open without letting it be replaced would stop the
// replacement half-way on some systems: ask first, as the replacement itself would.
bool TargetCanBeReplaced(const char* path, DWORD* error) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(error, ERROR_DIRECTORY);
    HANDLE file = CreateFileA(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail(error, GetLastError());
    CloseHandle(file);
    return true;
}

void ReportSaveFailure(const char* path, DWORD error) {
    char text[PathSize + 256];
    SaveFailureText(path, error, text, sizeof text);
    ShowMessage("Flimmer", "%s", text);
}

} // namespace

const char* TargetExtension(ImageTarget target) {
    static const char* const extensions[] = {"bmp", "jpg", "png", "tif"};
    return extensions[target];
}

BITMAPINFO* BuildBitmapHeader(HBITMAP bitmap) {
    BITMAP b{};
    if (GetObjectA(bitmap, sizeof b, &b) == 0)
        ShowReport("GetObject Error",
                   "Flimmer could not read the picture to save it. Close some other programs, "
                   "then save again.",
                   "Error Code=%i", (int)GetLastError());
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

bool WriteBmpFile(const char* path, BITMAPINFO* header, HBITMAP bitmap, HDC dc, DWORD* error) {
    BITMAPINFOHEADER& h = header->bmiHeader;
    BYTE* pixels = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, h.biSizeImage));
    if (pixels == nullptr)
        return Fail(error, ERROR_NOT_ENOUGH_MEMORY);
    if (GetDIBits(dc, bitmap, 0, static_cast<WORD>(h.biHeight), pixels, header, DIB_RGB_COLORS) ==
        0) {
        GlobalFree(pixels);
        return Fail(error, 0);
    }
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        GlobalFree(pixels);
        return Fail(error, code);
    }
    const BmpLayout layout = LayoutBmp(h.biWidth, h.biHeight, h.biPlanes * h.biBitCount);
    BYTE fileHeader[14];
    WriteBmpFileHeader(layout, fileHeader);
    const DWORD headerBytes = sizeof(BITMAPINFOHEADER) + h.biClrUsed * sizeof(RGBQUAD);
    bool ok = WriteAll(file, fileHeader, sizeof fileHeader, error) &&
              WriteAll(file, header, headerBytes, error) &&
              WriteAll(file, pixels, h.biSizeImage, error);
    if (CloseHandle(file) == 0 && ok)
        ok = Fail(error, GetLastError());
    GlobalFree(pixels);
    return ok;
}

bool SavePictureFile(const char* path, HBITMAP bitmap, HDC dc, ImageTarget target) {
    ReleaseDecodedPicture(); // the target may be the photo just opened
    DWORD error = 0;
    char temporary[PathSize];
    bool ok = TargetCanBeReplaced(path, &error) && MakeTemporaryFileBeside(path, temporary, &error);
    if (ok) {
        ok = WriteTargetFile(temporary, bitmap, dc, target, &error) &&
             FlushToDisk(temporary, &error) &&
             (MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
              Fail(&error, GetLastError()));
        if (!ok)
            DeleteFileA(temporary);
    }
    if (!ok)
        ReportSaveFailure(path, error);
    return ok;
}
