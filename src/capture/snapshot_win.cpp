#include "capture/snapshot_win.h"

#include "capture/capture_frames.h"
#include "capture/capture_win.h"
#include "picture/picture_file_win.h"
#include "program/program_win.h"
#include "program/settings_win.h"

#include <gdiplus.h>

#include <cstring>

using namespace Gdiplus::DllExports;

char SnapshotRequested = 0;
CLSID PngEncoder{};

BYTE* GrabFrame() {
    // What the preview shows is what is taken: its frame, already upright (and mirrored).
    const CaptureGraphState& c = CaptureState;
    if (c.Grabber == nullptr || c.FrameBuffer == nullptr)
        return nullptr;
    const long long bytes = FrameBytes(c.FrameWidth, c.FrameHeight, c.FrameBytesPerPixel);
    return bytes >= 0 && bytes <= c.FrameBufferSize ? c.FrameBuffer : nullptr;
}

Gdiplus::GpBitmap* FrameToBitmap() {
    CaptureGraphState& c = CaptureState;
    if (c.Grabber == nullptr || c.FrameBuffer == nullptr || c.FrameBytesPerPixel != 3)
        return nullptr;
    const long long bytes = FrameBytes(c.FrameWidth, c.FrameHeight, 3);
    if (bytes < 0 || bytes > c.FrameBufferSize)
        return nullptr;
    if (c.SnapshotBitmap != nullptr) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(c.SnapshotBitmap, &w);
        GdipGetImageHeight(c.SnapshotBitmap, &h);
        if (w != static_cast<UINT>(c.FrameWidth) || h != static_cast<UINT>(c.FrameHeight)) {
            GdipDisposeImage(c.SnapshotBitmap);
            c.SnapshotBitmap = nullptr;
        }
    }
    if (c.SnapshotBitmap == nullptr &&
        GdipCreateBitmapFromScan0(c.FrameWidth, c.FrameHeight, 0, PixelFormat24bppRGB, nullptr,
                                  &c.SnapshotBitmap) != Gdiplus::Ok)
        c.SnapshotBitmap = nullptr;
    if (c.SnapshotBitmap == nullptr)
        return nullptr;

    UINT width = 0, height = 0;
    Gdiplus::PixelFormat format = 0;
    GdipGetImageWidth(c.SnapshotBitmap, &width);
    GdipGetImageHeight(c.SnapshotBitmap, &height);
    GdipGetImagePixelFormat(c.SnapshotBitmap, &format);
    const Gdiplus::GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * 3);
    data.PixelFormat = format;
    data.Scan0 = c.FrameBuffer;
    // With a buffer of our own the unlock copies it into the bitmap.
    if (GdipBitmapLockBits(c.SnapshotBitmap, &whole,
                           Gdiplus::ImageLockModeWrite | Gdiplus::ImageLockModeUserInputBuf,
                           PixelFormat24bppRGB, &data) != Gdiplus::Ok)
        return nullptr;
    GdipBitmapUnlockBits(c.SnapshotBitmap, &data);
    return c.SnapshotBitmap;
}

void SaveSnapshotPng(Gdiplus::GpBitmap* bitmap, const WCHAR* path, bool shutter) {
    if (bitmap == nullptr || SnapshotRequested != 1)
        return;
    SnapshotRequested = 0;
    if (SpeakerOn && shutter)
        PlayProgramSound("snap.wav");
    FindEncoder(L"image/png", &PngEncoder);
    static const CLSID none{};
    if (std::memcmp(&PngEncoder, &none, sizeof none) == 0)
        return;
    HANDLE existing = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        CloseHandle(existing);
        return;
    }
    GdipSaveImageToFile(bitmap, path, &PngEncoder, nullptr);
}
