#include "picture/picture_file_win.h"

#include "common/text.h"
#include "effects/resample.h"
#include "picture/picture_file.h"
#include "picture/resample_win.h"
#include "program/layout.h"
#include "program/press_timing_win.h"
#include "program/program_win.h"
#include "skin/codec_pixels_win.h"
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
    const long long before = PressClockTicks();
    const OpaquePixels pixels(image);
    decodeTicks += PressClockTicks() - before;
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

// The plan for a picture of the natural size; a refused plan is the result already.
ReadResult PlanRead(UINT naturalW, UINT naturalH, int mode, int areaW, int areaH, int pictureW,
                    int pictureH) {
    ReadResult r{};
    r.naturalW = naturalW;
    r.naturalH = naturalH;
    // Sizes beyond int range are refused like any other oversized picture.
    const int nw = naturalW > 0x7fffffffU ? 0x7fffffff : static_cast<int>(naturalW);
    const int nh = naturalH > 0x7fffffffU ? 0x7fffffff : static_cast<int>(naturalH);
    r.plan = PlanPictureLoad(nw, nh, mode, areaW, areaH, pictureW, pictureH);
    r.status = r.plan.verdict == LoadGoesAhead ? Gdiplus::Ok : LoadTooLarge;
    r.width = r.plan.bitmapWidth;
    r.height = r.plan.bitmapHeight;
    return r;
}

// The image's pixels as the plan for its size says, into the planes; dc is any DC of the display.
ReadResult ReadImage(HDC dc, Gdiplus::GpImage* image, int mode, int areaW, int areaH, int pictureW,
                     int pictureH, uint8_t* blue, uint8_t* green, uint8_t* red,
                     long long& decodeTicks) {
    UINT naturalW = 0, naturalH = 0;
    GdipGetImageWidth(image, &naturalW);
    GdipGetImageHeight(image, &naturalH);
    ReadResult r = PlanRead(naturalW, naturalH, mode, areaW, areaH, pictureW, pictureH);
    if (r.status != Gdiplus::Ok)
        return r; // refused: the plan says why
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

// A picture file to decode into planes of its own, so that a failed load leaves the caller's
// picture as it was; the decoding thread's until it signals `ready`.
struct DecodeJob {
    char path[PathSize];
    int mode, areaW, areaH, pictureW, pictureH;
    std::vector<uint8_t> blue, green, red;
    ReadResult result{};
    long long decodeTicks = 0;
    HANDLE ready = nullptr;
};

// A plain colour JPEG is read straight from the system's codec, the library's own decoder: only
// the rows the fitted picture needs, and no full-size copy of the photo. False when the job must
// go the library's way instead, which also words any failure as it always has.
bool ReadThroughCodec(DecodeJob& job, CodecPixels& jpeg) {
    // Drawn on a 16-bit display, a picture loses bits that its pixels keep; a stretched one is
    // drawn by the library.
    if (DisplayDepth() < 24 || job.mode == StretchToPicture)
        return false;
    const long long before = PressClockTicks();
    const bool opened = jpeg.Open(job.path);
    job.decodeTicks += PressClockTicks() - before;
    if (!opened)
        return false;
    ReadResult r = PlanRead(static_cast<UINT>(jpeg.width()), static_cast<UINT>(jpeg.height()),
                            job.mode, job.areaW, job.areaH, job.pictureW, job.pictureH);
    if (r.status == Gdiplus::Ok) {
        const int read = PlanesFromRows(
            [&](int y, uint8_t* out) {
                const long long start = PressClockTicks();
                const bool copied = jpeg.CopyRow(y, out);
                job.decodeTicks += PressClockTicks() - start;
                return copied;
            },
            r.plan, job.blue.data(), job.green.data(), job.red.data(), r.width, r.height);
        if (read == RowsUnreadable)
            return false;
        r.status = read == RowsRead ? Gdiplus::Ok : LoadOutOfMemory;
    }
    job.result = r;
    return true;
}

// The job through the imaging library; the decoded image, for the caller to let go.
Gdiplus::GpImage* ReadThroughLibrary(DecodeJob& job) {
    Gdiplus::GpImage* image = nullptr;
    const long long before = PressClockTicks();
    const int status = LoadUprightImage(job.path, &image);
    job.decodeTicks += PressClockTicks() - before;
    if (status != Gdiplus::Ok) {
        job.result.status = status;
        return nullptr;
    }
    HDC dc = GetDC(nullptr);
    job.result = ReadImage(dc, image, job.mode, job.areaW, job.areaH, job.pictureW, job.pictureH,
                           job.blue.data(), job.green.data(), job.red.data(), job.decodeTicks);
    ReleaseDC(nullptr, dc);
    return image;
}

// Decodes and reads the picture, says so, then lets the decoded image go: freeing a big photo
// takes a while and nobody waits for it.
DWORD WINAPI DecodeOnItsOwn(void* context) {
    auto* job = static_cast<DecodeJob*>(context);
    const HANDLE ready = job->ready;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        CodecPixels jpeg;
        Gdiplus::GpImage* image = ReadThroughCodec(*job, jpeg) ? nullptr : ReadThroughLibrary(*job);
        if (ready != nullptr)
            SetEvent(ready); // the job belongs to the waiting thread from here on
        if (image != nullptr)
            GdipDisposeImage(image);
    } // the codec's decoded photo goes here, after the wait
    if (com)
        CoUninitialize();
    return 0;
}

// The size of a file's contents; 0 when it cannot be had.
unsigned long long FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Below this a file decodes and is let go quicker than a thread starts: a sticker's stamp waits
// for neither.
constexpr unsigned long long SmallPictureFileBytes = 1 << 20;

// Runs the job on a thread of its own, which goes on freeing the decoded image while the
// picture is shown; here and now for a small file or when no thread can be had.
void Decode(DecodeJob& job) {
    ReleaseDecodedPicture();
    HANDLE thread = nullptr;
    if (FileBytes(job.path) >= SmallPictureFileBytes) {
        job.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (job.ready != nullptr)
            thread = CreateThread(nullptr, 0, DecodeOnItsOwn, &job, 0, nullptr);
    }
    if (thread == nullptr) {
        DecodeOnItsOwn(&job);
    } else {
        DisposingThread = thread;
        WaitForSingleObject(job.ready, INFINITE);
    }
    if (job.ready != nullptr)
        CloseHandle(job.ready);
    AddKernelTicks(job.decodeTicks);
}

} // namespace

int LoadPictureFile(const char* path, uint8_t* blue, uint8_t* green, uint8_t* red, int* width,
                    int* height, int mode) {
    if (!IsPictureKind(FileKindOf(path)))
        return LoadNotAPicture;
    DecodeJob job{};
    CopyText(job.path, path, PathSize);
    job.mode = mode;
    job.areaW = AreaWidth;
    job.areaH = AreaHeight;
    job.pictureW = PictureWidth;
    job.pictureH = PictureHeight;
    job.blue.resize(PlaneCapacity);
    job.green.resize(PlaneCapacity);
    job.red.resize(PlaneCapacity);
    Decode(job);
    const ReadResult& r = job.result;
    if (r.status != Gdiplus::Ok)
        return ReportReadFailure(r);
    const std::size_t n = static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height);
    std::memcpy(blue, job.blue.data(), n);
    std::memcpy(green, job.green.data(), n);
    std::memcpy(red, job.red.data(), n);
    *width = r.width;
    *height = r.height;
    return 0;
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
