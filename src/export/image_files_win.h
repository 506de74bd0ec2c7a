// Writing device bitmaps as BMP files and converting them with GDI+.
#pragma once
#include <windows.h>

enum ImageTarget { TargetJpeg, TargetPng, TargetTiff };

// A zero-filled header block with room for the colour table; free it with LocalFree.
BITMAPINFO* BuildBitmapHeader(HBITMAP bitmap);
void WriteBmpFile(const char* path, BITMAPINFO* header, HBITMAP bitmap, HDC dc);
// Saves source in the target format under destination, whose extension becomes the target's.
void ConvertImageFile(const char* source, char* destination, ImageTarget target);
