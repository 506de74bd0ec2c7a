// The newest camera frame on its way from the graph's streaming thread to the user-interface
// thread: one waiting frame under a lock, newer frames replace it, and at most one
// announcement is outstanding, so a busy user interface drops frames instead of queueing them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

struct FrameMailbox {
    std::mutex lock;
    std::vector<std::uint8_t> waiting;
    bool full = false;      // `waiting` holds a frame not yet taken
    bool announced = false; // the user interface has been told and has not taken it yet
    bool open = false;      // frames are accepted
};

// Accepts frames from now on; nothing is waiting or announced.
void OpenMailbox(FrameMailbox& box);
// Refuses frames from now on and forgets the waiting one.
void CloseMailbox(FrameMailbox& box);
// Streaming thread: a copy of the frame waits in place of any older one. True when the caller
// must announce it (nothing announced yet); false when closed or already announced.
bool PutFrame(FrameMailbox& box, const std::uint8_t* bytes, std::size_t size);
// An announcement that did not get through: the next frame announces again.
void AnnouncementLost(FrameMailbox& box);
// User-interface thread: swaps the waiting frame into `frame`, whose old buffer then takes the
// next frame; false when none waits. Either way the announcement is answered.
bool TakeFrame(FrameMailbox& box, std::vector<std::uint8_t>& frame);
