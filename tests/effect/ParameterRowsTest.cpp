#include "FactoryPresets.h"
#include "OrvaneEffect.h"
#include "ParameterTable.h"
#include "ParameterText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace
{
std::string hostTextAt(std::int32_t index, float v)
{
    char text[64] = {};
    parameterValueText(index, v, text, sizeof text);
    return text;
}

// The rows are what formats offer hosts; the host texts are what hosts show. A list's entries
// must name every text its range shows, each entry's value must show its own text, and a
// switch must read "on" at exactly 1.0 and "off" everywhere below.
TEST(ParameterRows, KindsAgreeWithTheHostTexts)
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        const ParameterInfo& row = kParameterTable[i];
        EXPECT_EQ(row.index, i);
        EXPECT_LE(std::strlen(row.shortName), 8u) << row.name;
        std::set<std::string> shown;
        for (int step = 0; step <= 1000; ++step)
            shown.insert(hostTextAt(i, step / 1000.0f));
        switch (row.kind)
        {
        case ParameterKind::Toggle:
            EXPECT_EQ(hostTextAt(i, 1.0f), "on") << row.name;
            EXPECT_EQ(shown, (std::set<std::string>{"on", "off"})) << row.name;
            EXPECT_EQ(stepCount(i), 1);
            break;
        case ParameterKind::List:
        {
            std::set<std::string> labels;
            for (int e = 0; e < row.entryCount; ++e)
            {
                labels.insert(row.entries[e].label);
                EXPECT_EQ(hostTextAt(i, row.entries[e].value), row.entries[e].label) << row.name;
                if (e > 0)
                {
                    EXPECT_LT(row.entries[e - 1].value, row.entries[e].value);
                }
            }
            EXPECT_EQ(shown, labels) << row.name;
            EXPECT_EQ(stepCount(i), row.entryCount - 1);
            break;
        }
        case ParameterKind::Continuous:
            EXPECT_TRUE(shown.size() > 8 || (row.flags & kHidden)) << row.name;
            EXPECT_EQ(stepCount(i), 0);
            break;
        }
    }
}

// What drives the engine: a row with an engine input has a mapping and the other way round,
// and the effect's defaults are the rows'.
TEST(ParameterRows, EngineInputsAndDefaults)
{
    const OrvaneEffect fresh(std::make_unique<CompressorEngine>());
    int bypassSwitches = 0;
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        const ParameterInfo& row = kParameterTable[i];
        EXPECT_EQ(row.engineInput == EngineInput::None, row.toEngine == nullptr) << row.name;
        EXPECT_EQ(fresh.getParameter(i), defaultValue(i)) << row.name;
        EXPECT_EQ(defaultValue(i), kFactoryPresets[0].values[i]);
        bypassSwitches += (row.flags & kBypassSwitch) ? 1 : 0;
    }
    EXPECT_EQ(bypassSwitches, 1);
    EXPECT_TRUE(kParameterTable[kBypass].flags & kBypassSwitch);
}
} // namespace
