#include "CCompMeter.h"
#include "CFrame.h"
#include "EditorTestSupport.h"
#include "LevelMeter.h"
#include "drawing/COffscreenContext.h"

#include <cmath>

namespace
{

using MeterRefresh = ScriptedEditorFixture;

CCompMeter& compMeter(VstTemplateGUI* editor)
{
    return *dynamic_cast<CCompMeter*>(editor->getFrame()->getView(29));
}
LevelMeter& levelMeter(VstTemplateGUI* editor)
{
    return *dynamic_cast<LevelMeter*>(editor->getFrame()->getView(30));
}
float lamp(VstTemplateGUI* editor, int which)
{
    return dynamic_cast<CControl*>(editor->getFrame()->getView(33 + which))->getValue();
}

TEST_F(MeterRefresh, RefreshesAtMostEvery25Ms)
{
    setReduction(3.0f);
    idleAfter(26); // measured from the editor's construction
    EXPECT_NEAR(compMeter(editor).getValue(), 6.0f, 1e-4f); // scale 6 dB: 2 units per dB
    setReduction(5.0f);
    idleAfter(25);
    EXPECT_NEAR(compMeter(editor).getValue(), 6.0f, 1e-4f);
    idleAfter(1);
    EXPECT_NEAR(compMeter(editor).getValue(), 10.0f, 1e-4f);
}

TEST_F(MeterRefresh, MeterScaleSetsTheUnits)
{
    setReduction(8.0f);
    const float expected[] = {16.0f, 8.0f, 4.0f, 2.0f};
    const float scales[] = {0.0f, 0.25f, 0.5f, 0.75f};
    for (int i = 0; i < 4; ++i)
    {
        effect->setParameter(kMeterScale, scales[i]);
        idleAfter(30);
        EXPECT_NEAR(compMeter(editor).getValue(), expected[i], 1e-3f) << scales[i];
        EXPECT_NEAR(compMeter(editor).getHold(), expected[i], 1e-3f) << scales[i];
    }
}

TEST_F(MeterRefresh, ReductionFallsAfterTheWaitAndHoldAfterThreeSeconds)
{
    setReduction(10.0f);
    idleAfter(30);
    setReduction(0.0f);
    idleAfter(30); // waited 30 ms of the one-time 40
    EXPECT_NEAR(compMeter(editor).getValue(), 20.0f, 1e-3f);
    idleAfter(30); // falls 8.5 dB/s
    EXPECT_NEAR(compMeter(editor).getValue(), 2.0f * (10.0f - 0.255f), 1e-3f);
    EXPECT_NEAR(compMeter(editor).getHold(), 20.0, 1e-3);
    for (int i = 0; i < 98; ++i)
        idleAfter(30); // 3000 ms since the peak
    EXPECT_NEAR(compMeter(editor).getHold(), 2.0 * (10.0 - 0.03), 1e-3);
    EXPECT_NEAR(compMeter(editor).getValue(), 0.0f, 1e-3f);
}

TEST_F(MeterRefresh, ThresholdOrRatioChangeClearsTheHold)
{
    setReduction(10.0f);
    idleAfter(30);
    setReduction(2.0f);
    idleAfter(30);
    EXPECT_NEAR(editor->getBallistics().heldReductionDb(), 10.0f, 1e-4f);
    effect->setParameter(kThreshold, 0.3f);
    EXPECT_EQ(editor->getBallistics().heldReductionDb(), 0.0f);
    idleAfter(30);
    EXPECT_NEAR(editor->getBallistics().heldReductionDb(), 2.0f, 1e-4f);
    setReduction(6.0f);
    idleAfter(30);
    effect->setParameter(kRatio, 0.9f);
    EXPECT_EQ(editor->getBallistics().heldReductionDb(), 0.0f);
}

TEST_F(MeterRefresh, LevelsFollowAndRestWhenNotLive)
{
    effect->fastLevel = -12.0f;
    effect->slowLevel = -20.0f;
    idleAfter(30);
    EXPECT_EQ(levelMeter(editor).getValue(), -12.0f);
    EXPECT_EQ(levelMeter(editor).getSlowLevel(), -20.0f);
    effect->fastLevel = -40.0f;
    idleAfter(50);
    EXPECT_NEAR(levelMeter(editor).getValue(), -12.6f, 1e-4f);

    setReduction(4.0f);
    effect->values[kScPreview] = 1.0f; // previewing the side chain: the meters rest
    idleAfter(30);
    EXPECT_EQ(levelMeter(editor).getValue(), -100.0f);
    EXPECT_EQ(compMeter(editor).getValue(), 0.0f);
    effect->values[kScPreview] = 0.0f;
    effect->active = 0.0f; // suspended
    idleAfter(30);
    EXPECT_EQ(levelMeter(editor).getSlowLevel(), -100.0f);
    effect->active = 1.0f;
    idleAfter(30);
    EXPECT_NEAR(compMeter(editor).getValue(), 8.0f, 1e-3f);
}

TEST_F(MeterRefresh, ReleaseLamps)
{
    effect->fastLevel = -10.0f;
    effect->slowLevel = -20.0f;
    idleAfter(30);
    EXPECT_EQ(lamp(editor, 0), 1.0f);
    EXPECT_EQ(lamp(editor, 1), 0.0f);
    effect->fastLevel = -30.0f; // the slow detector takes over after more than 60 ms
    idleAfter(30);
    idleAfter(30);
    EXPECT_EQ(lamp(editor, 0), 1.0f);
    idleAfter(30);
    EXPECT_EQ(lamp(editor, 0), 0.0f);
    EXPECT_EQ(lamp(editor, 1), 1.0f);
    effect->setParameter(kReleaseSlow, 0.2f); // slow shorter than fast: the fast lamp rules
    idleAfter(30);
    EXPECT_EQ(lamp(editor, 0), 1.0f);
    EXPECT_EQ(lamp(editor, 1), 0.0f);
}

TEST_F(MeterRefresh, IdlePaintsTheMetersIntoTheWindow)
{
    setReduction(5.0f); // 10 units: a 100-pixel bar
    idleAfter(30);
    const COffscreenContext* window = editor->getFrame()->getBackBuffer();
    EXPECT_EQ(window->getPixel(544 + 15, 57 + 101), (CColor{0, 204, 255, 255}));
    EXPECT_EQ(window->getPixel(544 + 15, 57 + 102), (CColor{0, 0, 0, 255}));
    EXPECT_FALSE(compMeter(editor).isDirty());
}

TEST_F(MeterRefresh, SmoothingSurvivesReopeningButNotTheLamps)
{
    setReduction(10.0f);
    idleAfter(30);
    effect->fastLevel = -10.0f;
    idleAfter(30);
    editor->close();
    setReduction(0.0f);
    idleAfter(30); // closed: no refresh at all
    editor->open(nullptr);
    EXPECT_EQ(lamp(editor, 0), 0.0f);
    idleAfter(30);
    // The first refresh after reopening measures the time since the last one before the
    // close (60 ms), which also passes the one-time 40 ms wait.
    EXPECT_NEAR(editor->getBallistics().displayedReductionDb(), 10.0f - 0.0085f * 60.0f, 1e-3f);
    EXPECT_NEAR(editor->getBallistics().heldReductionDb(), 10.0f, 1e-4f);
}

} // namespace
