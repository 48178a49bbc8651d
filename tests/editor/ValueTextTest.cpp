#include "EditorValueText.h"
#include "ParameterMapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace
{

using TextFunction = void (*)(float, char*);

std::string textOf(TextFunction function, float value)
{
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    function(value, buffer);
    return buffer;
}

TEST(ValueText, ThresholdKneeRatio)
{
    EXPECT_EQ(textOf(thresholdText, 0.0f), "0 dB");
    EXPECT_EQ(textOf(thresholdText, 0.5f), "-25 dB");
    EXPECT_EQ(textOf(thresholdText, 1.0f), "-50 dB");
    EXPECT_EQ(textOf(thresholdText, 0.2f), "-10 dB");
    EXPECT_EQ(textOf(kneeText, 0.0f), "  0 dB");
    EXPECT_EQ(textOf(kneeText, 0.16f), "  3 dB");
    EXPECT_EQ(textOf(kneeText, 1.0f), " 20 dB");
    EXPECT_EQ(textOf(ratioText, 0.0f), "1.0:1");
    EXPECT_EQ(textOf(ratioText, 0.4f), "2.0:1");
    EXPECT_EQ(textOf(ratioText, 0.85f), "4:1");
    EXPECT_EQ(textOf(ratioText, 0.95f), "8:1");
}

TEST(ValueText, RatioStepsCompareTheWidenedFloat)
{
    // The float nearest 0.8 lies above 0.8, the one nearest 0.9 below 0.9.
    EXPECT_EQ(textOf(ratioText, 0.8f), "4:1");
    EXPECT_EQ(textOf(ratioText, std::nextafter(0.8f, 0.0f)), "3.0:1");
    EXPECT_EQ(textOf(ratioText, 0.9f), "4:1");
    EXPECT_EQ(textOf(ratioText, std::nextafter(0.9f, 1.0f)), "8:1");
}

TEST(ValueText, AttackAndReleaseTimes)
{
    EXPECT_EQ(textOf(attackText, 0.0f), "0.1 ms");
    EXPECT_EQ(textOf(attackText, 0.27f), "9.9 ms");
    EXPECT_EQ(textOf(attackText, 0.2706f), " 10 ms");
    EXPECT_EQ(textOf(attackText, 0.31f), " 15 ms");
    EXPECT_EQ(textOf(attackText, 1.0f), "500 ms");
    EXPECT_EQ(textOf(releaseText, 0.0f), "0.1 ms");
    EXPECT_EQ(textOf(releaseText, 0.1f), "2.1 ms");
    EXPECT_EQ(textOf(releaseText, 0.425f), "154 ms");
    EXPECT_EQ(textOf(releaseText, 0.5f), "250 ms");
    EXPECT_EQ(textOf(releaseText, 0.8f), "1.0 s");
    EXPECT_EQ(textOf(releaseText, 1.0f), "2.0 s");
}

TEST(ValueText, MakeUpAndDryMix)
{
    EXPECT_EQ(textOf(makeUpText, 0.0f), "-60.0 dB");
    EXPECT_EQ(textOf(makeUpText, 0.25f), "-15.0 dB");
    EXPECT_EQ(textOf(makeUpText, 0.5f), "0.0 dB");
    EXPECT_EQ(textOf(makeUpText, 0.75f), "9.0 dB");
    EXPECT_EQ(textOf(makeUpText, 1.0f), "18.0 dB");
    EXPECT_EQ(textOf(dryMixText, 0.0f), "Out");
    EXPECT_EQ(textOf(dryMixText, -0.1f), "Out");
    EXPECT_EQ(textOf(dryMixText, 1e-6f), "-60.0 dB");
    EXPECT_EQ(textOf(dryMixText, 0.5f), "-30.0 dB");
    EXPECT_EQ(textOf(dryMixText, 1.0f), "0.0 dB");
}

TEST(ValueText, SideChainFrequencyIsLogarithmic)
{
    EXPECT_EQ(textOf(scFilterFreqText, 0.0f), " 30 Hz");
    EXPECT_EQ(textOf(scFilterFreqText, 0.475f), " 90 Hz");
    EXPECT_EQ(textOf(scFilterFreqText, 0.5f), " 95 Hz");
    EXPECT_EQ(textOf(scFilterFreqText, 1.0f), "300 Hz");
    EXPECT_NEAR(logScale(0.5f, 30.0f, 300.0f), 94.868f, 0.01f);
    EXPECT_FLOAT_EQ(logScale(-1.0f, 30.0f, 300.0f), 30.0f);
    EXPECT_FLOAT_EQ(logScale(2.0f, 30.0f, 300.0f), 300.0f);
}

TEST(ValueText, DetectionAndHarmonics)
{
    EXPECT_EQ(textOf(detectionText, 0.0f), "Peak");
    EXPECT_EQ(textOf(detectionText, 1.0f), "Dyn RMS");
    EXPECT_EQ(textOf(detectionText, 0.1f), "RMS 2.6");
    EXPECT_EQ(textOf(detectionText, 0.3f), "RMS 7.2");
    EXPECT_EQ(textOf(detectionText, 0.6f), "RMS  23");
    EXPECT_EQ(textOf(detectionText, 0.9f), "RMS  49");
    // 9.94 ms keeps its decimal, 9.95 ms would read "10.0" and is shown whole instead.
    EXPECT_EQ(textOf(detectionText, 0.37f), "RMS 9.9");
    EXPECT_EQ(textOf(detectionText, 0.3703f), "RMS  10");
    EXPECT_EQ(textOf(detectionText, 0.3715f), "RMS  10");
    EXPECT_EQ(textOf(harmonicsAmountText, 0.0f), "  0%");
    EXPECT_EQ(textOf(harmonicsAmountText, 0.5f), "100%");
    EXPECT_EQ(textOf(harmonicsAmountText, 1.0f), "200%");
    EXPECT_EQ(textOf(versionText, 0.0f), "version 1.0.0 [?]");
    EXPECT_EQ(textOf(versionText, 0.7f), "version 1.0.0 [?]");
}

TEST(ValueText, AbsurdHostValuesStayInsideTheCapacity)
{
    const TextFunction all[] = {thresholdText,       kneeText,         ratioText,
                                attackText,          releaseText,      makeUpText,
                                dryMixText,          scFilterFreqText, detectionText,
                                harmonicsAmountText, versionText};
    const float absurd[] = {1e30f, -3e38f, INFINITY, -INFINITY, NAN};
    for (TextFunction function : all)
        for (float value : absurd)
        {
            char buffer[64];
            std::memset(buffer, '#', sizeof buffer);
            function(value, buffer);
            EXPECT_LT(std::strlen(buffer), std::size_t(kValueTextCapacity));
            EXPECT_EQ(buffer[kValueTextCapacity], '#');
        }
}

} // namespace
