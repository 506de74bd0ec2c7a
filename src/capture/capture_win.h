// The webcam preview graph.
#pragma once
#include <windows.h>

// 0 when the preview runs, otherwise the failing result after its message.
HRESULT StartCapture();
// Safe on a graph that was built only in part, or not at all.
void StopCapture();
// A capture error in the box "PlayCap Message".
void ReportCaptureError(const char* format, ...);
