#include "TransferCurve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

int rowAtColumn(const TransferCurveSettings& s, int column)
{
    return static_cast<int>(transferCurveRow(s, 130.0 - column));
}

TEST(TransferCurve, WorkedExampleLandsOnRow34)
{
    TransferCurveSettings s;
    s.threshold = -20.0;
    s.slope = 0.25;
    s.dryAttenuation = 60.0;
    // Input -10 dB: wet -17.5 dB, the dry term at -70 dB lifts the sum to about -17.479 dB.
    EXPECT_NEAR(transferCurveRow(s, 20.0), 34.958, 0.001);
    EXPECT_EQ(rowAtColumn(s, 110), 34);
    // Below the threshold the curve follows the input (plus the tiny dry share).
    EXPECT_EQ(rowAtColumn(s, 30), 99);
}

TEST(TransferCurve, NoCompressionRunsOneRowAboveTheDiagonal)
{
    TransferCurveSettings s;
    s.dryAttenuation = 60.0;
    for (int column = 0; column < 130; ++column)
        EXPECT_EQ(rowAtColumn(s, column), 129 - column) << column;
}

TEST(TransferCurve, FullDryDoublesTheAmplitude)
{
    TransferCurveSettings s; // D = 0: wet and dry equal, +6.02 dB
    EXPECT_EQ(rowAtColumn(s, 0), 130 - 13);
    EXPECT_EQ(rowAtColumn(s, 100), 30 - 13);
}

TEST(TransferCurve, SoftKneeIsContinuousAtBothEnds)
{
    TransferCurveSettings s;
    s.threshold = -20.0;
    s.knee = 20.0;
    s.slope = 0.25;
    s.dryAttenuation = 400.0; // no audible dry share: the pure compression law
    // The knee spans -40 to 0 dB input: at -40 dB the bend is 0, at 0 dB it is the full 20 dB.
    EXPECT_NEAR(transferCurveRow(s, 80.0),
                transferCurveRow(TransferCurveSettings{0, 1, 0, 0, 400}, 80.0), 1e-9);
    const double topOut = 0.0 + 20.0 * (0.25 - 1.0); // -15 dB at 0 dB input
    EXPECT_NEAR(transferCurveRow(s, 0.0), -2.0 * topOut, 0.01);
    // Halfway through the knee (input -20 dB) the bend is K/4 = 5 dB: -20 - 3.75 = -23.75 dB.
    EXPECT_NEAR(transferCurveRow(s, 40.0), 47.5, 0.01);
}

TEST(TransferCurve, RatioSteps)
{
    EXPECT_DOUBLE_EQ(transferSlopeForRatio(0.0), 1.0);
    EXPECT_DOUBLE_EQ(transferSlopeForRatio(0.4), 0.5);
    EXPECT_DOUBLE_EQ(transferSlopeForRatio(0.8), 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(transferSlopeForRatio(0.85), 0.25);
    EXPECT_DOUBLE_EQ(transferSlopeForRatio(0.95), 0.125);
}

} // namespace
