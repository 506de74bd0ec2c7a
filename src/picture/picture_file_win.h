// Drawing picture files through GDI+ into colour planes.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <cstdint>

// Loads a BMP, PNG, JPEG, TIFF or GIF file into the planes: mode 0 at its natural size, 1 shrunk
// to fit the picture area, 2 stretched to PictureWidth x PictureHeight. Returns 0 and the
// planes' size in *width and *height; -1 for a name that is not a picture; the imaging library's
// status (shown as "Error code = %x.") or -2 for a picture too large, with the planes and sizes
// left as they were.
int LoadPictureFile(const char* path, uint8_t* blue, uint8_t* green, uint8_t* red, int* width,
                    int* height, int mode);
// The same for a picture already in the imaging library (a pasted one); the image stays the
// caller's.
int LoadPictureImage(HWND screen, Gdiplus::GpImage* image, uint8_t* blue, uint8_t* green,
                     uint8_t* red, int* width, int* height, int mode);
// The imaging library may hold the last decoded file open until its decoded picture has been let
// go, which happens on the decoding thread; whoever deletes or writes that file calls this first.
void ReleaseDecodedPicture();
// The imaging library's encoder for a MIME type: its index, or -1 with clsid untouched.
int FindEncoder(const WCHAR* mimeType, CLSID* clsid);
