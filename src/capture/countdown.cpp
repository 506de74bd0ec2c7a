#include "capture/countdown.h"

namespace {

BoothStep Count(BoothRun& run) {
    run.phase = BoothPhase::Counting;
    run.digit = CountdownFrom;
    return {BoothAction::ShowDigit, CountdownStepMs};
}

BoothStep Shoot(BoothRun& run) {
    run.phase = BoothPhase::Flash;
    run.digit = 0;
    ++run.taken;
    return {BoothAction::TakeShot, FlashMs};
}

BoothStep Done(BoothRun& run) {
    run.phase = BoothPhase::Idle;
    run.digit = 0;
    return {BoothAction::Finish, 0};
}

} // namespace

BoothStep StartBooth(BoothRun& run, int shots, bool countdown) {
    if (BoothRunning(run) || shots < 1)
        return {};
    run = BoothRun{};
    run.shots = shots;
    run.countdown = countdown;
    if (countdown)
        return Count(run);
    if (shots == 1) {
        // As a snapshot always was: at once, no flash.
        run.taken = 1;
        return Done(run);
    }
    return Shoot(run);
}

BoothStep AdvanceBooth(BoothRun& run) {
    switch (run.phase) {
    case BoothPhase::Idle:
        return {};
    case BoothPhase::Counting:
        if (run.digit > 1) {
            --run.digit;
            return {BoothAction::ShowDigit, CountdownStepMs};
        }
        return Shoot(run);
    case BoothPhase::Flash:
        if (run.taken >= run.shots)
            return Done(run);
        if (run.countdown)
            return Count(run);
        run.phase = BoothPhase::Pause;
        return {BoothAction::None, CountdownStepMs - FlashMs};
    case BoothPhase::Pause:
        return Shoot(run);
    }
    return {};
}

bool CancelBooth(BoothRun& run) {
    const bool held = BoothHoldsFrame(run);
    run = BoothRun{};
    return held;
}

bool BoothRunning(const BoothRun& run) {
    return run.phase != BoothPhase::Idle;
}

bool BoothHoldsFrame(const BoothRun& run) {
    return run.phase == BoothPhase::Flash;
}
