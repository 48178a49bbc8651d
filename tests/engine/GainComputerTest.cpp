#include "GainComputer.h"
#include "LevelDetector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
GainComputer makeComputer(double threshold, double knee, double ratio)
{
    GainComputer g;
    g.settings().setCurve(threshold, knee, ratio);
    g.settings().setRate(88200.0);
    return g;
}
} // namespace

TEST(GainComputer, CurveWithoutKnee)
{
    const GainComputer g = makeComputer(-20.0, 0.0, 0.5);
    EXPECT_EQ(g.staticCurve(-10.0, 0.0), -5.0);  // 10 dB over, slope factor -0.5
    EXPECT_EQ(g.staticCurve(-20.0, 1e-9), 1e-9); // exactly at the threshold: only the noise
    EXPECT_EQ(g.staticCurve(-60.0, 2e-9), 2e-9);
}

TEST(GainComputer, KneeJoinsBothLinesSmoothly)
{
    // threshold -20, K = 6: d = v + 20; 0 at d = -K, K/4 at the threshold, K at d = K.
    const GainComputer g = makeComputer(-20.0, 6.0, 0.0);
    EXPECT_NEAR(g.staticCurve(-26.0, 0.0), 0.0, 1e-15);
    EXPECT_NEAR(g.staticCurve(-20.0, 0.0), -1.5, 1e-15);
    EXPECT_NEAR(g.staticCurve(-14.0, 0.0), -6.0, 1e-15);
    // slope 1/2 at the threshold (in d), times the slope factor -1
    const double slope = (g.staticCurve(-19.999, 0.0) - g.staticCurve(-20.001, 0.0)) / 0.002;
    EXPECT_NEAR(slope, -0.5, 1e-6);
}

TEST(GainComputer, RatioOneNeverReduces)
{
    GainComputer g = makeComputer(-50.0, 0.0, 1.0);
    for (int i = 0; i < 10000; ++i)
        ASSERT_NEAR(g.process(20.0, 20.0, 3e-9), 1.0, 1e-9);
}

TEST(GainComputer, FirstGainAfterResetIsAtMostTheNoise)
{
    GainComputer g = makeComputer(-20.0, 0.0, 0.5);
    g.settings().setRelease(100.0);
    g.settings().setReleaseSlow(500.0);
    g.reset();
    const double n = 2e-9;
    EXPECT_LE(g.process(-60.0, -60.0, n), std::exp(n * 0.11512925464970228));
}

TEST(GainComputer, AttackPullsDownAndTheGainFollowsAtOnce)
{
    GainComputer g = makeComputer(-20.0, 0.0, 0.5);
    g.settings().setAttack(0.1);
    g.settings().setRelease(100.0);
    g.settings().setReleaseSlow(100.0); // not above the release: the slow path is off
    const double ca = g.settings().attack.getCoefficient();
    EXPECT_GT(ca, 0.0); // 0.1 ms at 88200 Hz is still a smoother, not a jump
    const double out = g.process(0.0, 0.0, 0.0); // target -10 dB
    EXPECT_DOUBLE_EQ(g.fastEnvelope(), -10.0 + ca * (0.0 + 10.0));
    EXPECT_EQ(g.slowEnvelope(), 0.0);
    EXPECT_EQ(g.gainState(), g.fastEnvelope());
    EXPECT_DOUBLE_EQ(out, std::exp(g.gainState() * 0.11512925464970228));
}

TEST(GainComputer, RisesAreLimitedByTheFiveMillisecondSmoother)
{
    GainComputer g = makeComputer(-20.0, 0.0, 0.0);
    g.settings().setAttack(0.1);
    g.settings().setRelease(0.1);
    for (int i = 0; i < 1000; ++i)
        g.process(0.0, 0.0, 0.0);
    const double deep = g.gainState();
    EXPECT_NEAR(deep, -20.0, 1e-6);
    g.process(-60.0, -60.0, 0.0); // both envelopes start to release
    const double m = std::min(g.fastEnvelope(), g.slowEnvelope());
    const double cr = g.settings().rise.getCoefficient();
    EXPECT_DOUBLE_EQ(g.gainState(), m + cr * (deep - m));
}

TEST(GainComputer, SlowPathHoldsTheGainDownUntilItsOwnRelease)
{
    GainComputer g = makeComputer(-20.0, 0.0, 0.0);
    g.settings().setAttack(1.0);
    g.settings().setRelease(0.1);
    g.settings().setReleaseSlow(2000.1);
    EXPECT_TRUE(g.settings().slowPathOn);
    for (int i = 0; i < 20000; ++i)
        g.process(-10.0, -10.0, 0.0); // 10 dB over: both envelopes at -10
    for (int i = 0; i < 4410; ++i)
        g.process(-60.0, -10.0, 0.0); // fast level gone, slow level still over
    EXPECT_NEAR(g.gainState(), -10.0, 0.01);
    g.settings().setReleaseSlow(0.1);
    EXPECT_FALSE(g.settings().slowPathOn);
    g.process(-60.0, -10.0, 0.0);
    EXPECT_EQ(g.slowEnvelope(), 0.0);
}

TEST(GainComputer, SanitizeResetsOnlyBrokenStates)
{
    GainComputer g = makeComputer(-20.0, 0.0, 0.5);
    g.process(0.0, 0.0, 0.0);
    EXPECT_FALSE(g.sanitize());
    EXPECT_NE(g.gainState(), 0.0);
    g.process(INFINITY, INFINITY, 0.0);
    EXPECT_TRUE(g.sanitize());
    EXPECT_EQ(g.gainState(), 0.0);
}

#include "Harmonics.h"

TEST(HarmonicsCurves, HandWorkedPoints)
{
    EXPECT_DOUBLE_EQ(Harmonics::curveHf(1.0), 2.0 / 2.6);
    EXPECT_DOUBLE_EQ(Harmonics::curveHf(-1.0), -1.7 / 2.0);
    EXPECT_EQ(Harmonics::curveHf(0.0), 0.0);
    EXPECT_DOUBLE_EQ(Harmonics::curveLf(1.0), 0.875);
    EXPECT_DOUBLE_EQ(Harmonics::curveLf(-1.0), -0.875);
    // small signals: sHF(x) - x ~ -0.6 x^3 above zero, sLF(x) - x ~ -x^3 / 6
    EXPECT_NEAR((Harmonics::curveHf(1e-2) - 1e-2) / 1e-6, -0.6, 1e-3);
    EXPECT_NEAR((Harmonics::curveLf(1e-2) - 1e-2) / 1e-6, -1.0 / 6.0, 1e-3);
}

// The loop's step reads the detector's forecast instead of its levels; it must give the plain
// step's gain, up to the last bits, below, inside and above the knee, falling and rising, in
// Peak, RMS and Dyn RMS detection.
TEST(GainComputer, StepFromTheForecastEqualsThePlainStep)
{
    for (double detection : {0.0, 16.5, 600.0})
    {
        LevelDetector::Settings detector;
        detector.setRate(88200.0);
        detector.setDetection(detection);
        LevelDetector levels;
        levels.setSettings(detector);
        levels.reset();
        GainComputer plain = makeComputer(-24.0, 3.0, 0.2), folded = plain;
        plain.settings().setAttack(2.0);
        plain.settings().setRelease(40.0);
        plain.settings().setReleaseSlow(300.0);
        folded.setSettings(plain.settings());
        unsigned seed = 5;
        for (int i = 0; i < 20000; ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            // A level sweeping from -60 to 0 dB and back, with a ripple of a few dB.
            const double level = -30.0 + 30.0 * std::sin(i * 0.001) + (seed >> 28) * 0.5;
            const double sample = std::pow(10.0, level / 20.0), n = 1e-9 + (seed >> 24) * 1e-12;
            const double expected = plain.process(levels.levelFast(), levels.levelSlow(), n);
            const double got = folded.step(levels.forecast(), n).value();
            ASSERT_NEAR(got, expected, 1e-13 * expected) << detection << " " << i;
            levels.process(sample, sample * 0.5);
        }
    }
}
