#include "MeterBallistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

MeterReadings reading(float reductionDb, float fast = -100.0f, float slow = -100.0f)
{
    MeterReadings r;
    r.gain = std::pow(10.0f, -reductionDb / 20.0f);
    r.fastLevel = fast;
    r.slowLevel = slow;
    return r;
}

TEST(MeterBallistics, ReductionRisesAtOnceAndFallsAfterTheOneTimeWait)
{
    MeterBallistics m;
    m.update(30, reading(10.0f), true);
    EXPECT_NEAR(m.displayedReductionDb(), 10.0f, 1e-4f);

    m.update(30, reading(0.0f), true); // 30 ms waited: not yet 40
    EXPECT_NEAR(m.displayedReductionDb(), 10.0f, 1e-4f);
    m.update(30, reading(0.0f), true); // 60 ms: falls 8.5 dB/s over 30 ms
    EXPECT_NEAR(m.displayedReductionDb(), 10.0f - 0.255f, 1e-4f);

    m.update(30, reading(10.0f), true);
    m.update(30, reading(0.0f), true); // the wait is not re-armed
    EXPECT_NEAR(m.displayedReductionDb(), 10.0f - 0.255f, 1e-4f);

    // The fall never overshoots the reading.
    for (int i = 0; i < 100; ++i)
        m.update(100, reading(4.0f), true);
    EXPECT_NEAR(m.displayedReductionDb(), 4.0f, 1e-4f);
}

TEST(MeterBallistics, HoldWaitsThreeSecondsThenFallsOneDbPerSecond)
{
    MeterBallistics m;
    m.update(100, reading(10.0f), true);
    for (int i = 0; i < 29; ++i)
        m.update(100, reading(0.0f), true);
    EXPECT_NEAR(m.heldReductionDb(), 10.0f, 1e-4f); // 2900 ms
    m.update(100, reading(0.0f), true);             // 3000 ms > 2999
    EXPECT_NEAR(m.heldReductionDb(), 9.9f, 1e-4f);

    m.update(100, reading(12.0f), true); // a new peak restarts the wait
    m.update(2900, reading(0.0f), true);
    EXPECT_NEAR(m.heldReductionDb(), 12.0f, 1e-4f);

    m.clearHold();
    EXPECT_EQ(m.heldReductionDb(), 0.0f);
}

TEST(MeterBallistics, LevelsFallTwelveDbPerSecondAndRestWhenNotLive)
{
    MeterBallistics m;
    EXPECT_EQ(m.fastLevelDb(), -70.0f);
    m.update(30, reading(0.0f, -10.0f, -20.0f), true);
    EXPECT_EQ(m.fastLevelDb(), -10.0f);
    EXPECT_EQ(m.slowLevelDb(), -20.0f);
    m.update(50, reading(0.0f, -100.0f, -21.0f), true);
    EXPECT_NEAR(m.fastLevelDb(), -10.6f, 1e-4f);
    EXPECT_NEAR(m.slowLevelDb(), -20.6f, 1e-4f);
    m.update(50, reading(0.0f, -100.0f, -21.0f), true);
    EXPECT_NEAR(m.slowLevelDb(), -21.0f, 1e-4f);

    m.update(30, reading(6.0f, -3.0f, -3.0f), false);
    EXPECT_EQ(m.displayedReductionDb(), 0.0f);
    EXPECT_EQ(m.heldReductionDb(), 0.0f);
    EXPECT_EQ(m.fastLevelDb(), -100.0f);
    EXPECT_EQ(m.slowLevelDb(), -100.0f);
}

TEST(MeterBallistics, PoisonedReadingsDoNotStick)
{
    MeterBallistics m;
    MeterReadings bad;
    bad.gain = NAN;
    bad.fastLevel = NAN;
    bad.slowLevel = INFINITY;
    m.update(30, bad, true);
    EXPECT_TRUE(std::isfinite(m.displayedReductionDb()));
    EXPECT_TRUE(std::isfinite(m.fastLevelDb()));
    EXPECT_TRUE(std::isfinite(m.slowLevelDb()));
    bad.gain = 0.0f; // infinite reduction
    m.update(30, bad, true);
    EXPECT_TRUE(std::isfinite(m.heldReductionDb()));
    m.update(30, reading(0.0f, -12.0f, -12.0f), false);
    m.update(30, reading(0.0f, -12.0f, -12.0f), true);
    EXPECT_EQ(m.fastLevelDb(), -12.0f);
    EXPECT_EQ(m.displayedReductionDb(), 0.0f);
}

TEST(MeterBallistics, LampsFollowWhichReleaseRules)
{
    MeterBallistics m;
    EXPECT_EQ(m.updateLamps(30, true, -50.0f, -10.0f), LampChange::fastOn);
    EXPECT_EQ(m.updateLamps(30, false, -5.0f, -10.0f), LampChange::fastOn);
    EXPECT_EQ(m.updateLamps(30, false, -15.0f, -10.0f), LampChange::keep); // 30 ms
    EXPECT_EQ(m.updateLamps(30, false, -15.0f, -10.0f), LampChange::keep); // 60 ms
    EXPECT_EQ(m.updateLamps(30, false, -15.0f, -10.0f), LampChange::slowOn);
    EXPECT_EQ(m.updateLamps(30, false, -5.0f, -10.0f), LampChange::fastOn); // resets the count
    EXPECT_EQ(m.updateLamps(30, false, -10.0f, -10.0f), LampChange::keep);
}

TEST(RefreshGate, OpensAfterMoreThan25MsOfAWrappingClock)
{
    RefreshGate gate(1000);
    std::uint32_t dt = 0;
    EXPECT_FALSE(gate.due(1025, dt));
    EXPECT_TRUE(gate.due(1026, dt));
    EXPECT_EQ(dt, 26u);
    EXPECT_FALSE(gate.due(1040, dt));

    RefreshGate wrapping(0xfffffff0u);
    EXPECT_TRUE(wrapping.due(20, dt));
    EXPECT_EQ(dt, 36u);
}

} // namespace
