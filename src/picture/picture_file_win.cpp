#include "picture/picture_file_win.h"

#include "common/text.h"
#include "effects/resample.h"
#include "picture/picture_file.h"
#include "picture/resample_win.h"
#include "program/layout.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "skin/color_planes.h"
#include "skin/color_planes_win.h"
#include "skin/file_kind.h"
#include "skin/opaque_pixels_win.h"
#include "skin/skin_tables.h"
#include "skin/skin_win.h"
#include "skin/upright_image_win.h"

#include <gdiplus.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

int LoaderFailure(int status) {
    ShowReport("Error",
               "This file could not be opened as a picture. It may be damaged, too large, or in a "
               "format Flimmer does not read.",
               "Error code = %x.", static_cast<unsigned>(status));
    return status;
}

int Refusal(const LoadPlan& plan, UINT w, UINT h) {
    if (plan.verdict == RefusedOverPlanes) {
        ShowReport("Error",
                   "This picture is too large to use here. Make it smaller in a picture editor, "
                   "then choose it again.",
                   "The picture is too large (%u x %u).", w, h);
        return LoadTooLarge;
    }
    return LoaderFailure(plan.verdict == RefusedEmpty ? Gdiplus::InvalidParameter
                                                      : LoadOutOfMemory);
}

// Draws the image stretched over the whole bitmap; the library's status, 0 when drawn.
int DrawInto(HDC windowDC, HBITMAP bitmap, Gdiplus::GpImage* image, int w, int h) {
    HDC memory = CreateCompatibleDC(windowDC);
    if (memory == nullptr)
        return LoadOutOfMemory;
    HGDIOBJ old = SelectObject(memory, bitmap);
    Gdiplus::GpGraphics* graphics = nullptr;
    int status = GdipCreateFromHDC(memory, &graphics);
    if (status == Gdiplus::Ok) {
        status = GdipDrawImageRectI(graphics, image, 0, 0, w, h);
        GdipDeleteGraphics(graphics);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return status;
}

constexpr int NotRead = -1;

long long Ticks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// A picture kept at its own size is read from its decoded pixels: a big photo never becomes a
// device bitmap of its size. NotRead when it has to be drawn instead (stretched, transparent).
// The time the decoder takes to hand the pixels out is added to decodeTicks.
int ReadPixels(Gdiplus::GpImage* image, const LoadPlan& plan, uint8_t* blue, uint8_t* green,
               uint8_t* red, int& w, int& h, long long& decodeTicks) {
    UINT naturalW = 0, naturalH = 0;
    GdipGetImageWidth(image, &naturalW);
    GdipGetImageHeight(image, &naturalH);
    if (naturalW != static_cast<UINT>(plan.bitmapWidth) ||
        naturalH != static_cast<UINT>(plan.bitmapHeight))
        return NotRead;
    const long long before = Ticks();
    const OpaquePixels pixels(image);
    decodeTicks += Ticks() - before;
    if (!pixels.ok())
        return NotRead;
    return PlanesFromPixels(pixels.rows(), pixels.stride(), plan, blue, green, red, w, h)
               ? Gdiplus::Ok
               : LoadOutOfMemory;
}

// Any other picture is drawn into a device bitmap of the plan's size and read from there.
int DrawAndRead(HDC windowDC, Gdiplus::GpImage* image, const LoadPlan& plan, uint8_t* blue,
                uint8_t* green, uint8_t* red, int& w, int& h) {
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, plan.bitmapWidth, plan.bitmapHeight);
    if (bitmap == nullptr)
        return LoadOutOfMemory;
    int status = DrawInto(windowDC, bitmap, image, plan.bitmapWidth, plan.bitmapHeight);
    if (status == Gdiplus::Ok) {
        const bool converted =
            plan.percent < 100
                ? ResamplePercent(bitmap, plan.percent, plan.percent, blue, green, red, w, h)
                : BitmapToPlanesSized(bitmap, w, h, blue, green, red);
        if (!converted)
            status = LoadOutOfMemory;
    }
    DeleteObject(bitmap);
    return status;
}

struct ReadResult {
    int status;
    LoadPlan plan;
    UINT naturalW, naturalH;
    int width, height;
};

// The image's pixels as the plan for its size says, into the planes; dc is any DC of the display.
ReadResult ReadImage(HDC dc, Gdiplus::GpImage* image, int mode, int areaW, int areaH,
                     int pictureW, int pictureH, uint8_t* blue, uint8_t* green, uint8_t* red,
                     long long& decodeTicks) {
    ReadResult r{};
    GdipGetImageWidth(image, &r.naturalW);
    GdipGetImageHeight(image, &r.naturalH);
    // Sizes beyond int range are refused like any other oversized picture.
    const int nw = r.naturalW > 0x7fffffffU ? 0x7fffffff : static_cast<int>(r.naturalW);
    const int nh = r.naturalH > 0x7fffffffU ? 0x7fffffff : static_cast<int>(r.naturalH);
    r.plan = PlanPictureLoad(nw, nh, mode, areaW, areaH, pictureW, pictureH);
    if (r.plan.verdict != LoadGoesAhead) {
        r.status = LoadTooLarge; // refused: the plan says why
        return r;
    }
    r.width = r.plan.bitmapWidth;
    r.height = r.plan.bitmapHeight;
    r.status = ReadPixels(image, r.plan, blue, green, red, r.width, r.height, decodeTicks);
    if (r.status == NotRead)
        r.status = DrawAndRead(dc, image, r.plan, blue, green, red, r.width, r.height);
    return r;
}

// The loader's message for a result that is not a picture; its status.
int ReportReadFailure(const ReadResult& r) {
    if (r.plan.verdict != LoadGoesAhead)
        return Refusal(r.plan, r.naturalW, r.naturalH);
    return LoaderFailure(r.status);
}

// The thread that let go of the last decoded picture, until it has been waited for.
HANDLE DisposingThread = nullptr;

} // namespace

// A picture file decoded on a thread of its own into planes of its own, taken on the
// user-interface thread only when the decode succeeded; the thread then frees the decoded image,
// which for a big photo takes a while, while the picture is being shown.
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

struct PictureDecode::Job {
    char path[PathSize];
    int mode, areaW, areaH, pictureW, pictureH;
    std::vector<uint8_t> blue, green, red;
    ReadResult result{};
    long long decodeTicks = 0;
    HANDLE ready = nullptr;
};

namespace {

// Decodes and reads the picture, says so, then lets the decoded image go: freeing a big photo
// takes a while and nobody waits for it.
DWORD WINAPI DecodeOnItsOwn(void* context) {
    auto* job = static_cast<PictureDecode::Job*>(context);
    const HANDLE ready = job->ready;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    Gdiplus::GpImage* image = nullptr;
    const long long before = Ticks();
    const int status = LoadUprightImage(job->path, &image);
    job->decodeTicks += Ticks() - before;
    if (status != Gdiplus::Ok) {
        job->result.status = status;
    } else {
        HDC dc = GetDC(nullptr);
        job->result = ReadImage(dc, image, job->mode, job->areaW, job->areaH, job->pictureW,
                                job->pictureH, job->blue.data(), job->green.data(),
                                job->red.data(), job->decodeTicks);
        ReleaseDC(nullptr, dc);
    }
    SetEvent(ready); // the job belongs to the waiting thread from here on
    if (image != nullptr)
        GdipDisposeImage(image);
    if (com)
        CoUninitialize();
    return 0;
}

} // namespace

PictureDecode::PictureDecode(const char* path, int mode) : job_(new Job) {
    CopyText(job_->path, path, PathSize);
    job_->mode = mode;
    job_->areaW = AreaWidth;
    job_->areaH = AreaHeight;
    job_->pictureW = PictureWidth;
    job_->pictureH = PictureHeight;
    job_->blue.resize(PlaneCapacity);
    job_->green.resize(PlaneCapacity);
    job_->red.resize(PlaneCapacity);
    ReleaseDecodedPicture();
    job_->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = job_->ready == nullptr
                        ? nullptr
                        : CreateThread(nullptr, 0, DecodeOnItsOwn, job_.get(), 0, nullptr);
    if (thread == nullptr) {
        // No thread to spare: decode here and now.
        if (job_->ready == nullptr)
            job_->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        DecodeOnItsOwn(job_.get());
        return;
    }
    DisposingThread = thread;
}

PictureDecode::~PictureDecode() {
    Wait();
    if (job_->ready != nullptr)
        CloseHandle(job_->ready);
}

void PictureDecode::Wait() {
    if (waited_)
        return;
    waited_ = true;
    if (job_->ready != nullptr)
        WaitForSingleObject(job_->ready, INFINITE);
    AddKernelTicks(job_->decodeTicks);
}

bool PictureDecode::TakePlanes(uint8_t* blue, uint8_t* green, uint8_t* red, int* width,
                               int* height) {
    Wait();
    const ReadResult& r = job_->result;
    if (r.status != Gdiplus::Ok)
        return false;
    const std::size_t n = static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height);
    std::memcpy(blue, job_->blue.data(), n);
    std::memcpy(green, job_->green.data(), n);
    std::memcpy(red, job_->red.data(), n);
    *width = r.width;
    *height = r.height;
    return true;
}

int PictureDecode::ReportFailure() {
    Wait();
    return ReportReadFailure(job_->result);
}

int LoadPictureFile(HWND screen, const char* path, uint8_t* blue, uint8_t* green, uint8_t* red,
                    int* width, int* height, int mode) {
    if (!IsPictureKind(FileKindOf(path)))
        return LoadNotAPicture;
    // The screen is whole again (the dialog gone) before a long decode starts.
    HDC windowDC = GetDC(screen);
    if (BackBufferDC != nullptr)
        BitBlt(windowDC, 0, 0, LayoutWidth, LayoutHeight, BackBufferDC, 0, 0, SRCCOPY);
    ReleaseDC(screen, windowDC);
    PictureDecode decode(path, mode);
    if (decode.TakePlanes(blue, green, red, width, height))
        return 0;
    return decode.ReportFailure();
}

void ReleaseDecodedPicture() {
    if (DisposingThread == nullptr)
        return;
    WaitForSingleObject(DisposingThread, INFINITE);
    CloseHandle(DisposingThread);
    DisposingThread = nullptr;
}

int LoadPictureImage(HWND screen, Gdiplus::GpImage* image, uint8_t* blue, uint8_t* green,
                     uint8_t* red, int* width, int* height, int mode) {
    HDC windowDC = GetDC(screen);
    long long decodeTicks = 0;
    const ReadResult r = ReadImage(windowDC, image, mode, AreaWidth, AreaHeight, PictureWidth,
                                   PictureHeight, blue, green, red, decodeTicks);
    ReleaseDC(screen, windowDC);
    AddKernelTicks(decodeTicks);
    if (r.status != Gdiplus::Ok)
        return ReportReadFailure(r);
    *width = r.width;
    *height = r.height;
    return 0;
}

int FindEncoder(const WCHAR* mimeType, CLSID* clsid) {
    UINT count = 0, size = 0;
    GdipGetImageEncodersSize(&count, &size);
    if (size == 0)
        return -1;
    std::vector<BYTE> block(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return -1;
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
            *clsid = codecs[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}
