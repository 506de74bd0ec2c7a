// Picture files through the imaging library, turned the way up their camera recorded.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <vector>

// Loads a picture file and turns it upright by its EXIF orientation, before anyone reads its
// size or pixels. The library's status; *image is set only when it is Ok.
int LoadUprightImage(const char* path, Gdiplus::GpImage** image);

// The first bytes of a file, as many as hold a JPEG's EXIF block in practice; fewer when the file
// is shorter, none when it cannot be read.
std::vector<uint8_t> JpegFileHead(const char* path);
