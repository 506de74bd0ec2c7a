// Writing the picture as BMP, JPEG, PNG or TIFF without ever leaving a partial file.
#pragma once
#include <windows.h>

enum ImageTarget { TargetBmp, TargetJpeg, TargetPng, TargetTiff };

// The extension that a saved file of the target carries (without the dot).
const char* TargetExtension(ImageTarget target);
// A zero-filled header block with room for the colour table; free it with LocalFree.
BITMAPINFO* BuildBitmapHeader(HBITMAP bitmap);
// Writes the bitmap as a whole BMP file; false with the system's error in *error otherwise
// (the file may then hold part of it: write to a file of your own).
bool WriteBmpFile(const char* path, BITMAPINFO* header, HBITMAP bitmap, HDC dc, DWORD* error);
// Saves the bitmap under path in the target format through a temporary file beside it, which
// replaces path only once it is whole and on the disk. On failure the old file is untouched,
// no temporary file is left and the user is told why; false then.
bool SavePictureFile(const char* path, HBITMAP bitmap, HDC dc, ImageTarget target);
