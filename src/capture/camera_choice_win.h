// The camera and picture size the user chose on the camera screen, and how the camera is
// doing: the notice in the picture area when it is unplugged or falls silent, and its return.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "capture/capture_frames.h"
#include "skin/skin_tables.h"

// Posted by the capture graph to the camera screen when it has an event (a lost device).
constexpr UINT CameraEventMessage = WM_APP + 5;
// The camera screen's timer that watches for silence and for a lost camera's return.
constexpr UINT_PTR CameraWatchTimer = 0xCA01;

// The devices found by the last start, by friendly name, and the one in use (-1: none).
extern std::vector<std::string> CameraNames;
extern int CurrentCamera;
// The friendly name of the camera in use; "" with none (or a device without a name).
const char* CurrentCameraName();
// What the camera in use offers, largest first, and the size asked of it (-1: none).
extern std::vector<FrameSize> CameraSizes;
extern int CurrentSize;
// The remembered choice ("Camera", "CameraSize" under Config); empty: the first, the largest.
extern char WantedCamera[PathSize];
extern char WantedSize[32];

// The friendly names of the video input devices there are now, in the system's order
// (capture_win.cpp, beside the graph's own enumeration).
std::vector<std::string> ListCameraNames();
// Reads the remembered choice; the camera screen does this before it starts the camera.
void ReadCameraChoice();
// True while the preview runs and its newest frame is fresh (no notice is shown): a frame
// taken now is a live one.
bool CameraFrameLive();

// Hooks of the capture graph and the preview.
void NoteCaptureStarted();
void NoteCaptureStopped();
void NoteFrameShown();
bool CameraNoticeShown();

// The camera screen's part: after its skin is loaded (captions, a notice that stands), on its
// timer and on CameraEventMessage. The presses return false when the new camera could not be
// started; the screen then falls back as at its start.
void DecorateCameraSkin();
void StartWatchingCamera(HWND screen);
void StopWatchingCamera(HWND screen);
void WatchCamera(HWND screen);
// While the preview is held on purpose (a countdown, a strip), its stillness is no silence.
void HoldCameraWatch();
// True when the camera was found lost just now.
bool HandleCameraEvents(HWND screen);
bool PressCameraName(HWND screen);
bool PressCameraSize(HWND screen);
