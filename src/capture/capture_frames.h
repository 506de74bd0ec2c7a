// Frame arithmetic of the camera: the size asked of the device, the row order of a frame,
// the picture that the preview shows and a snapshot keeps, and where a snapshot goes.
#pragma once
#include <cstddef>
#include <cstdint>

#include "export/output_names.h"

// One capability as the device describes it.
struct FrameCapability {
    bool video;               // major type is video
    bool videoInfo;           // format type is VideoInfo
    bool formatPresent;       // the format block exists
    unsigned long formatSize; // length of the format block
    int maxWidth, maxHeight;  // its largest output size
};

struct FrameSize {
    int width, height;
};

// Size of a VIDEOINFOHEADER, the least a capability's format block must hold.
constexpr unsigned long VideoInfoSize = 88;

// The largest height among the qualifying capabilities with its width; ties keep the earlier,
// widths play no part. 0 x 0 when none qualifies.
FrameSize PickLargestFrame(const FrameCapability* caps, std::size_t count);

// Bytes of a frame of height rows of width * bytesPerPixel bytes; -1 when a dimension is not
// positive or the size does not fit 32 bits.
long long FrameBytes(int width, int height, int bytesPerPixel);

// Bytes from one row to the next of a frame as the grabber hands it over: rows of RGB bits are
// padded to whole 32-bit words.
std::size_t GrabberStride(int width, int bytesPerPixel);

// A frame as the grabber hands it over (padded rows, the last row first unless topDown) into
// `out`: top row first, rows of exactly width * bytesPerPixel bytes, turned left to right when
// mirror is set. False, with nothing written, when the source is shorter than that.
bool UprightFrame(const std::uint8_t* source, std::size_t sourceSize, int width, int height,
                  int bytesPerPixel, bool topDown, bool mirror, std::uint8_t* out);

// An upright 24-bit frame as its snapshot arrives in the editor: shrunk by the percentage at
// which it fits the area, never enlarged, into planes of at least PlaneCapacity bytes. False
// when the loader would refuse it; w and h receive the picture's size.
bool FitFrame(const std::uint8_t* upright, int width, int height, int areaWidth, int areaHeight,
              std::uint8_t* blue, std::uint8_t* green, std::uint8_t* red, int& w, int& h);

// The snapshot's file name from the local time, and its full path in the temporary folder
// (which ends with a separator). Both bounded by size and terminated.
void SnapshotPath(const LocalTime& t, const char* tempFolder, char* name, char* path,
                  std::size_t size);
