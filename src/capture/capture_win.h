// The webcam preview graph and the newest frame kept by its sample grabber.
#pragma once
#include <windows.h>

struct IGraphBuilder;
struct ICaptureGraphBuilder2;
struct IMediaControl;
struct IMediaEventEx;
struct IBaseFilter;
struct ISampleGrabber;
namespace Gdiplus {
class GpBitmap;
}

struct CaptureGraphState {
    IGraphBuilder* FilterGraph;
    ICaptureGraphBuilder2* CaptureBuilder;
    IMediaControl* MediaControl;
    IMediaEventEx* Events; // its notices reach the camera screen as CameraEventMessage
    IBaseFilter* GrabberFilter;
    ISampleGrabber* Grabber;
    IBaseFilter* Renderer; // a null renderer: the program draws the frames itself
    DWORD RotCookie;       // 0 = not in the running object table
    LONG RequestedWidth, RequestedHeight;
    LONG FrameWidth, FrameHeight, FrameBytesPerPixel;
    bool FrameTopDown; // the grabber's rows come top row first (a negative height)
    BYTE* FrameBuffer; // the frame last shown, upright and mirrored as shown
    LONG FrameBufferSize;
    Gdiplus::GpBitmap* SnapshotBitmap;
};

// Every reference is null while no graph exists.
extern CaptureGraphState CaptureState;

// While set, a start says nothing when it fails (a camera tried again after it was lost).
extern bool CaptureMessagesQuiet;

// 0 when the preview runs, otherwise the failing result after its message. The frames are
// announced to the screen window.
HRESULT StartCapture();
// Safe on a graph that was built only in part, or not at all.
void StopCapture();
// A capture error in the box "PlayCap Message": what the user can do, then the failing step.
void ReportCaptureError(const char* sentence, const char* detailFormat, ...);
