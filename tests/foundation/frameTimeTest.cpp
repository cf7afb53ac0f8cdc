// The frame time: a signed tick difference with a floor of one millisecond.
#include <gtest/gtest.h>

#include "core/main.h"

TEST(FrameTime, DifferenceWithFloor) {
    uint32_t previous = 0;
    EXPECT_FLOAT_EQ(mainFrameTime(2500, &previous), 2500); // the first frame carries start-up
    EXPECT_EQ(previous, 2500u);
    EXPECT_FLOAT_EQ(mainFrameTime(2500, &previous), 1.0f); // same millisecond
    EXPECT_FLOAT_EQ(mainFrameTime(2517, &previous), 17);
    // A tick count that went backwards is a negative difference, raised to the floor.
    EXPECT_FLOAT_EQ(mainFrameTime(2400, &previous), 1.0f);
    EXPECT_EQ(previous, 2400u);
    // The counter wrapping past 2^32 is still a small positive step.
    previous = 0xFFFFFFF0u;
    EXPECT_FLOAT_EQ(mainFrameTime(0x10, &previous), 32);
}

TEST(FrameTime, ClockIsTheCalendarTime) {
    int64_t t = mainTimeGet();
    EXPECT_GT(t, 1700000000);
    EXPECT_LE(t, int64_t(time(nullptr)));
}
