#include "capture/frame_mailbox.h"

#include <algorithm>

void OpenMailbox(FrameMailbox& box) {
    const std::lock_guard<std::mutex> hold(box.lock);
    box.full = false;
    box.announced = false;
    box.open = true;
}

void CloseMailbox(FrameMailbox& box) {
    const std::lock_guard<std::mutex> hold(box.lock);
    box.full = false;
    box.open = false;
}

bool PutFrame(FrameMailbox& box, const std::uint8_t* bytes, std::size_t size) {
    const std::lock_guard<std::mutex> hold(box.lock);
    if (!box.open || bytes == nullptr)
        return false;
    // After the first frames the two buffers have the frame's size: nothing is allocated here.
    box.waiting.resize(size);
    std::copy(bytes, bytes + size, box.waiting.begin());
    box.full = true;
    if (box.announced)
        return false;
    box.announced = true;
    return true;
}

void AnnouncementLost(FrameMailbox& box) {
    const std::lock_guard<std::mutex> hold(box.lock);
    box.announced = false;
}

bool TakeFrame(FrameMailbox& box, std::vector<std::uint8_t>& frame) {
    const std::lock_guard<std::mutex> hold(box.lock);
    box.announced = false;
    if (!box.full)
        return false;
    frame.swap(box.waiting);
    box.full = false;
    return true;
}
