#include "capture/capture_win.h"

#include "picture/picture_window_win.h"

#include <dshow.h>

#include <cstdarg>
#include <cstdio>

namespace {

HRESULT OpenFirstVideoDevice(IBaseFilter** device) {
    ICreateDevEnum* devices = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC, IID_ICreateDevEnum,
                                  reinterpret_cast<void**>(&devices));
    if (FAILED(hr)) {
        ReportCaptureError("Couldn't create system enumerator!  hr=0x%x", hr);
        return hr;
    }
    IEnumMoniker* monikers = nullptr;
    hr = devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0);
    devices->Release();
    if (FAILED(hr)) {
        ReportCaptureError("Couldn't create class enumerator!  hr=0x%x", hr);
        return hr;
    }
    if (monikers == nullptr) {
        MessageBoxA(PictureWindow,
                    "No video capture device was detected.\r\n\r\n"
                    "This sample requires a video capture device, such as a USB WebCam,\r\n"
                    "to be installed and working properly.  The sample will now close.",
                    "No Video Capture Hardware", MB_OK | MB_ICONINFORMATION);
        return E_FAIL;
    }
    IMoniker* first = nullptr;
    hr = monikers->Next(1, &first, nullptr);
    monikers->Release();
    if (hr == S_FALSE) {
        ReportCaptureError("Unable to access video capture device!");
        return E_FAIL;
    }
    if (FAILED(hr))
        return hr;
    hr = first->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(device));
    first->Release();
    if (FAILED(hr))
        ReportCaptureError("Couldn't bind moniker to filter object!  hr=0x%x", hr);
    return hr;
}

} // namespace

void ReportCaptureError(const char* format, ...) {
    char text[1023];
    va_list args;
    va_start(args, format);
    if (std::vsnprintf(text, sizeof text, format, args) < 0)
        text[0] = '\0';
    va_end(args);
    MessageBoxA(nullptr, text, "PlayCap Message", MB_OK | MB_ICONERROR);
}

HRESULT StartCapture() {
    IBaseFilter* device = nullptr;
    HRESULT hr = OpenFirstVideoDevice(&device);
    if (FAILED(hr))
        return hr;
    device->Release();
    // The preview graph is not built yet: with a device present the camera screen still
    // gives way to the start screen.
    return E_NOTIMPL;
}

void StopCapture() {}
