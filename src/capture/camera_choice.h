// Which camera and which picture size: the remembered choice against what the devices offer,
// the next camera and size a press steps to, and what the camera's notice says.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "capture/capture_frames.h"

// The index of the remembered camera among the devices' friendly names, or 0 (the first
// device) when it is not there or none is remembered; -1 without devices.
int ChooseCamera(const std::vector<std::string>& names, const char* remembered);
// The camera after `current`, back to the first after the last.
int NextCamera(int current, int count);

// The sizes the qualifying capabilities offer, each once, largest first: taller before
// shorter, and among the same height in the device's order (so the first is the size that
// PickLargestFrame chooses).
std::vector<FrameSize> OfferedSizes(const FrameCapability* caps, std::size_t count);
// The index of the remembered size ("1280x720" or "1280 x 720") among the offered ones, or 0
// (the largest) when it is not offered or cannot be read; -1 when none is offered.
int ChooseSize(const std::vector<FrameSize>& offered, const char* remembered);
// The next smaller size, back to the largest after the smallest.
int NextSize(int current, int count);
// "1280x720": as the size button shows it (with spaces it does not fit at 1024 wide) and as the
// setting keeps it.
std::string SizeText(FrameSize s);
// False for anything but two positive numbers with an "x" between them (spaces allowed).
bool ParseSize(const char* text, FrameSize& out);

// What the picture area says about the camera instead of a picture.
enum class CameraNotice { None, Disconnected, Silent };
// Lost wins; otherwise silent when the preview runs and no frame came for silentMs (counted
// from the start of the graph until the first frame).
CameraNotice NoticeFor(bool running, bool lost, unsigned msSinceLastFrameOrStart,
                       unsigned silentMs);
