// The webcam preview graph and the newest frame kept by its sample grabber.
#pragma once
#include <windows.h>

struct IGraphBuilder;
struct ICaptureGraphBuilder2;
struct IMediaControl;
struct IVideoWindow;
struct IBaseFilter;
struct ISampleGrabber;
namespace Gdiplus {
class GpBitmap;
}

struct CaptureGraphState {
    IGraphBuilder* FilterGraph;
    ICaptureGraphBuilder2* CaptureBuilder;
    IMediaControl* MediaControl;
    IVideoWindow* VideoWindow;
    IBaseFilter* GrabberFilter;
    ISampleGrabber* Grabber;
    DWORD RotCookie; // 0 = not in the running object table
    LONG RequestedWidth, RequestedHeight;
    LONG FrameWidth, FrameHeight, FrameBytesPerPixel;
    BYTE* FrameBuffer;
    LONG FrameBufferSize;
    Gdiplus::GpBitmap* SnapshotBitmap;
};

// Every reference is null while no graph exists.
extern CaptureGraphState CaptureState;

// 0 when the preview runs, otherwise the failing result after its message.
HRESULT StartCapture();
// Safe on a graph that was built only in part, or not at all.
void StopCapture();
// The video window over the whole client area of the picture window.
void FitVideoWindow();
// A capture error in the box "PlayCap Message": what the user can do, then the failing step.
void ReportCaptureError(const char* sentence, const char* detailFormat, ...);
