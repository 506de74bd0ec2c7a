// The newest camera frame as a PNG file in the temporary folder.
#pragma once
#include <windows.h>

namespace Gdiplus {
class GpBitmap;
}

// Set by the snapshot button, cleared by "Files" and by the save: at most one file a press.
extern char SnapshotRequested;
// The PNG encoder, looked up before each save; all zero while none was found.
extern CLSID PngEncoder;

// The frame the preview shows, top row first, in CaptureState.FrameBuffer; null before the
// first frame or without a running graph.
BYTE* GrabFrame();
// The frame in CaptureState.SnapshotBitmap, or null.
Gdiplus::GpBitmap* FrameToBitmap();
// Writes the bitmap as PNG, with the shutter sound unless it has already played (the
// countdown's shot); an existing file is never overwritten.
void SaveSnapshotPng(Gdiplus::GpBitmap* bitmap, const WCHAR* path, bool shutter = true);
