#include "capture/capture_win.h"

#include "capture/capture_frames.h"
#include "capture/live_preview_win.h"
#include "program/program_win.h"

#include <dshow.h>
#include <dvdmedia.h>
#include <gdiplus.h>
#include <qedit.h>

// After the DirectShow headers: their string-safety macros must not meet <cwchar> first.
#include "capture/camera_choice.h"
#include "capture/camera_choice_win.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

using namespace Gdiplus::DllExports;

CaptureGraphState CaptureState{};
bool CaptureMessagesQuiet = false;

namespace {

// Missing from the mingw headers.
const CLSID SampleGrabberClsid = {
    0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
const CLSID NullRendererClsid = {
    0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

static_assert(sizeof(VIDEO_STREAM_CONFIG_CAPS) == 128);
static_assert(sizeof(VIDEOINFOHEADER) == VideoInfoSize);

// What the user reads when the camera does not start, and what they can do about it.
const char CameraNotStarted[] =
    "Flimmer could not start the camera. You can still open a picture from a file.";
// Names the camera: with several, the user must know which one is held.
const char* CameraInUse() {
    static char text[PathSize + 256];
    std::snprintf(text, sizeof text,
                  "Flimmer could not start the camera \"%s\". Check that it is connected and "
                  "that no other program is using it, then try again. You can still open a "
                  "picture from a file.",
                  CurrentCameraName());
    return text;
}
// Always followed by CameraNotStarted, which ends the start.
const char CameraSizeNotSet[] = "Flimmer could not set the camera's picture size.";

// A result as the messages print it.
unsigned Hex(HRESULT hr) {
    return static_cast<unsigned>(hr);
}

template <class T> void ReleaseRef(T*& p) {
    if (p != nullptr) {
        p->Release();
        p = nullptr;
    }
}

// The format block and interface of a media type; the structure itself stays.
void FreeMediaFormat(AM_MEDIA_TYPE& mt) {
    if (mt.cbFormat != 0) {
        CoTaskMemFree(mt.pbFormat);
        mt.cbFormat = 0;
        mt.pbFormat = nullptr;
    }
    ReleaseRef(mt.pUnk);
}

// A media type handed out by the device: everything of it.
void DeleteMediaType(AM_MEDIA_TYPE* mt) {
    if (mt != nullptr) {
        FreeMediaFormat(*mt);
        CoTaskMemFree(mt);
    }
}

// The bitmap header of a connected video type, wherever its format puts it; null when the
// block is not one of the two video formats or too short to hold one.
const BITMAPINFOHEADER* BitmapHeaderOf(const AM_MEDIA_TYPE& mt) {
    if (mt.pbFormat == nullptr)
        return nullptr;
    if (mt.formattype == FORMAT_VideoInfo && mt.cbFormat >= sizeof(VIDEOINFOHEADER))
        return &reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat)->bmiHeader;
    if (mt.formattype == FORMAT_VideoInfo2 && mt.cbFormat >= sizeof(VIDEOINFOHEADER2))
        return &reinterpret_cast<const VIDEOINFOHEADER2*>(mt.pbFormat)->bmiHeader;
    return nullptr;
}

HRESULT CreateGraphInterfaces() {
    CaptureGraphState& c = CaptureState;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(&c.FilterGraph));
    if (FAILED(hr))
        return hr;
    hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC,
                          IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&c.CaptureBuilder));
    if (FAILED(hr))
        return hr;
    hr =
        c.FilterGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&c.MediaControl));
    if (FAILED(hr))
        return hr;
    // An unplugged camera says so through the graph's events; without them the preview only
    // falls silent.
    if (SUCCEEDED(
            c.FilterGraph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&c.Events))))
        c.Events->SetNotifyWindow(reinterpret_cast<OAHWND>(ScreenWindow), CameraEventMessage, 0);
    return S_OK;
}

// The device's friendly name in the ANSI code page, as the setting keeps it; "" without one.
std::string FriendlyName(IMoniker* m) {
    std::string name;
    IPropertyBag* bag = nullptr;
    if (FAILED(
            m->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag))))
        return name;
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(bag->Read(L"FriendlyName", &v, nullptr)) && v.vt == VT_BSTR &&
        v.bstrVal != nullptr) {
        char text[PathSize];
        if (WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, text, PathSize, nullptr, nullptr) > 0) {
            text[PathSize - 1] = '\0';
            name = text;
        }
    }
    VariantClear(&v);
    bag->Release();
    return name;
}

// The video input devices' enumerator, null when the system knows no such device (S_FALSE);
// on failure, `step` says which call failed.
HRESULT OpenVideoDeviceEnumerator(IEnumMoniker** monikers, const char** step) {
    *monikers = nullptr;
    ICreateDevEnum* devices = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC,
                                  IID_ICreateDevEnum, reinterpret_cast<void**>(&devices));
    if (FAILED(hr)) {
        *step = "Couldn't create system enumerator!";
        return hr;
    }
    hr = devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers, 0);
    devices->Release();
    if (FAILED(hr))
        *step = "Couldn't create class enumerator!";
    return hr;
}

// Every device the enumerator lists, in its order; the enumerator is released, the monikers
// are the caller's. hr: the last step's result.
std::vector<IMoniker*> AllDevices(IEnumMoniker* monikers, HRESULT& hr) {
    std::vector<IMoniker*> found;
    for (;;) {
        IMoniker* m = nullptr;
        hr = monikers->Next(1, &m, nullptr);
        if (hr != S_OK || m == nullptr)
            break;
        found.push_back(m);
    }
    monikers->Release();
    return found;
}

HRESULT OpenChosenVideoDevice(IBaseFilter** device) {
    IEnumMoniker* monikers = nullptr;
    const char* step = "";
    HRESULT hr = OpenVideoDeviceEnumerator(&monikers, &step);
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "%s  hr=0x%x", step, Hex(hr));
        return hr;
    }
    if (monikers == nullptr) {
        if (CaptureMessagesQuiet)
            return E_FAIL;
        MessageBoxA(PictureWindow,
                    "Flimmer found no camera. Connect one and press the camera button to try "
                    "again, or press OK on the start screen to open a picture from a file.\n\n"
                    "No video capture device was detected.",
                    "No Video Capture Hardware", MB_OK | MB_ICONINFORMATION);
        return E_FAIL;
    }
    // Every device's friendly name first: the chosen one is found among them by name.
    const std::vector<IMoniker*> found = AllDevices(monikers, hr);
    CameraNames.clear();
    CurrentCamera = -1;
    for (IMoniker* m : found)
        CameraNames.push_back(FriendlyName(m));
    if (found.empty()) {
        if (FAILED(hr))
            return hr;
        ReportCaptureError(CameraNotStarted, "Unable to access video capture device!");
        return E_FAIL;
    }
    CurrentCamera = ChooseCamera(CameraNames, WantedCamera);
    hr = found[CurrentCamera]->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                            reinterpret_cast<void**>(device));
    for (IMoniker* m : found)
        m->Release();
    if (FAILED(hr)) {
        ReportCaptureError(CameraInUse(), "Couldn't bind moniker to filter object!  hr=0x%x",
                           Hex(hr));
        return hr;
    }
    return *device != nullptr ? hr : E_FAIL;
}

HRESULT FindStreamConfig(IBaseFilter* device, IAMStreamConfig** config) {
    const HRESULT hr = CaptureState.CaptureBuilder->FindInterface(
        &PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, device, IID_IAMStreamConfig,
        reinterpret_cast<void**>(config));
    if (FAILED(hr))
        ReportCaptureError(CameraSizeNotSet, "FindInterface Error!  hr=0x%x", Hex(hr));
    return hr;
}

// 1 when a size was chosen, 0 when none qualified, or the failing result. The remembered
// size when the camera offers it, else its largest.
HRESULT PickFrameSize(IBaseFilter* device) {
    IAMStreamConfig* config = nullptr;
    const HRESULT hr = FindStreamConfig(device, &config);
    if (FAILED(hr))
        return hr;
    CaptureState.RequestedWidth = 0;
    CaptureState.RequestedHeight = 0;
    CameraSizes.clear();
    CurrentSize = -1;
    if (config == nullptr)
        return 0;
    int count = 0, size = 0;
    std::vector<FrameCapability> caps;
    // Records of another size are not VIDEO_STREAM_CONFIG_CAPS: none is looked at.
    if (SUCCEEDED(config->GetNumberOfCapabilities(&count, &size)) &&
        size == sizeof(VIDEO_STREAM_CONFIG_CAPS)) {
        for (int i = 0; i < count; ++i) {
            AM_MEDIA_TYPE* mt = nullptr;
            VIDEO_STREAM_CONFIG_CAPS record{};
            if (FAILED(config->GetStreamCaps(i, &mt, reinterpret_cast<BYTE*>(&record))) ||
                mt == nullptr)
                continue;
            caps.push_back({mt->majortype == MEDIATYPE_Video, mt->formattype == FORMAT_VideoInfo,
                            mt->pbFormat != nullptr, mt->cbFormat, record.MaxOutputSize.cx,
                            record.MaxOutputSize.cy});
            DeleteMediaType(mt);
        }
    }
    CameraSizes = OfferedSizes(caps.data(), caps.size());
    CurrentSize = ChooseSize(CameraSizes, WantedSize);
    const FrameSize chosen =
        CurrentSize >= 0 ? CameraSizes[CurrentSize] : PickLargestFrame(caps.data(), caps.size());
    CaptureState.RequestedWidth = chosen.width;
    CaptureState.RequestedHeight = chosen.height;
    config->Release();
    return CaptureState.RequestedWidth > 0 ? 1 : 0;
}

// 0, 100 (no stream configuration), 101 (the device's own format stays) or the failing result.
HRESULT ApplyFrameSize(IBaseFilter* device) {
    IAMStreamConfig* config = nullptr;
    HRESULT hr = FindStreamConfig(device, &config);
    if (FAILED(hr))
        return hr;
    if (config == nullptr)
        return 100;
    AM_MEDIA_TYPE* mt = nullptr;
    hr = config->GetFormat(&mt);
    if (FAILED(hr)) {
        ReportCaptureError(CameraSizeNotSet, "GetFormat Error!  hr=0x%x", Hex(hr));
        config->Release();
        return hr;
    }
    // A block too short for a VIDEOINFOHEADER is not written into.
    if (mt == nullptr || mt->formattype != FORMAT_VideoInfo || mt->pbFormat == nullptr ||
        mt->cbFormat < sizeof(VIDEOINFOHEADER)) {
        ReportCaptureError("The camera keeps its own picture size, because Flimmer could not "
                           "choose one for it. Everything else works as usual.",
                           "not FORMAT_VideoInfo");
        DeleteMediaType(mt);
        config->Release();
        return 101;
    }
    BITMAPINFOHEADER& h = reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat)->bmiHeader;
    h.biBitCount = 24;
    h.biWidth = CaptureState.RequestedWidth;
    h.biHeight = CaptureState.RequestedHeight;
    h.biSizeImage = static_cast<DWORD>(static_cast<long long>(CaptureState.RequestedWidth) *
                                       CaptureState.RequestedHeight * 3);
    hr = config->SetFormat(mt);
    if (FAILED(hr))
        ReportCaptureError(CameraSizeNotSet, "Cannot set new frame rate!  hr=0x%x", Hex(hr));
    DeleteMediaType(mt);
    config->Release();
    return FAILED(hr) ? hr : 0;
}

HRESULT InsertSampleGrabber() {
    CaptureGraphState& c = CaptureState;
    HRESULT hr = CoCreateInstance(SampleGrabberClsid, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IBaseFilter, reinterpret_cast<void**>(&c.GrabberFilter));
    if (FAILED(hr))
        return hr;
    hr = c.FilterGraph->AddFilter(c.GrabberFilter, L"Sample Grabber");
    if (SUCCEEDED(hr))
        hr = c.GrabberFilter->QueryInterface(IID_ISampleGrabber,
                                             reinterpret_cast<void**>(&c.Grabber));
    if (FAILED(hr))
        return hr;
    // The frames end here once the grabber has handed them over; no renderer window.
    hr = CoCreateInstance(NullRendererClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          reinterpret_cast<void**>(&c.Renderer));
    if (SUCCEEDED(hr))
        hr = c.FilterGraph->AddFilter(c.Renderer, L"Null Renderer");
    return hr;
}

HRESULT SetGrabberFormat() {
    // No format type: any RGB24 video format is taken.
    AM_MEDIA_TYPE mt{};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    CaptureState.Grabber->SetMediaType(&mt);
    CaptureState.Grabber->SetOneShot(FALSE);
    // Frames come through the callback: the grabber need not keep copies of its own.
    return CaptureState.Grabber->SetBufferSamples(FALSE);
}

void ReadFrameFormat() {
    AM_MEDIA_TYPE mt{};
    CaptureState.Grabber->GetConnectedMediaType(&mt);
    if (const BITMAPINFOHEADER* h = BitmapHeaderOf(mt)) {
        CaptureState.FrameBytesPerPixel = h->biBitCount / 8;
        CaptureState.FrameWidth = h->biWidth;
        CaptureState.FrameHeight = h->biHeight < 0 ? -h->biHeight : h->biHeight;
        CaptureState.FrameTopDown = h->biHeight < 0;
    }
    FreeMediaFormat(mt);
}

HRESULT RegisterGraphInRot(IUnknown* graph, DWORD* cookie) {
    IRunningObjectTable* table = nullptr;
    if (FAILED(GetRunningObjectTable(0, &table)))
        return E_FAIL;
    // The item name has room for 32 bits of the pointer.
    WCHAR name[128];
    std::swprintf(name, 128, L"FilterGraph %08x pid %08x",
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(graph)),
                  static_cast<unsigned>(GetCurrentProcessId()));
    IMoniker* moniker = nullptr;
    HRESULT hr = CreateItemMoniker(L"!", name, &moniker);
    if (SUCCEEDED(hr)) {
        hr = table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, graph, moniker, cookie);
        moniker->Release();
    }
    table->Release();
    return hr;
}

void RevokeGraphFromRot(DWORD cookie) {
    IRunningObjectTable* table = nullptr;
    if (SUCCEEDED(GetRunningObjectTable(0, &table))) {
        table->Revoke(cookie);
        table->Release();
    }
}

void ReleaseGrabber() {
    CaptureGraphState& c = CaptureState;
    std::free(c.FrameBuffer);
    c.FrameBuffer = nullptr;
    c.FrameBufferSize = 0;
    if (c.SnapshotBitmap != nullptr) {
        GdipDisposeImage(c.SnapshotBitmap);
        c.SnapshotBitmap = nullptr;
    }
    ReleaseRef(c.GrabberFilter);
    ReleaseRef(c.Grabber);
    ReleaseRef(c.Renderer);
    c.FrameWidth = 0;
    c.FrameHeight = 0;
    c.FrameBytesPerPixel = 0;
    c.FrameTopDown = false;
}

// Stop returns once the streaming thread has left the filters, a frame in flight included:
// that thread never waits for this one, so nothing of the preview is freed under it.
void StopGraph() {
    CaptureGraphState& c = CaptureState;
    RefuseFrames();
    if (c.MediaControl != nullptr)
        c.MediaControl->Stop();
    DetachPreview(c.Grabber);
}

void ReleaseGraphInterfaces() {
    CaptureGraphState& c = CaptureState;
    if (c.RotCookie != 0) {
        RevokeGraphFromRot(c.RotCookie);
        c.RotCookie = 0;
    }
    if (c.Events != nullptr)
        c.Events->SetNotifyWindow(0, 0, 0);
    ReleaseRef(c.Events);
    ReleaseRef(c.MediaControl);
    ReleaseRef(c.FilterGraph);
    ReleaseRef(c.CaptureBuilder);
}

// Each failure after the device was opened lets go of the local reference to it.
HRESULT Fail(IBaseFilter* device, HRESULT hr) {
    device->Release();
    return hr;
}

} // namespace

void ReportCaptureError(const char* sentence, const char* detailFormat, ...) {
    if (CaptureMessagesQuiet)
        return;
    va_list args;
    va_start(args, detailFormat);
    ShowReportStyled("PlayCap Message", MB_OK | MB_ICONERROR, sentence, detailFormat, args);
    va_end(args);
}

HRESULT StartCapture() {
    CaptureGraphState& c = CaptureState;
    HRESULT hr = CreateGraphInterfaces();
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "Failed to get video interfaces!  hr=0x%x", Hex(hr));
        return hr;
    }
    hr = c.CaptureBuilder->SetFiltergraph(c.FilterGraph);
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "Failed to set capture filter graph!  hr=0x%x",
                           Hex(hr));
        return hr;
    }
    IBaseFilter* device = nullptr;
    hr = OpenChosenVideoDevice(&device);
    if (FAILED(hr))
        return hr;
    hr = c.FilterGraph->AddFilter(device, L"Video Capture");
    if (FAILED(hr)) {
        ReportCaptureError(CameraInUse(), "Couldn't add the capture filter to the graph!  hr=0x%x",
                           Hex(hr));
        return Fail(device, hr);
    }
    hr = PickFrameSize(device);
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "Couldn't set the graph format!  hr=0x%x", Hex(hr));
        return Fail(device, hr);
    }
    hr = ApplyFrameSize(device);
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "Couldn't set the graph format!  hr=0x%x", Hex(hr));
        return Fail(device, hr);
    }
    hr = InsertSampleGrabber();
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted,
                           "Couldn't add the SampleGrabber filter to the graph!  hr=0x%x", Hex(hr));
        return Fail(device, hr);
    }
    hr = SetGrabberFormat();
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "Couldn't set the SampleGrabber media type!  hr=0x%x",
                           Hex(hr));
        return Fail(device, hr);
    }
    // Without a preview pin the builder puts a Smart Tee in and says VFW_S_NOPREVIEWPIN.
    hr = c.CaptureBuilder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, device,
                                        c.GrabberFilter, c.Renderer);
    if (FAILED(hr)) {
        ReportCaptureError(CameraInUse(), "Couldn't render the video capture stream.  hr=0x%x",
                           Hex(hr));
        return Fail(device, hr);
    }
    ReadFrameFormat();
    device->Release();
    hr = AttachPreview(c.Grabber, ScreenWindow);
    if (FAILED(hr)) {
        ReportCaptureError(CameraNotStarted, "Couldn't initialize video window!  hr=0x%x", Hex(hr));
        return hr;
    }
    hr = RegisterGraphInRot(c.FilterGraph, &c.RotCookie);
    if (FAILED(hr)) {
        WriteDebugNote("Failed to register filter graph with ROT!  hr=0x%x", Hex(hr));
        c.RotCookie = 0;
    }
    hr = c.MediaControl->Run();
    // The graph may start its filters after Run returns; a camera that refuses to run (one
    // that another program holds) says so only once the change has settled.
    OAFilterState state = State_Stopped;
    if (SUCCEEDED(hr)) {
        const HRESULT settled = c.MediaControl->GetState(2000, &state);
        if (FAILED(settled))
            hr = settled;
    }
    if (FAILED(hr)) {
        // A camera that another program holds refuses to run.
        ReportCaptureError(CameraInUse(), "Couldn't run the graph!  hr=0x%x", Hex(hr));
        return hr;
    }
    NoteCaptureStarted();
    return S_OK;
}

std::vector<std::string> ListCameraNames() {
    std::vector<std::string> names;
    IEnumMoniker* monikers = nullptr;
    const char* step = "";
    if (OpenVideoDeviceEnumerator(&monikers, &step) != S_OK || monikers == nullptr)
        return names;
    HRESULT hr = S_OK;
    for (IMoniker* m : AllDevices(monikers, hr)) {
        names.push_back(FriendlyName(m));
        m->Release();
    }
    return names;
}

void StopCapture() {
    NoteCaptureStopped();
    StopGraph();
    ReleaseGrabber();
    ReleaseGraphInterfaces();
}
