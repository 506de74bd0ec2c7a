// The clock of a press: started when a button goes down, stopped when what it changed is on the
// screen. The benchmarks read the records through PressTimesMessage; nothing a user sees.
#pragma once
#include <windows.h>

// Sent to the main window: wParam = presses ago (0: the last one), lParam = field 0..3
// (screen, slot, total and kernel microseconds); wParam = -1 answers how many are kept.
extern const UINT PressTimesMessage;
LRESULT AnswerPressTimes(WPARAM wp, LPARAM lp);

void BeginPress();
// The button the press hit, once the screen has found it.
void NotePressedSlot(int slot);
void EndPress(int screenCode);
// The clock presses are timed by, in performance-counter ticks.
long long PressClockTicks();
// Computing done on another thread for this press, in the clock's ticks.
void AddKernelTicks(long long ticks);

// Counts the enclosed work as the picture's computing.
class KernelSpan {
  public:
    KernelSpan();
    ~KernelSpan();
    KernelSpan(const KernelSpan&) = delete;
    KernelSpan& operator=(const KernelSpan&) = delete;
};

// Within a KernelSpan, work that is not computing (showing the result) is left out.
class OutsideKernel {
  public:
    OutsideKernel();
    ~OutsideKernel();
    OutsideKernel(const OutsideKernel&) = delete;
    OutsideKernel& operator=(const OutsideKernel&) = delete;

  private:
    bool paused_;
};
