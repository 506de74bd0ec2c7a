#include "program/press_timing.h"

#include <gtest/gtest.h>

TEST(PressTiming, TheRingKeepsTheLastRecordsNewestFirst) {
    EXPECT_EQ(PressTimingField(0, 2), 0); // nothing yet
    for (int i = 1; i <= PressTimingCapacity + 3; ++i)
        RecordPressTiming(
            PressTiming{2, i % 7, static_cast<uint32_t>(i), static_cast<uint32_t>(i / 2)});
    EXPECT_EQ(PressTimingCount(), PressTimingCapacity);
    EXPECT_EQ(PressTimingField(0, 2), PressTimingCapacity + 3);
    EXPECT_EQ(PressTimingField(0, 1), (PressTimingCapacity + 3) % 7);
    EXPECT_EQ(PressTimingField(0, 3), (PressTimingCapacity + 3) / 2);
    // The oldest kept is the fourth recorded: the first three gave way.
    EXPECT_EQ(PressTimingField(PressTimingCapacity - 1, 2), 4);
    EXPECT_EQ(PressTimingField(PressTimingCapacity, 2), 0);
    EXPECT_EQ(PressTimingField(-1, 2), 0);
    EXPECT_EQ(PressTimingField(0, 4), 0);
}
