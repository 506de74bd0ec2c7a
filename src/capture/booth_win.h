// The camera screen's photo booth: the countdown drawn over the preview with its ticks, the
// flash, the photo strip, and the timer that drives them.
#pragma once
#include <windows.h>

// The countdown before a shot; off, OK shoots at once. Remembered as "Countdown".
extern bool CountdownOn;

// A snapshot (1 shot) or a strip; ignored while a run is going.
void StartBoothRun(HWND screen, int shots);
// The booth's timer fired on the camera screen.
void BoothTimer(HWND screen);
// Ends a run quietly: no timer left, no shot later. True when one was running. redraw: the
// preview is shown again without the countdown (not while the screen is going).
bool StopBooth(bool redraw);
// While a shot is being taken the preview holds its frame.
bool BoothHoldsPreview();
// The countdown switched on or off, remembered.
void ToggleCountdown();

// The camera screen's snapshot road (camera_screen_win.cpp): the shown frame as the picture to
// edit. shutterPlayed: the booth already sounded the shutter at the shot.
void TakeSnapshot(HWND w, bool shutterPlayed);
// No frame has come from the camera yet: said, and nothing written.
void ReportNoPicture();
