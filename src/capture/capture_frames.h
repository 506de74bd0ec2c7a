// Frame arithmetic of the camera: the size asked of the device, the row order of a frame,
// and where a snapshot goes.
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

// Turns a frame upside down in place: height rows of width * bytesPerPixel bytes.
void FlipRows(std::uint8_t* frame, int width, int height, int bytesPerPixel);

// The snapshot's file name from the local time, and its full path in the temporary folder
// (which ends with a separator). Both bounded by size and terminated.
void SnapshotPath(const LocalTime& t, const char* tempFolder, char* name, char* path,
                  std::size_t size);
