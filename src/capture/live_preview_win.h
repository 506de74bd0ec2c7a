// The camera's frames drawn by the program itself: taken from the sample grabber on the graph's
// streaming thread, shown on the user-interface thread, and kept for the snapshot.
#pragma once
#include <windows.h>

struct ISampleGrabber;

// Posted to the camera screen when a frame waits; at most one is outstanding.
constexpr UINT FrameReadyMessage = WM_APP + 3;

// The preview is turned left to right, as a mirror shows the user; so is the snapshot.
extern bool PreviewMirrored;

// Frames from the grabber go to `listener` from now on.
HRESULT AttachPreview(ISampleGrabber* grabber, HWND listener);
// Frames are refused from now on; the graph is stopped next, which waits for a frame in flight.
void RefuseFrames();
// The grabber calls nothing of ours any more (the graph has stopped); the picture goes.
void DetachPreview(ISampleGrabber* grabber);
// On FrameReadyMessage: the waiting frame, upright, into CaptureState.FrameBuffer and shown.
void ShowNewestFrame();
// The frame last taken, shown again as the mirror now says.
void ShowFrameAgain();
