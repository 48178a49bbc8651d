#include "CompressorEngine.h"
#include "FakeEditor.h"
#include "VstTemplate.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace
{

struct RecordedCall
{
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};
std::vector<RecordedCall> hostCalls;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
{
    hostCalls.push_back({opcode, index, opt});
    return opcode == audioMasterVersion ? 2400 : 1;
}

class ParameterModel : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        hostCalls.clear();
        effect = makeEffectWithFakeEditor(&editor);
        ASSERT_NE(editor, nullptr);
        editor->echoes.clear();
    }

    const CompressorEngine& engine() const { return effect->getEngine(); }
    std::vector<VstInt32> echoedIndices() const
    {
        std::vector<VstInt32> indices;
        for (const auto& e : editor->echoes)
            indices.push_back(e.index);
        return indices;
    }

    std::unique_ptr<VstTemplate> effect;
    FakeEditor* editor = nullptr;
};

} // namespace

TEST_F(ParameterModel, StoresTheValueAndHandsTheEngineThePhysicalValue)
{
    effect->setParameter(kThreshold, 0.5f);
    EXPECT_EQ(effect->getParameter(kThreshold), 0.5f);
    EXPECT_EQ(engine().getThreshold(), -25.0);

    effect->setParameter(kKnee, 0.5f);
    EXPECT_EQ(engine().getKnee(), 10.0);

    effect->setParameter(kReleaseSlow, 0.5f);
    EXPECT_DOUBLE_EQ(engine().getReleaseSlow(), 250.1); // 2000 * 0.125 + 0.1
    effect->setParameter(kRelease, 1.0f);
    EXPECT_DOUBLE_EQ(engine().getRelease(), 2000.1);
    effect->setParameter(kAttack, 0.5f);
    EXPECT_DOUBLE_EQ(engine().getAttack(), 62.6); // 500 * 0.125 + 0.1

    effect->setParameter(kHfHarmonicsAmount, 0.5f);
    EXPECT_EQ(engine().getHfAmount(), 0.25);
    effect->setParameter(kLfHarmonicsAmount, 1.0f);
    EXPECT_EQ(engine().getLfAmount(), 1.0);
}

TEST_F(ParameterModel, DetectionSelectsPeakDynRmsOrAnRmsWindow)
{
    effect->setParameter(kDetection, 0.0f);
    EXPECT_EQ(engine().getDetection(), 0.0);
    effect->setParameter(kDetection, 1.0f);
    EXPECT_EQ(engine().getDetection(), 600.0);
    effect->setParameter(kDetection, 0.5f);
    EXPECT_EQ(engine().getDetection(), 16.5); // 58 * 0.25 + 2
    effect->setParameter(kDetection, 0.999f);
    EXPECT_NEAR(engine().getDetection(), 59.884, 1e-4);
}

TEST_F(ParameterModel, RatioSlopeAndItsDoublePrecisionThresholds)
{
    effect->setParameter(kRatio, 0.4f);
    EXPECT_NEAR(engine().getRatio(), 0.5, 1e-7);
    effect->setParameter(kRatio, 0.0f);
    EXPECT_EQ(engine().getRatio(), 1.0);
    effect->setParameter(kRatio, 0.85f);
    EXPECT_EQ(engine().getRatio(), -1.0);
    effect->setParameter(kRatio, 0.95f);
    EXPECT_EQ(engine().getRatio(), -4.0);
    // 0.8 as a float lies just above 0.8, so it already selects the 4:1 slope.
    effect->setParameter(kRatio, 0.8f);
    EXPECT_EQ(engine().getRatio(), -1.0);
    effect->setParameter(kRatio, 0.9f); // 0.9 as a float lies just below 0.9: still 4:1
    EXPECT_EQ(engine().getRatio(), -1.0);
    effect->setParameter(kRatio, 0.90001f);
    EXPECT_EQ(engine().getRatio(), -4.0);
}

TEST_F(ParameterModel, GainsFromDecibels)
{
    effect->setParameter(kDryMix, 0.0f);
    EXPECT_EQ(engine().getMixDry(), 0.0);
    effect->setParameter(kDryMix, 1.0f);
    EXPECT_EQ(engine().getMixDry(), 1.0);
    effect->setParameter(kDryMix, 0.5f); // -30 dB, rounded to a float
    EXPECT_EQ(engine().getMixDry(), static_cast<double>(0.031622776601683794f));

    effect->setParameter(kMakeUpGain, 0.0f);
    EXPECT_NEAR(engine().getMakeUpGain(), 1e-3, 1e-15);
    effect->setParameter(kMakeUpGain, 0.5f);
    EXPECT_EQ(engine().getMakeUpGain(), 1.0);
    effect->setParameter(kMakeUpGain, 1.0f);
    EXPECT_NEAR(engine().getMakeUpGain(), 7.943282347242815, 1e-12); // +18 dB
    effect->setParameter(kMakeUpGain, 0.25f);
    EXPECT_NEAR(engine().getMakeUpGain(), 0.17782794100389228, 1e-12); // -15 dB
}

TEST_F(ParameterModel, SideChainTypeFrequencyAndPreview)
{
    effect->setParameter(kScFilterType, 0.29f);
    EXPECT_EQ(engine().getSideChainType(), 0);
    effect->setParameter(kScFilterType, 0.3f);
    EXPECT_EQ(engine().getSideChainType(), 1);
    effect->setParameter(kScFilterType, 0.7f);
    EXPECT_EQ(engine().getSideChainType(), 2);

    effect->setParameter(kScFilterFreq, 0.475f);
    EXPECT_NEAR(engine().getSideChainFrequency(), 89.5616, 1e-3); // 30 * 10^0.475001
    effect->setParameter(kScFilterFreq, 1.0f);
    EXPECT_EQ(engine().getSideChainFrequency(), 300.0); // 300.0002 clamped
    effect->setParameter(kScFilterFreq, 0.0f);
    EXPECT_NEAR(engine().getSideChainFrequency(), 30.0, 1e-3);

    effect->setParameter(kScPreview, 0.5f);
    EXPECT_FALSE(engine().getSideChainPreview());
    effect->setParameter(kScPreview, 0.6f);
    EXPECT_TRUE(engine().getSideChainPreview());
}

TEST_F(ParameterModel, SwitchesAreOnOnlyAtExactlyOne)
{
    effect->setParameter(kHfHarmonics, 1.0f);
    effect->setParameter(kLfHarmonics, 0.999f);
    EXPECT_TRUE(engine().getHfHarmonics());
    EXPECT_FALSE(engine().getLfHarmonics());
    effect->setParameter(kBypass, 0.999f);
    EXPECT_FALSE(effect->isBypassed());
    effect->setParameter(kBypass, 1.0f);
    EXPECT_TRUE(effect->isBypassed());
}

TEST_F(ParameterModel, BypassSwitchesPreviewAndDeltaOffAndTheEditorSeesEachChange)
{
    effect->setParameter(kDelta, 1.0f);
    ASSERT_TRUE(engine().getDelta());
    editor->echoes.clear();

    effect->setParameter(kBypass, 1.0f);
    EXPECT_EQ(echoedIndices(), (std::vector<VstInt32>{kScPreview, kDelta, kBypass}));
    EXPECT_EQ(effect->getParameter(kDelta), 0.0f);
    EXPECT_EQ(effect->getParameter(kBypass), 1.0f);
    EXPECT_FALSE(engine().getDelta());
    EXPECT_TRUE(effect->isBypassed());
    // The editor re-reads the effect: each echo must already see the stored value.
    for (const auto& e : editor->echoes)
        EXPECT_EQ(e.effectValue, e.value) << e.index;
}

TEST_F(ParameterModel, DeltaAndPreviewSwitchTheOtherTwoOffInTheirOrder)
{
    effect->setParameter(kBypass, 1.0f);
    editor->echoes.clear();
    effect->setParameter(kDelta, 1.0f);
    EXPECT_EQ(echoedIndices(), (std::vector<VstInt32>{kBypass, kScPreview, kDelta}));
    EXPECT_FALSE(effect->isBypassed());

    editor->echoes.clear();
    effect->setParameter(kScPreview, 0.6f);
    EXPECT_EQ(echoedIndices(), (std::vector<VstInt32>{kBypass, kDelta, kScPreview}));
    EXPECT_EQ(effect->getParameter(kDelta), 0.0f);
    EXPECT_EQ(effect->getParameter(kBypass), 0.0f);
    EXPECT_TRUE(engine().getSideChainPreview());
    EXPECT_FALSE(engine().getDelta());
}

TEST_F(ParameterModel, SwitchingOffOrNearlyOnLeavesTheOthersAlone)
{
    effect->setParameter(kDelta, 1.0f);
    editor->echoes.clear();
    effect->setParameter(kBypass, 0.999f);
    effect->setParameter(kScPreview, 0.5f);
    effect->setParameter(kDelta, 0.0f);
    EXPECT_EQ(echoedIndices(), (std::vector<VstInt32>{kBypass, kScPreview, kDelta}));
    EXPECT_EQ(effect->getParameter(kBypass), 0.999f);
    EXPECT_EQ(effect->getParameter(kScPreview), 0.5f);
}

TEST_F(ParameterModel, ReadOnlyMeterValuesAtRestAndTheActiveFlag)
{
    EXPECT_EQ(effect->getParameter(500), 1.0f);
    EXPECT_EQ(effect->getParameter(501), 1.0f);
    EXPECT_EQ(effect->getParameter(502), -100.0f);
    EXPECT_EQ(effect->getParameter(503), -100.0f);
    EXPECT_EQ(effect->getParameter(504), 0.0f);
    EXPECT_EQ(effect->getParameter(505), 0.0f);
    EXPECT_EQ(effect->getParameter(506), 0.0f);
    effect->resume();
    EXPECT_EQ(effect->getParameter(506), 1.0f);
    effect->suspend();
    EXPECT_EQ(effect->getParameter(506), 0.0f);
    EXPECT_EQ(effect->getParameter(501), 1.0f);
}

TEST_F(ParameterModel, IndicesOutsideTheTableTouchNothing)
{
    std::vector<float> before;
    for (VstInt32 i = 0; i < kNumParams; ++i)
        before.push_back(effect->getParameter(i));
    for (VstInt32 index : {-1, 21, 22, 499, 500, 501, 506, 507, INT_MAX, INT_MIN})
    {
        effect->setParameter(index, 0.77f);
        if (index < 500 || index > 506)
        {
            EXPECT_EQ(effect->getParameter(index), 0.0f) << index;
        }
    }
    for (VstInt32 i = 0; i < kNumParams; ++i)
        EXPECT_EQ(effect->getParameter(i), before[i]) << i;
    EXPECT_EQ(effect->getParameter(501), 1.0f); // setParameter does not accept read-only values
    EXPECT_TRUE(editor->echoes.empty());
}

TEST_F(ParameterModel, NonFiniteValuesAreRefusedAndNeverReachTheEngine)
{
    effect->setParameter(kThreshold, 0.5f);
    effect->setParameter(kBypass, 1.0f);
    editor->echoes.clear();
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (float v : bad)
        for (VstInt32 i = 0; i < kNumParams; ++i)
            effect->setParameter(i, v);
    EXPECT_EQ(effect->getParameter(kThreshold), 0.5f);
    EXPECT_EQ(engine().getThreshold(), -25.0);
    EXPECT_TRUE(effect->isBypassed());
    EXPECT_TRUE(editor->echoes.empty());
}

TEST_F(ParameterModel, ValuesOutsideZeroToOneAreStoredUnchanged)
{
    effect->setParameter(kThreshold, 1.5f);
    EXPECT_EQ(effect->getParameter(kThreshold), 1.5f);
    effect->setParameter(kKnee, -0.25f);
    EXPECT_EQ(effect->getParameter(kKnee), -0.25f);
    effect->setParameter(kThreshold, 1e9f);
    EXPECT_EQ(effect->getParameter(kThreshold), 1e9f);
    char text[9 + 8];
    std::fill(std::begin(text), std::end(text), 'X');
    effect->getParameterDisplay(kThreshold, text);
    EXPECT_EQ(text[8], '\0');
    EXPECT_EQ(text[9], 'X');
}

TEST_F(ParameterModel, AutomationIsReportedOnlyForEditsAndNeverThroughANullCallback)
{
    effect->setParameterAutomated(kKnee, 0.25f); // no callback: applied, nothing called
    EXPECT_EQ(effect->getParameter(kKnee), 0.25f);
    EXPECT_FALSE(effect->beginEdit(kKnee));
    EXPECT_FALSE(effect->endEdit(kKnee));

    FakeEditor* hostedEditor = nullptr;
    auto hosted = makeEffectWithFakeEditor(&hostedEditor, recordingHost);
    hostCalls.clear();
    hosted->beginEdit(kDelta);
    hosted->setParameterAutomated(kDelta, 1.0f); // interlocks are not reported
    hosted->endEdit(kDelta);
    hosted->setParameterAutomated(kKnee, std::numeric_limits<float>::quiet_NaN());
    hosted->setParameterAutomated(99, 0.5f);
    hosted->setParameter(kKnee, 0.5f); // the host's own changes are not echoed back
    ASSERT_EQ(hostCalls.size(), 3u);
    EXPECT_EQ(hostCalls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(hostCalls[0].index, kDelta);
    EXPECT_EQ(hostCalls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(hostCalls[1].index, kDelta);
    EXPECT_EQ(hostCalls[1].opt, 1.0f);
    EXPECT_EQ(hostCalls[2].opcode, audioMasterEndEdit);
}
