// Drawing picture files through GDI+ into colour planes.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <memory>

// Loads a BMP, PNG, JPEG, TIFF or GIF file into the planes: mode 0 at its natural size, 1 shrunk
// to fit the picture area, 2 stretched to PictureWidth x PictureHeight. Returns 0 and the
// planes' size in *width and *height; -1 for a name that is not a picture; the imaging library's
// status (shown as "Error code = %x.") or -2 for a picture too large, with the planes and sizes
// left as they were.
int LoadPictureFile(HWND screen, const char* path, uint8_t* blue, uint8_t* green, uint8_t* red,
                    int* width, int* height, int mode);
// The same for a picture already in the imaging library (a pasted one); the image stays the
// caller's.
int LoadPictureImage(HWND screen, Gdiplus::GpImage* image, uint8_t* blue, uint8_t* green,
                     uint8_t* red, int* width, int* height, int mode);
// A picture file decoded into planes of its own on a thread of its own, so that the screen can
// change while a big photo decodes. Its result is taken on the user-interface thread.
class PictureDecode {
  public:
    // Starts at once; the mode and the picture area are those of LoadPictureFile, as they are now.
    PictureDecode(const char* path, int mode);
    ~PictureDecode();
    PictureDecode(const PictureDecode&) = delete;
    PictureDecode& operator=(const PictureDecode&) = delete;

    // Waits for the decode; true with the planes and sizes set, false with them left as they were.
    bool TakePlanes(uint8_t* blue, uint8_t* green, uint8_t* red, int* width, int* height);
    // After TakePlanes failed: the loader's message, and its result as LoadPictureFile returns it.
    int ReportFailure();

    struct Job;

  private:
    void Wait();
    std::unique_ptr<Job> job_;
    bool waited_ = false;
};
// The imaging library may hold the last decoded file open until its decoded picture has been let
// go, which happens on the decoding thread; whoever deletes or writes that file calls this first.
void ReleaseDecodedPicture();
// The imaging library's encoder for a MIME type: its index, or -1 with clsid untouched.
int FindEncoder(const WCHAR* mimeType, CLSID* clsid);
