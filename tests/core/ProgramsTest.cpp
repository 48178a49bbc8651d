#include "CompressorEngine.h"
#include "FakeEditor.h"
#include "VstTemplate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace
{
class Programs : public ::testing::Test
{
  protected:
    void SetUp() override { effect = makeEffectWithFakeEditor(&editor); }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr)
    {
        return effect->dispatcher(opcode, index, value, ptr, 0.0f);
    }

    std::string programName(VstInt32 index)
    {
        char name[64];
        std::memset(name, 'X', sizeof name);
        if (!dispatch(effGetProgramNameIndexed, index, 0, name)) return "<none>";
        return name;
    }

    std::unique_ptr<VstTemplate> effect;
    FakeEditor* editor = nullptr;
};
} // namespace

TEST_F(Programs, ANewEffectStartsOnProgramZeroWithItsValuesInTheEngine)
{
    EXPECT_EQ(dispatch(effGetProgram), 0);
    char name[64] = {};
    dispatch(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "Downward Comp. Reset");
    EXPECT_EQ(effect->getParameter(kRatio), 0.4f);
    const CompressorEngine& e = effect->getEngine();
    EXPECT_EQ(e.getDetection(), 600.0); // Dyn RMS
    EXPECT_EQ(e.getThreshold(), -0.0);  // 0 dB
    EXPECT_NEAR(e.getKnee(), 3.2, 1e-6);
    EXPECT_NEAR(e.getAttack(), 14.9955, 1e-4); // 500 * 0.31^3 + 0.1
    EXPECT_EQ(e.getMixDry(), 0.0);
    EXPECT_EQ(e.getMakeUpGain(), 1.0);
    EXPECT_FALSE(e.getHfHarmonics());
    // Program 0 was loaded before the editor existed, so the editor heard nothing of it.
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->echoes.empty());
}

// A few names by index, and the rules they all keep: nine programs, each named, no two alike,
// each within the 24 characters a program name holds.
TEST_F(Programs, FactoryNamesByIndex)
{
    EXPECT_EQ(programName(0), "Downward Comp. Reset");
    EXPECT_EQ(programName(6), "AGC");
    EXPECT_EQ(programName(8), "Classic Compressor II");
    for (VstInt32 p = 0; p < 9; ++p)
    {
        const std::string name = programName(p);
        EXPECT_FALSE(name.empty() || name == "<none>") << p;
        EXPECT_LE(name.size(), 24u) << p;
        for (VstInt32 q = 0; q < p; ++q)
            EXPECT_NE(name, programName(q)) << p << " " << q;
    }
    EXPECT_EQ(programName(9), "<none>");
    EXPECT_EQ(programName(-1), "<none>");
}

TEST_F(Programs, SwitchingLoadsEveryValueThroughSetParameterInIndexOrder)
{
    dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(dispatch(effGetProgram), 1);
    EXPECT_EQ(effect->getParameter(kDryMix), 1.0f);
    EXPECT_EQ(effect->getEngine().getMixDry(), 1.0);
    EXPECT_EQ(effect->getParameter(kMakeUpGain), 0.0f);
    EXPECT_NEAR(effect->getEngine().getMakeUpGain(), 0.001, 1e-15);
    EXPECT_EQ(effect->getEngine().getThreshold(), -50.0 * static_cast<double>(0.8f));

    ASSERT_EQ(editor->echoes.size(), 21u);
    for (VstInt32 i = 0; i < 21; ++i)
        EXPECT_EQ(editor->echoes[i].index, i);

    dispatch(effSetProgram, 0, 2); // "Mastering: Smooth" switches both harmonics on
    EXPECT_TRUE(effect->getEngine().getHfHarmonics());
    EXPECT_TRUE(effect->getEngine().getLfHarmonics());
    EXPECT_EQ(effect->getEngine().getSideChainType(), 1);
}

TEST_F(Programs, OutOfRangeProgramNumbersAreIgnored)
{
    dispatch(effSetProgram, 0, 3);
    editor->echoes.clear();
    for (VstIntPtr p : {VstIntPtr(9), VstIntPtr(-1), std::numeric_limits<VstIntPtr>::max(),
                        std::numeric_limits<VstIntPtr>::min()})
        dispatch(effSetProgram, 0, p);
    EXPECT_EQ(dispatch(effGetProgram), 3);
    EXPECT_TRUE(editor->echoes.empty());
}

TEST_F(Programs, EditsStayWithTheirProgram)
{
    dispatch(effSetProgram, 0, 2);
    effect->setParameter(kThreshold, 0.3f);
    dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(effect->getParameter(kThreshold), 0.49f);
    dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(effect->getParameter(kThreshold), 0.3f);
    EXPECT_EQ(effect->getEngine().getThreshold(), -50.0 * static_cast<double>(0.3f));
}

TEST_F(Programs, LoadingAProgramWithDeltaOnKeepsTheInterlock)
{
    dispatch(effSetProgram, 0, 5);
    effect->setParameter(kScPreview, 1.0f);
    effect->setParameter(kDelta, 1.0f); // switches SC Preview back off in program 5
    dispatch(effSetProgram, 0, 0);
    EXPECT_FALSE(effect->getEngine().getDelta());
    dispatch(effSetProgram, 0, 5);
    EXPECT_TRUE(effect->getEngine().getDelta());
    EXPECT_FALSE(effect->getEngine().getSideChainPreview());
    EXPECT_EQ(effect->getParameter(kScPreview), 0.0f);
    EXPECT_FALSE(effect->isBypassed());
}

TEST_F(Programs, NamesAreCutToTwentyFourCharacters)
{
    char longName[] = "abcdefghijklmnopqrstuvwxyz0123"; // 30 characters
    dispatch(effSetProgramName, 0, 0, longName);
    char name[64];
    std::memset(name, 'X', sizeof name);
    dispatch(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(name[25], 'X'); // at most 25 bytes written

    char shortName[] = "Mine";
    dispatch(effSetProgramName, 0, 0, shortName);
    EXPECT_EQ(programName(0), "Mine");
    EXPECT_EQ(programName(1), "Upward Comp. Reset"); // other programs keep theirs
}

TEST_F(Programs, NullNameBuffersAreIgnored)
{
    EXPECT_EQ(dispatch(effSetProgramName), 0);
    EXPECT_EQ(dispatch(effGetProgramName), 0);
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 1), 0);
    EXPECT_EQ(programName(0), "Downward Comp. Reset");
}
