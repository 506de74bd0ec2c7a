#include "capture/countdown.h"
#include "capture/photo_strip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Runs the timer until the run finishes; returns the actions and the time each came at.
struct Event {
    BoothAction action;
    int at;
    int digit;
};

std::vector<Event> RunToEnd(BoothRun& run, BoothStep step) {
    std::vector<Event> events;
    int now = 0;
    for (int guard = 0; guard < 100; ++guard) {
        events.push_back({step.action, now, run.digit});
        if (step.delayMs == 0)
            break;
        now += step.delayMs;
        step = AdvanceBooth(run);
    }
    return events;
}

TEST(Countdown, ThreeTwoOneASecondApartThenShotThenFinish) {
    BoothRun run;
    const auto events = RunToEnd(run, StartBooth(run, 1, true));
    ASSERT_EQ(events.size(), 5u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(events[k].action, BoothAction::ShowDigit);
        EXPECT_EQ(events[k].digit, 3 - k);
        EXPECT_EQ(events[k].at, 1000 * k);
    }
    EXPECT_EQ(events[3].action, BoothAction::TakeShot);
    EXPECT_EQ(events[3].at, 3000);
    EXPECT_EQ(events[4].action, BoothAction::Finish);
    EXPECT_EQ(events[4].at, 3000 + FlashMs);
    EXPECT_FALSE(BoothRunning(run));
    EXPECT_EQ(run.taken, 1);
}

TEST(Countdown, OffShootsAtOnceWithoutFlash) {
    BoothRun run;
    const BoothStep s = StartBooth(run, 1, false);
    EXPECT_EQ(s.action, BoothAction::Finish);
    EXPECT_EQ(s.delayMs, 0);
    EXPECT_FALSE(BoothRunning(run));
    EXPECT_EQ(AdvanceBooth(run).action, BoothAction::None); // a late timer does nothing
}

TEST(Countdown, StripTakesFourShotsEachAfterItsCountdown) {
    BoothRun run;
    const auto events = RunToEnd(run, StartBooth(run, StripShots, true));
    int shots = 0, digits = 0;
    for (const Event& e : events) {
        shots += e.action == BoothAction::TakeShot;
        digits += e.action == BoothAction::ShowDigit;
    }
    EXPECT_EQ(shots, 4);
    EXPECT_EQ(digits, 12);
    EXPECT_EQ(events.back().action, BoothAction::Finish);
    // Shots one countdown (plus the flash) apart.
    std::vector<int> at;
    for (const Event& e : events)
        if (e.action == BoothAction::TakeShot)
            at.push_back(e.at);
    for (std::size_t k = 1; k < at.size(); ++k)
        EXPECT_EQ(at[k] - at[k - 1], 3000 + FlashMs);
}

TEST(Countdown, StripWithoutCountdownStillSpacesItsShots) {
    BoothRun run;
    const auto events = RunToEnd(run, StartBooth(run, StripShots, false));
    std::vector<int> at;
    for (const Event& e : events) {
        EXPECT_NE(e.action, BoothAction::ShowDigit);
        if (e.action == BoothAction::TakeShot)
            at.push_back(e.at);
    }
    ASSERT_EQ(at.size(), 4u);
    EXPECT_EQ(at[0], 0);
    for (std::size_t k = 1; k < at.size(); ++k)
        EXPECT_EQ(at[k] - at[k - 1], CountdownStepMs);
    EXPECT_EQ(events.back().action, BoothAction::Finish);
}

TEST(Countdown, HoldsTheFrameOnlyDuringTheFlash) {
    BoothRun run;
    StartBooth(run, 1, true);
    EXPECT_FALSE(BoothHoldsFrame(run));
    AdvanceBooth(run);
    AdvanceBooth(run);
    EXPECT_FALSE(BoothHoldsFrame(run));
    EXPECT_EQ(AdvanceBooth(run).action, BoothAction::TakeShot);
    EXPECT_TRUE(BoothHoldsFrame(run));
    AdvanceBooth(run);
    EXPECT_FALSE(BoothHoldsFrame(run));
    // Cancelled during a flash, the run says the preview must take its frames again.
    StartBooth(run, StripShots, false);
    EXPECT_TRUE(BoothHoldsFrame(run));
    EXPECT_TRUE(CancelBooth(run));
    EXPECT_FALSE(BoothHoldsFrame(run));
}

TEST(Countdown, CancelAndRestartRules) {
    BoothRun run;
    StartBooth(run, 1, true);
    AdvanceBooth(run);
    // A second press while one runs changes nothing.
    EXPECT_EQ(StartBooth(run, StripShots, true).action, BoothAction::None);
    EXPECT_EQ(run.digit, 2);
    EXPECT_EQ(run.shots, 1);
    EXPECT_FALSE(CancelBooth(run)); // counting holds no frame
    EXPECT_FALSE(BoothRunning(run));
    // A timer that was already on its way after the cancel shoots nothing.
    EXPECT_EQ(AdvanceBooth(run).action, BoothAction::None);
    EXPECT_EQ(StartBooth(run, 1, true).action, BoothAction::ShowDigit);
    EXPECT_EQ(run.digit, 3);
    EXPECT_EQ(run.taken, 0);
    BoothRun none;
    EXPECT_EQ(StartBooth(none, 0, true).action, BoothAction::None);
    EXPECT_FALSE(BoothRunning(none));
}

TEST(PhotoStrip, WideFramesInATallAreaGoInAColumnOtherwiseAGrid) {
    // 4:3 frames in the 640 x 512 area: the grid shows them larger.
    const StripPlan grid = PlanStrip(4, 640, 480, 640, 512);
    EXPECT_EQ(grid.columns, 2);
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.border, 16);
    EXPECT_EQ(grid.width, 2 * 640 + 3 * 16);
    EXPECT_EQ(grid.height, 2 * 480 + 3 * 16);
    // Very wide frames in a tall area: four rows beat two.
    const StripPlan column = PlanStrip(4, 1280, 240, 640, 640);
    EXPECT_EQ(column.columns, 1);
    EXPECT_EQ(column.rows, 4);
    EXPECT_EQ(column.height, 4 * 240 + 5 * column.border);
    // Tiny frames keep a border of two pixels.
    EXPECT_EQ(PlanStrip(4, 16, 12, 640, 512).border, 2);
}

TEST(PhotoStrip, RefusesWhatCannotBeMade) {
    EXPECT_EQ(PlanStrip(4, 0, 480, 640, 512).width, 0);
    EXPECT_EQ(PlanStrip(4, 640, 480, 0, 512).width, 0);
    EXPECT_EQ(PlanStrip(0, 640, 480, 640, 512).width, 0);
    // Larger than any picture the loader takes, in either arrangement.
    EXPECT_EQ(PlanStrip(4, 10000, 10000, 640, 512).width, 0);
}

TEST(PhotoStrip, EachShotLandsInItsCellInsideTheBorder) {
    const int fw = 7, fh = 5; // odd sizes: no row happens to line up
    const StripPlan plan = PlanStrip(4, fw, fh, 640, 512);
    ASSERT_EQ(plan.columns * plan.rows, 4);
    std::vector<std::vector<std::uint8_t>> shots(4);
    const std::uint8_t* pointers[4];
    for (int i = 0; i < 4; ++i) {
        shots[i].resize(fw * fh * 3);
        for (std::size_t p = 0; p < shots[i].size(); ++p)
            shots[i][p] = static_cast<std::uint8_t>(10 + 40 * i + p % 29);
        pointers[i] = shots[i].data();
    }
    std::vector<std::uint8_t> out(plan.width * plan.height * 3, 0);
    ASSERT_TRUE(ComposeStrip(plan, pointers, 4, fw, fh, out.data(), out.size()));
    std::vector<int> owner(plan.width * plan.height, -1);
    for (int i = 0; i < 4; ++i) {
        int x0, y0;
        StripShotOrigin(plan, fw, fh, i, x0, y0);
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) {
                const int at = (y0 + y) * plan.width + x0 + x;
                EXPECT_EQ(owner[at], -1) << "shots overlap";
                owner[at] = i;
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(out[at * 3 + c], shots[i][(y * fw + x) * 3 + c]);
            }
    }
    // Every other pixel is border, including the whole outer edge.
    for (int at = 0; at < plan.width * plan.height; ++at)
        if (owner[at] < 0) {
            ASSERT_EQ(out[at * 3], StripBorderBlue);
            ASSERT_EQ(out[at * 3 + 2], StripBorderRed);
        }
    for (int x = 0; x < plan.width; ++x)
        EXPECT_EQ(owner[x], -1);
    // Too small a buffer: nothing written.
    std::vector<std::uint8_t> small(out.size() - 1, 7);
    EXPECT_FALSE(ComposeStrip(plan, pointers, 4, fw, fh, small.data(), small.size()));
    EXPECT_EQ(small[0], 7);
    // Shots larger than the plan's cells are refused rather than written past the rows.
    EXPECT_FALSE(ComposeStrip(plan, pointers, 4, fw + 1, fh, out.data(), out.size()));
    EXPECT_FALSE(ComposeStrip(plan, pointers, 5, fw, fh, out.data(), out.size()));
}

} // namespace
