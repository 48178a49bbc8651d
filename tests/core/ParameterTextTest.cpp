#include "ParameterText.h"
#include "ParameterIds.h"
#include "ParameterTable.h"
#include "ParameterTextInput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace
{
std::string text(std::int32_t index, float v)
{
    char out[9];
    std::memset(out, 'X', sizeof out);
    EXPECT_TRUE(parameterValueText(index, v, out, sizeof out));
    return out;
}

struct Case
{
    std::int32_t index;
    float v;
    const char* expected;
};
} // namespace

// Names are what hosts show and save automation by: a few by index, and the rules they all keep.
TEST(ParameterText, NamesByIndex)
{
    EXPECT_STREQ(parameterName(kDetection), "Detection");
    EXPECT_STREQ(parameterName(kThreshold), "Threshold");
    EXPECT_STREQ(parameterName(kHfHarmonicsAmount), "HF Harmonics Amount");
    EXPECT_STREQ(parameterName(kMeterScale), "Meter Scale");
    EXPECT_STREQ(parameterName(kUnused19), "-");
    EXPECT_STREQ(parameterName(kUnused20), "-");
    for (std::int32_t i = 0; i <= kMeterScale; ++i)
    {
        const std::string name = parameterName(i);
        EXPECT_FALSE(name.empty() || name == "-") << i;
        for (std::int32_t j = 0; j < i; ++j)
            EXPECT_NE(name, parameterName(j)) << i << " " << j;
    }
    EXPECT_EQ(parameterName(-1), nullptr);
    EXPECT_EQ(parameterName(kNumParams), nullptr);
}

// A row out of place would give one parameter another's name, texts and engine setter.
TEST(ParameterTable, EachRowSitsAtItsIndexAndHasAHostText)
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        EXPECT_EQ(kParameterTable[i].index, i);
        EXPECT_NE(kParameterTable[i].hostText, nullptr) << i;
    }
}

// Every value below worked out by hand from the rules; the comment gives the printed quantity.
TEST(ParameterText, ValueTextsOfEveryParameter)
{
    const std::vector<Case> cases = {
        {kDetection, 0.0f, "Peak"},
        {kDetection, 1.0f, "Dyn RMS"},
        {kDetection, 0.3f, "RMS 7.2"},   // 58 * 0.09 + 2 = 7.22
        {kDetection, 0.6f, "RMS  23"},   // 22.88
        {kDetection, 0.999f, "RMS  60"}, // 59.88
        {kDetection, 0.35f, "RMS 9.1"},  // 9.105 (< 10: one decimal)
        {kScFilterType, 0.0f, "off"},
        {kScFilterType, 0.3f, "3 dB/oct"},
        {kScFilterType, 0.5f, "3 dB/oct"},
        {kScFilterType, 0.7f, "6 dB/oct"},
        {kScFilterFreq, 0.475f, " 90Hz"}, // 30 * 10^0.475001 = 89.56
        {kScFilterFreq, 0.0f, " 30Hz"},
        {kScFilterFreq, 1.0f, "300Hz"}, // clamped
        {kThreshold, 0.5f, "-25.0"},
        {kThreshold, 1.0f, "-50.0"},
        {kKnee, 0.16f, "3.2"},
        {kKnee, 1.0f, "20.0"},
        {kRatio, 0.0f, "1.0:1"},
        {kRatio, 0.4f, "2.0:1"},
        {kRatio, 0.8f, "3.0:1"},
        {kRatio, 0.85f, "4:1"},
        {kRatio, 0.9f, "4:1"},
        {kRatio, 0.91f, "8:1"},
        {kAttack, 0.31f, "15.0ms"}, // 499.9 * 0.029791 + 0.1 = 14.99
        {kAttack, 0.27f, "9.9ms"},  // 9.94
        {kAttack, 0.4f, " 32ms"},   // 32.09
        {kAttack, 0.43f, " 40ms"},  // 39.85
        {kAttack, 1.0f, "500ms"},
        {kAttack, 0.0f, "0.1ms"},
        {kRelease, 0.425f, "154ms"}, // 1999.9 * 0.0767656 + 0.1 = 153.62
        {kRelease, 1.0f, "2000ms"},
        {kRelease, 0.2f, "16.1ms"}, // 16.099
        {kReleaseSlow, 0.5f, "250ms"},
        // 1999.9 * v^3 + 0.1 = 307.49998: the cube is taken first; multiplying from the left
        // rounds up to 307.5 in single precision and would print 308.
        {kRelease, 0.5356714725494385f, "307ms"},
        {kDryMix, 0.0f, "Out"},
        {kDryMix, 0.5f, "-30.0 dB"},
        {kDryMix, 1.0f, "0.0 dB"},
        {kMakeUpGain, 0.0f, "-60.0 dB"},
        {kMakeUpGain, 0.25f, "-15.0 dB"}, // -60 * 0.5^2
        {kMakeUpGain, 0.5f, "0.0 dB"},
        {kMakeUpGain, 1.0f, "18.0 dB"},
        {kHfHarmonicsAmount, 0.5f, "100.0%"},
        {kLfHarmonicsAmount, 0.25f, "50.0%"},
        {kHfHarmonics, 1.0f, "on"},
        {kHfHarmonics, 0.999f, "off"},
        {kLfHarmonics, 1.0f, "on"},
        {kDelta, 1.0f, "on"},
        {kBypass, 0.0f, "off"},
        {kScPreview, 0.7f, "off"}, // the engine switch is on, the text only at exactly 1
        {kScPreview, 1.0f, "on"},
        {kMeterScale, 0.0f, "6 dB"},
        {kMeterScale, 0.25f, "12 dB"},
        {kMeterScale, 0.5f, "24 dB"},
        {kMeterScale, 0.74f, "24 dB"},
        {kMeterScale, 0.75f, "48 dB"},
        {kUnused19, 0.3f, "-"},
        {kUnused20, 0.0f, "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(c.index, c.v), c.expected) << "index " << c.index << " v " << c.v;
}

TEST(ParameterText, NeverLongerThanEightCharactersWhateverTheValue)
{
    const float values[] = {-1e30f, -1e9f, -2.5f, -1.0f, 0.0f, 0.5f, 1.0f, 1.5f, 1e9f, 3.4e38f};
    for (std::int32_t i = 0; i < kNumParams; ++i)
        for (float v : values)
        {
            char out[16];
            std::memset(out, 'X', sizeof out);
            ASSERT_TRUE(parameterValueText(i, v, out, 9));
            EXPECT_LE(std::strlen(out), 8u) << i << " " << v;
            EXPECT_EQ(out[9], 'X') << i << " " << v;
        }
    EXPECT_EQ(text(kThreshold, 1e9f), "-5000000"); // -5e10 cut to 8 characters
}

TEST(ParameterText, OutOfRangeIndexWritesNothing)
{
    char out[9] = "keep";
    EXPECT_FALSE(parameterValueText(-1, 0.5f, out, sizeof out));
    EXPECT_FALSE(parameterValueText(21, 0.5f, out, sizeof out));
    EXPECT_FALSE(parameterValueText(kThreshold, 0.5f, nullptr, 9));
    EXPECT_STREQ(out, "keep");
}

// Every text the plug-in shows reads back to a value showing the same text: hosts offer the
// texts for typing and store them in their own formats.
TEST(ParameterTextInput, EveryShownTextReadsBackToItself)
{
    for (std::int32_t index = 0; index < kNumParams; ++index)
        for (int step = 0; step <= 200; ++step)
        {
            const float v = static_cast<float>(step) / 200.0f;
            char shown[64] = {}, again[64] = {};
            parameterValueText(index, v, shown, sizeof shown);
            float read = -1.0f;
            ASSERT_TRUE(parameterValueFromText(index, shown, read))
                << index << " '" << shown << "'";
            parameterValueText(index, read, again, sizeof again);
            EXPECT_STREQ(shown, again) << "parameter " << index << " at " << v;
        }
}

TEST(ParameterTextInput, TypedTextsFindTheirValues)
{
    struct Case
    {
        std::int32_t index;
        const char* typed;
        const char* shown; // null: refused
    } const cases[] = {
        {kThreshold, "-12", "-12.0"},
        {kThreshold, "  -12.04 dB", "-12.0"},
        {kThreshold, "-80", "-50.0"},
        {kThreshold, "+5", "-0.0"},
        {kScFilterType, "6 db/OCT", "6 dB/oct"},
        {kScFilterType, "12 dB/oct", nullptr},
        {kDetection, "peak", "Peak"},
        {kDetection, "Dyn RMS", "Dyn RMS"},
        {kDryMix, "out", "Out"},
        {kDryMix, "-6 dB", "-6.0 dB"},
        {kRatio, "8:1", "8:1"},
        {kBypass, "ON", "on"},
        {kBypass, "1", nullptr},
        {kMakeUpGain, "loud", nullptr},
        {kThreshold, "", nullptr},
        {kNumParams, "1", nullptr},
        {-1, "1", nullptr},
    };
    for (const Case& c : cases)
    {
        float value = -1.0f;
        const bool read = parameterValueFromText(c.index, c.typed, value);
        EXPECT_EQ(read, c.shown != nullptr) << c.index << " '" << c.typed << "'";
        if (!read || !c.shown)
        {
            EXPECT_EQ(value, -1.0f) << "a refused text leaves the value alone";
            continue;
        }
        char shown[64] = {};
        parameterValueText(c.index, value, shown, sizeof shown);
        EXPECT_STREQ(shown, c.shown) << c.index << " '" << c.typed << "'";
    }
    float value = 0.0f;
    EXPECT_FALSE(parameterValueFromText(kThreshold, nullptr, value));
}
