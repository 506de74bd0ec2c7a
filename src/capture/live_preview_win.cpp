#include "capture/live_preview_win.h"

#include "capture/camera_choice_win.h"
#include "capture/capture_frames.h"
#include "capture/capture_win.h"
#include "capture/frame_mailbox.h"
#include "capture/live_effect.h"
#include "picture/picture_window_win.h"
#include "program/layout.h"
#include "skin/color_planes.h"

#include <dshow.h>
#include <qedit.h>

#include <atomic>
#include <cstdlib>
#include <vector>

bool PreviewMirrored = true;

namespace {

FrameMailbox Frames;
std::atomic<HWND> Listener{nullptr};
// The frame last taken from the mailbox, as the grabber delivered it.
std::vector<std::uint8_t> RawFrame;
// What the picture window shows of it: fitted to the area as its snapshot will be, with the
// chosen effect.
LivePictures Live;

// Runs on the graph's streaming thread: copies the frame and posts, never waits for the
// user interface and touches no window.
class FrameCallback final : public ISampleGrabberCB {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
            *out = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // A static object: counting references would change nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        BYTE* bytes = nullptr;
        if (sample == nullptr || FAILED(sample->GetPointer(&bytes)))
            return S_OK;
        const long size = sample->GetActualDataLength();
        if (size > 0 && PutFrame(Frames, bytes, static_cast<std::size_t>(size)) &&
            !PostMessageA(Listener.load(), FrameReadyMessage, 0, 0))
            AnnouncementLost(Frames);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }
};

FrameCallback Callback;

// CaptureState.FrameBuffer with room for one upright frame; false when it cannot be had.
bool FrameBufferFor(long long bytes) {
    CaptureGraphState& c = CaptureState;
    if (c.FrameBuffer != nullptr && c.FrameBufferSize == bytes)
        return true;
    std::free(c.FrameBuffer);
    c.FrameBuffer = static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(bytes)));
    c.FrameBufferSize = c.FrameBuffer != nullptr ? static_cast<LONG>(bytes) : 0;
    return c.FrameBuffer != nullptr;
}

} // namespace

HRESULT AttachPreview(ISampleGrabber* grabber, HWND listener) {
    Listener = listener;
    OpenMailbox(Frames);
    // Mode 0: SampleCB, with the sample's own memory; the grabber copies nothing.
    return grabber->SetCallback(&Callback, 0);
}

void RefuseFrames() {
    CloseMailbox(Frames);
}

void DetachPreview(ISampleGrabber* grabber) {
    if (grabber != nullptr)
        grabber->SetCallback(nullptr, 0);
    Listener = nullptr;
    RawFrame.clear();
    DeleteLiveSurface();
}

void ShowNewestFrame() {
    if (TakeFrame(Frames, RawFrame)) {
        NoteFrameShown();
        ShowFrameAgain();
    }
}

void ShowFrameAgain() {
    CaptureGraphState& c = CaptureState;
    const long long bytes = FrameBytes(c.FrameWidth, c.FrameHeight, c.FrameBytesPerPixel);
    // A notice stands in for a frame that is no longer live.
    if (CameraNoticeShown())
        return;
    if (RawFrame.empty() || bytes < 0 || c.FrameBytesPerPixel != 3 || !FrameBufferFor(bytes))
        return;
    int w = 0, h = 0;
    const ColorPlanes* picture =
        LiveFramePicture(RawFrame.data(), RawFrame.size(), c.FrameWidth, c.FrameHeight,
                         c.FrameTopDown, PreviewMirrored, AreaWidth, AreaHeight, LiveEffect,
                         c.FrameBuffer, Live, w, h);
    if (picture == nullptr) {
        // A short sample: no snapshot of a half-written frame.
        std::free(c.FrameBuffer);
        c.FrameBuffer = nullptr;
        c.FrameBufferSize = 0;
        return;
    }
    ShowLivePicture(*picture, w, h);
}
