// The photo booth's timing: a 3-2-1 countdown before each shot, a white flash while it is
// taken, and a strip of several shots one countdown apart. One timer drives it; every step
// says what to do now and how long until the next.
#pragma once

enum class BoothPhase { Idle, Counting, Flash, Pause };

enum class BoothAction {
    None,      // nothing to show; wait for the next step
    ShowDigit, // draw BoothRun::digit, with the tick
    TakeShot,  // take the frame now, with the shutter, and flash
    Finish,    // every shot is taken: the photo (or strip) goes to the editor
};

struct BoothRun {
    BoothPhase phase = BoothPhase::Idle;
    int digit = 0; // 3, 2, 1 while counting
    int taken = 0; // shots taken so far
    int shots = 0; // shots wanted
    bool countdown = true;
};

struct BoothStep {
    BoothAction action = BoothAction::None;
    int delayMs = 0; // until the next AdvanceBooth; 0 when none follows
};

constexpr int CountdownFrom = 3;
constexpr int CountdownStepMs = 1000;
constexpr int FlashMs = 250;
constexpr int StripShots = 4;

// A run of `shots` (at least 1). Without the countdown a single shot finishes at once, as a
// plain snapshot; the shots of a strip are still a second apart, so people can move.
// A run already going is left alone and None comes back.
BoothStep StartBooth(BoothRun& run, int shots, bool countdown);
// The timer fired.
BoothStep AdvanceBooth(BoothRun& run);
// Back to idle; no step follows. True when the run was holding the preview's frame, which
// must then take the frames it let wait.
bool CancelBooth(BoothRun& run);
bool BoothRunning(const BoothRun& run);
// The frame must stay as it is: between taking a shot and the end of its flash.
bool BoothHoldsFrame(const BoothRun& run);
