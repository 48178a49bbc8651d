#include "CCompMeter.h"
#include "LevelMeter.h"
#include "PixelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr CColor kBlack = {0, 0, 0, 255};
constexpr CColor kOutline = {66, 66, 66, 255};
constexpr CColor kBar = {0, 204, 255, 255};
constexpr CColor kBarEdge = {51, 215, 255, 255};
constexpr CColor kHold = {0, 204, 255, 50};
constexpr CColor kRed = {255, 20, 0, 255};
constexpr CColor kFast = {149, 234, 255, 255};
constexpr CColor kCorner = {0, 0, 0, 100};
constexpr CColor kShadow = {0, 0, 0, 55};

const CRect kCompRect(544, 57, 574, 187);
const CRect kLevelRect(509, 57, 519, 187);

struct CompMeterFixture : ::testing::Test
{
    CCompMeter* meter = new CCompMeter(kCompRect, nullptr, 502);
    Screen screen;
    ~CompMeterFixture() override { meter->forget(); }

    void draw(float value, double hold)
    {
        meter->setValue(value);
        meter->setHold(hold);
        screen.draw(*meter);
    }
    CColor at(int x, int y) const { return screen.at(kCompRect, x, y); }
    // The last row of the bar in the middle column, or 1 when there is none.
    int lastBarRow() const
    {
        int row = 1;
        for (int y = 2; y < 128; ++y)
            if (sameColour(at(15, y), kBar)) row = y;
        return row;
    }
};

TEST_F(CompMeterFixture, EmptyWellHasOutlineAndSoftCorners)
{
    draw(0.0f, 0.0);
    EXPECT_TRUE(sameColour(at(15, 60), kBlack));
    EXPECT_TRUE(sameColour(at(1, 1), kBlack));
    EXPECT_TRUE(sameColour(at(0, 60), kOutline));
    EXPECT_TRUE(sameColour(at(29, 60), kOutline));
    EXPECT_TRUE(sameColour(at(15, 0), kOutline));
    EXPECT_TRUE(sameColour(at(15, 129), kOutline));
    for (CPoint corner : {CPoint(0, 0), CPoint(29, 0), CPoint(0, 129), CPoint(29, 129)})
        EXPECT_TRUE(sameColour(at(corner.h, corner.v), over(kCorner, kOutline)));
    EXPECT_EQ(lastBarRow(), 1);
    EXPECT_FALSE(meter->isDirty());
}

TEST_F(CompMeterFixture, BarHoldAndEdgesAtTenPixelsPerUnit)
{
    draw(5.0f, 8.0); // 50 and 80 pixels
    EXPECT_EQ(lastBarRow(), 51);
    EXPECT_TRUE(sameColour(at(2, 2), kBarEdge));
    EXPECT_TRUE(sameColour(at(27, 51), kBarEdge));
    EXPECT_TRUE(sameColour(at(3, 30), kBar));
    EXPECT_TRUE(sameColour(at(26, 30), kBar));
    EXPECT_TRUE(sameColour(at(1, 30), kBlack));
    EXPECT_TRUE(sameColour(at(28, 30), kBlack));
    EXPECT_TRUE(sameColour(at(15, 52), over(kHold, kBlack)));
    EXPECT_TRUE(sameColour(at(2, 81), over(kHold, kBlack)));
    EXPECT_TRUE(sameColour(at(15, 82), kBlack));
    EXPECT_TRUE(sameColour(at(15, 126), kBlack)); // no overflow
}

TEST_F(CompMeterFixture, ValueBeyondTheWellFillsItWithoutOverflow)
{
    draw(13.0f, 12.6);
    EXPECT_EQ(lastBarRow(), 127);
    EXPECT_TRUE(sameColour(at(15, 128), kBlack));
    draw(12.69f, 0.0); // 126.9 pixels truncate to a full bar
    EXPECT_EQ(lastBarRow(), 127);
}

TEST_F(CompMeterFixture, HoldBeyondTheWellRaisesTheRedStrip)
{
    draw(3.0f, 12.7);
    for (int x = 2; x < 28; ++x)
    {
        EXPECT_TRUE(sameColour(at(x, 126), kRed)) << x;
        EXPECT_TRUE(sameColour(at(x, 127), kRed)) << x;
    }
    EXPECT_TRUE(sameColour(at(15, 125), over(kHold, kBlack)));
    EXPECT_TRUE(sameColour(at(1, 126), kBlack));
    EXPECT_TRUE(sameColour(at(15, 128), kBlack));
}

TEST_F(CompMeterFixture, NegativeOrPoisonedReadingsDrawNoBar)
{
    draw(-0.3f, -0.2);
    EXPECT_EQ(lastBarRow(), 1);
    EXPECT_TRUE(sameColour(at(15, 2), kBlack));
    draw(NAN, NAN);
    EXPECT_EQ(lastBarRow(), 1);
    draw(1e30f, 1e300); // a full bar with the overflow strip over its last two rows
    EXPECT_EQ(lastBarRow(), 125);
    EXPECT_TRUE(sameColour(at(15, 127), kRed));
}

TEST_F(CompMeterFixture, SetHoldMarksDirtyAndActiveIsNotDrawn)
{
    draw(2.0f, 2.0);
    EXPECT_FALSE(meter->isDirty());
    meter->setHold(2.0);
    EXPECT_TRUE(meter->isDirty());
    meter->setActive(false);
    screen.draw(*meter);
    EXPECT_EQ(lastBarRow(), 21);
    EXPECT_TRUE(meter->isTypeOf("CCompMeter"));
    EXPECT_TRUE(meter->isTypeOf("CControl"));
}

struct LevelMeterFixture : ::testing::Test
{
    LevelMeter* meter = new LevelMeter(kLevelRect, nullptr, 502);
    Screen screen;
    ~LevelMeterFixture() override { meter->forget(); }

    void draw(float fast, float slow, float normalisedThreshold)
    {
        meter->setValue(fast);
        meter->setSlowLevel(slow);
        meter->setThresholdMarker(normalisedThreshold);
        screen.draw(*meter);
    }
    CColor at(int x, int y) const { return screen.at(kLevelRect, x, y); }
    int redRows() const
    {
        int rows = 0;
        for (int y = 0; y < 130; ++y)
            rows += sameColour(at(5, y), kRed) ? 1 : 0;
        return rows;
    }
};

TEST_F(LevelMeterFixture, StartsEmptyWithTheMarkerAtMinusTenDb)
{
    EXPECT_EQ(meter->getValue(), -80.0f);
    EXPECT_EQ(meter->getThresholdMarker(), -10.0f);
    screen.draw(*meter);
    for (int y = 2; y < 128; ++y)
        EXPECT_TRUE(sameColour(at(5, y), y == 20 ? kRed : kBlack)) << y;
    EXPECT_TRUE(sameColour(at(1, 20), kRed));
    EXPECT_TRUE(sameColour(at(8, 20), kRed));
    EXPECT_TRUE(sameColour(at(0, 20), kOutline)); // the outline is drawn over the marker
    EXPECT_TRUE(sameColour(at(0, 0), over(kCorner, kOutline)));
}

TEST_F(LevelMeterFixture, FastBehindSlowAtTwoPixelsPerDb)
{
    draw(-10.0f, -30.0f, 1.0f); // rows 20 and 60, threshold -50 dB at row 100
    EXPECT_TRUE(sameColour(at(5, 19), kBlack));
    EXPECT_TRUE(sameColour(at(2, 20), kFast));
    EXPECT_TRUE(sameColour(at(7, 59), kFast));
    // At a width of 10 the two strips cover the whole inner width.
    for (int x = 2; x < 8; ++x)
        EXPECT_TRUE(sameColour(at(x, 60), kBarEdge)) << x;
    EXPECT_TRUE(sameColour(at(5, 127), kBarEdge));
    EXPECT_TRUE(sameColour(at(5, 128), kBlack));
    EXPECT_TRUE(sameColour(at(5, 100), kRed));
    EXPECT_TRUE(sameColour(at(5, 101), over(kShadow, kBarEdge)));
    EXPECT_TRUE(sameColour(at(5, 102), kBarEdge));
    EXPECT_EQ(redRows(), 1);
}

TEST_F(LevelMeterFixture, LevelsClampToTheWell)
{
    draw(5.0f, -80.0f, 0.0f);
    EXPECT_TRUE(sameColour(at(5, 1), kBlack));
    EXPECT_TRUE(sameColour(at(5, 2), kFast));
    EXPECT_TRUE(sameColour(at(5, 127), kFast));
    draw(-64.0f, -64.5f, 0.0f); // row 128 and beyond: nothing
    EXPECT_TRUE(sameColour(at(5, 127), kBlack));
    draw(-20.0f, -5.0f, 0.0f); // the slow bar hides the fast one
    EXPECT_TRUE(sameColour(at(5, 10), kBarEdge));
    EXPECT_TRUE(sameColour(at(5, 40), kBarEdge));
    draw(NAN, NAN, NAN);
    EXPECT_TRUE(sameColour(at(5, 60), kBlack));
}

TEST_F(LevelMeterFixture, ThresholdMarkerRows)
{
    draw(0.0f, -80.0f, 0.0f); // 0 dB: row 0, not drawn
    EXPECT_EQ(redRows(), 0);
    draw(0.0f, -80.0f, 0.01f); // -0.5 dB: row 1, not drawn
    EXPECT_EQ(redRows(), 0);
    draw(0.0f, -80.0f, 0.02f); // -1 dB: row 2, line without shadow
    EXPECT_TRUE(sameColour(at(5, 2), kRed));
    EXPECT_TRUE(sameColour(at(5, 3), kFast));
    EXPECT_EQ(redRows(), 1);
    draw(0.0f, -80.0f, 0.5f); // -25 dB: row 50 with its shadow below
    EXPECT_TRUE(sameColour(at(5, 50), kRed));
    EXPECT_TRUE(sameColour(at(5, 51), over(kShadow, kFast)));
    draw(-80.0f, -80.0f, 1.5f); // beyond -64 dB the marker rests on row 128
    EXPECT_TRUE(sameColour(at(5, 128), kRed));
}

TEST_F(LevelMeterFixture, SlowLevelAloneDoesNotMarkDirty)
{
    screen.draw(*meter);
    meter->setSlowLevel(-3.0f);
    meter->setThresholdMarker(0.4f);
    EXPECT_FALSE(meter->isDirty());
    EXPECT_FLOAT_EQ(meter->getThresholdMarker(), -20.0f);
    meter->setValue(-3.0f);
    EXPECT_TRUE(meter->isDirty());
}

} // namespace
