#include "CTransferFunction.h"
#include "PixelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{

constexpr CColor kBlack = {0, 0, 0, 255};
constexpr CColor kOutline = {66, 66, 66, 255};
constexpr CColor kCurve = {0, 204, 255, 255};
constexpr CColor kDiagonal = {0, 41, 51, 255};
constexpr CColor kRed = {255, 20, 0, 255};
constexpr CColor kKnee = {255, 20, 0, 30};
constexpr CColor kDimmedLabel = {0, 204, 255, 135};
const CRect kRect(374, 57, 504, 187);

struct TransferFixture : ::testing::Test
{
    CTransferFunction* display = new CTransferFunction(kRect, nullptr, 18);
    Screen screen;
    ~TransferFixture() override { display->forget(); }

    // Settings from normalised parameter values, as the editor hands them over.
    void set(float threshold, float ratio, float knee, double makeUpDb, float dryMix)
    {
        display->setThreshold(threshold * -50.0);
        display->setRatio(ratio);
        display->setKnee(knee * 20.0);
        display->setMakeUp(makeUpDb);
        display->setAttenuationOfDry(60.0 - 60.0 * dryMix);
        screen.draw(*display);
    }
    CColor at(int x, int y) const { return screen.at(kRect, x, y); }
    // Rows in column x that show the curve colour.
    std::vector<int> curveRows(int x) const
    {
        std::vector<int> rows;
        for (int y = 1; y < 129; ++y)
            if (sameColour(at(x, y), kCurve)) rows.push_back(y);
        return rows;
    }
    bool anyRed() const
    {
        for (int y = 0; y < 115; ++y)
            for (int x = 0; x < 130; ++x)
                if (sameColour(at(x, y), kRed, 3)) return true;
        return false;
    }
};

TEST_F(TransferFixture, WorkedExampleDotLandsOnRow34)
{
    set(0.4f, 0.85f, 0.0f, 0.0, 0.0f); // -20 dB, 4:1, hard knee, no make-up, no dry
    EXPECT_TRUE(sameColour(at(110, 34), kCurve));
    EXPECT_TRUE(sameColour(at(110, 33), kBlack));
    // The threshold line: output -20 dB at row 40, and the curve's corner on it at column 90.
    EXPECT_TRUE(sameColour(at(5, 40), kRed));
    EXPECT_TRUE(sameColour(at(90, 40), kCurve));
    EXPECT_TRUE(sameColour(at(5, 41), kBlack)); // hard knee: no band
    EXPECT_FALSE(display->isDirty());
}

TEST_F(TransferFixture, NoCompressionRunsOneRowAboveTheDiagonal)
{
    set(0.0f, 0.0f, 0.0f, 0.0, 0.0f);
    for (int i = 4; i < 127; ++i)
    {
        EXPECT_TRUE(sameColour(at(i, 129 - i), kCurve)) << i;
        EXPECT_TRUE(sameColour(at(i + 1, 130 - i), kDiagonal)) << i;
        EXPECT_TRUE(sameColour(at(i, 132 - i), kBlack)) << i;
    }
    // The threshold line lies on row 0 and is covered by the outline.
    EXPECT_TRUE(sameColour(at(60, 0), kOutline));
}

TEST_F(TransferFixture, FullDryLiftsTheCurveThirteenRows)
{
    set(0.0f, 0.0f, 0.0f, 0.0, 1.0f);
    // Each dot is two pixels wide, so a column shows its own dot and its left neighbour's.
    EXPECT_EQ(curveRows(60), (std::vector<int>{57, 58}));
    EXPECT_EQ(curveRows(100), (std::vector<int>{17, 18}));
}

TEST_F(TransferFixture, KneeBandCoversTheLowerHalfOfTheKnee)
{
    set(0.4f, 0.85f, 1.0f, 0.0, 0.0f); // threshold -20 dB, knee 20 dB: rows 40 to 79
    EXPECT_TRUE(sameColour(at(5, 39), kBlack));
    EXPECT_TRUE(sameColour(at(5, 40), kRed));
    EXPECT_TRUE(sameColour(at(5, 41), over(kKnee, kBlack)));
    EXPECT_TRUE(sameColour(at(128, 79), over(kKnee, kBlack)));
    EXPECT_TRUE(sameColour(at(5, 80), kBlack));
    EXPECT_TRUE(sameColour(at(0, 60), kOutline));
    // The soft knee bends the curve smoothly: at -20 dB input (column 90) the output is
    // -23.75 dB, row 47, instead of the hard corner at row 40 (row 48 is column 89's dot).
    EXPECT_EQ(curveRows(90), (std::vector<int>{47, 48}));
}

TEST_F(TransferFixture, ThresholdLineFollowsMakeUp)
{
    set(0.5f, 0.4f, 0.0f, 6.0, 0.0f); // -25 dB + 6 dB: row 38
    EXPECT_TRUE(sameColour(at(20, 38), kRed));
    EXPECT_TRUE(sameColour(at(20, 50), kBlack));
    set(0.0f, 0.4f, 0.0f, 12.0, 0.0f); // +12 dB above 0 dB: off the top
    EXPECT_FALSE(anyRed());
    EXPECT_TRUE(curveRows(128).empty()); // the curve leaves the top of the square
}

TEST_F(TransferFixture, WetAndDryShares)
{
    display->setAttenuationOfDry(0.0);
    auto shares = display->shares();
    EXPECT_STREQ(shares.wet, "wet 50%");
    EXPECT_STREQ(shares.dry, "dry 50%");
    EXPECT_TRUE(shares.dryAudible);
    display->setAttenuationOfDry(60.0);
    shares = display->shares();
    EXPECT_STREQ(shares.wet, "wet 100%");
    EXPECT_STREQ(shares.dry, "dry 0%");
    EXPECT_FALSE(shares.dryAudible);
    display->setAttenuationOfDry(59.9); // still counted as audible
    EXPECT_TRUE(display->shares().dryAudible);
    display->setAttenuationOfDry(20.0);
    display->setMakeUp(-60.0);
    shares = display->shares();
    EXPECT_STREQ(shares.wet, "wet 1%");
    EXPECT_STREQ(shares.dry, "dry 99%");
    display->setMakeUp(-1e9); // nothing audible at all: no NaN in the labels
    display->setAttenuationOfDry(100.0);
    shares = display->shares();
    EXPECT_STREQ(shares.wet, "wet 0%");
}

TEST_F(TransferFixture, LabelsAreDrawnInTheirRectangles)
{
    const CRect wetRect(83, 115, 137, 129);
    const CRect dryRect(27, 115, 81, 129);
    set(0.0f, 0.0f, 0.0f, 0.0, 1.0f);
    auto wet = referenceText(130, 130, "wet 50%", wetRect, kCurve, kLeftText);
    auto dry = referenceText(130, 130, "dry 50%", dryRect, kCurve, kRightText);
    int lit = 0;
    EXPECT_TRUE(sameRegion(screen, kRect, *wet, CRect(83, 115, 129, 129), &lit));
    EXPECT_GT(lit, 10);
    EXPECT_TRUE(sameRegion(screen, kRect, *dry, dryRect, &lit));
    EXPECT_GT(lit, 10);

    set(0.0f, 0.0f, 0.0f, 0.0, 0.0f); // no dry: dimmed labels
    wet = referenceText(130, 130, "wet 100%", wetRect, kDimmedLabel, kLeftText);
    dry = referenceText(130, 130, "dry 0%", dryRect, kDimmedLabel, kRightText);
    EXPECT_TRUE(sameRegion(screen, kRect, *wet, CRect(83, 115, 129, 129)));
    EXPECT_TRUE(sameRegion(screen, kRect, *dry, dryRect));
}

TEST_F(TransferFixture, AbsurdSettingsDrawNothingWrong)
{
    display->setThreshold(NAN);
    display->setRatio(-0.4); // ratio 0: infinite slope
    display->setKnee(-5.0);
    display->setMakeUp(1e308);
    display->setAttenuationOfDry(NAN);
    screen.draw(*display);
    EXPECT_TRUE(sameColour(at(0, 60), kOutline));
    EXPECT_FALSE(display->isDirty());
}

} // namespace
