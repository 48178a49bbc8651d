#include "CScala.h"
#include "PixelTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

constexpr CColor kTick = {66, 66, 66, 255};
constexpr CColor kBlack = {0, 0, 0, 255};
const CRect kScalaRect(521, 52, 544, 187);

class Recorder : public CControlListener
{
  public:
    void valueChanged(CControl* control) override { values.push_back(control->getValue()); }
    void controlBeginEdit(CControl*) override { ++begins; }
    void controlEndEdit(CControl*) override { ++ends; }
    std::vector<float> values;
    int begins = 0;
    int ends = 0;
};

TEST(CScala, MouseAreaReachesOverBothMeters)
{
    CScala* scala = new CScala(kScalaRect, nullptr, 18);
    EXPECT_EQ(scala->getMouseableArea(), CRect(511, 26, 594, 197));
    EXPECT_TRUE(scala->hitTest(CPoint(584, 120)));
    EXPECT_TRUE(scala->hitTest(CPoint(511, 26)));
    EXPECT_FALSE(scala->hitTest(CPoint(510, 120)));
    scala->forget();
}

TEST(CScala, LeftClicksStepForwardRightClicksBack)
{
    Recorder listener;
    CScala* scala = new CScala(kScalaRect, &listener, 18);
    CPoint where(560, 100);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(scala->onMouseDown(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(listener.values, (std::vector<float>{0.25f, 0.5f, 0.75f, 0.0f}));
    listener.values.clear();
    for (int i = 0; i < 4; ++i)
        scala->onMouseDown(where, kRButton);
    EXPECT_EQ(listener.values, (std::vector<float>{0.75f, 0.5f, 0.25f, 0.0f}));
    EXPECT_EQ(listener.begins, 8);
    EXPECT_EQ(listener.ends, 8);

    // A host value between the steps starts over at 0 in both directions.
    scala->setValue(0.3f);
    scala->onMouseDown(where, kLButton);
    EXPECT_EQ(scala->getValue(), 0.0f);
    scala->setValue(0.3f);
    scala->onMouseDown(where, kRButton | kShift);
    EXPECT_EQ(scala->getValue(), 0.0f);

    listener.values.clear();
    EXPECT_EQ(scala->onMouseDown(where, kMButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.values.empty());
    scala->forget();
}

TEST(CScala, SettingsAndMeterFactors)
{
    EXPECT_EQ(CScala::meterFactor(0.0f), 4.0f);
    EXPECT_EQ(CScala::meterFactor(0.25f), 2.0f);
    EXPECT_EQ(CScala::meterFactor(0.3f), 2.0f);
    EXPECT_EQ(CScala::meterFactor(0.5f), 1.0f);
    EXPECT_EQ(CScala::meterFactor(0.75f), 0.5f);
    EXPECT_EQ(CScala::meterFactor(1.0f), 0.5f);
    EXPECT_EQ(CScala::tickLabel(0.0f, 24), 6);
    EXPECT_EQ(CScala::tickLabel(0.25f, 24), 12);
    EXPECT_EQ(CScala::tickLabel(0.5f, 24), 24);
    EXPECT_EQ(CScala::tickLabel(0.75f, 24), 48);
}

struct ScalaDrawing : ::testing::TestWithParam<float>
{
};

// Labels every fourth tick with the setting's dB and draws the tick lines beside them.
TEST_P(ScalaDrawing, LabelsAndTicks)
{
    const float value = GetParam();
    CScala* scala = new CScala(kScalaRect, nullptr, 18);
    scala->setValue(value);
    Screen screen;
    screen.draw(*scala);

    const int step = value < 0.25f ? 4 : value < 0.5f ? 2 : value < 0.75f ? 1 : 0;
    for (int i = 0; i < 26; ++i) // ticks 26 to 33 lie below the 135-pixel view
    {
        const int y = 7 + 5 * i;
        const bool major = i % 4 == 0;
        EXPECT_TRUE(sameColour(screen.at(kScalaRect, 21, y), kTick)) << i;
        EXPECT_TRUE(sameColour(screen.at(kScalaRect, 22, y), kTick)) << i;
        EXPECT_TRUE(sameColour(screen.at(kScalaRect, 20, y), major ? kTick : kBlack)) << i;
        EXPECT_TRUE(sameColour(screen.at(kScalaRect, 19, y), kBlack)) << i;
        if (!major) continue;
        // The label is exactly the text the context draws for it, right-aligned at column 17.
        const int db = step ? i / step : 2 * i;
        const std::string label = db == 0 ? "0" : "-" + std::to_string(db);
        const CRect labelRect(1, y - 6, 17, y + 6);
        auto reference = referenceText(23, 135, label.c_str(), labelRect, kWhiteCColor, kRightText);
        int lit = 0;
        EXPECT_TRUE(sameRegion(screen, kScalaRect, *reference, CRect(0, y - 2, 19, y + 6), &lit))
            << label;
        EXPECT_GT(lit, 3) << label;
    }
    EXPECT_TRUE(sameColour(screen.at(kScalaRect, 22, 6), kBlack));
    EXPECT_FALSE(scala->isDirty());
    scala->forget();
}

INSTANTIATE_TEST_SUITE_P(AllFourSettings, ScalaDrawing, ::testing::Values(0.0f, 0.3f, 0.5f, 1.0f));

} // namespace
