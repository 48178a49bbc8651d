// A host gone wrong: every opcode of the interface and beyond, with random indices, values,
// floats (NaN and infinities among them) and a scratch buffer behind the pointer, many times
// over. The effect must survive it and still make finite sound afterwards.

#include "Platform.h"
#include "VstInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{

using Entry = AEffect* (*)(audioMasterCallback);

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

float randomFloat(std::mt19937& rng)
{
    static const float specials[] = {0.0f,
                                     1.0f,
                                     -1.0f,
                                     0.5f,
                                     1e30f,
                                     -1e30f,
                                     std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     std::numeric_limits<float>::denorm_min()};
    if (rng() % 3 == 0) return specials[rng() % (sizeof specials / sizeof *specials)];
    return std::uniform_real_distribution<float>(-2.0f, 2.0f)(rng);
}

VstInt32 randomIndex(std::mt19937& rng)
{
    static const VstInt32 specials[] = {-1,
                                        0,
                                        1,
                                        8,
                                        9,
                                        20,
                                        21,
                                        500,
                                        506,
                                        507,
                                        std::numeric_limits<VstInt32>::max(),
                                        std::numeric_limits<VstInt32>::min()};
    if (rng() % 2 == 0) return specials[rng() % (sizeof specials / sizeof *specials)];
    return static_cast<VstInt32>(rng() % 64) - 8;
}

// Opcodes whose arguments the interface defines as things a host must get right: closing
// destroys the effect, opening the editor takes a window, and the speaker-arrangement query
// writes through `value`. They get arguments of the right kind, not random ones.
bool isStructural(VstInt32 opcode)
{
    return opcode == effClose || opcode == effEditOpen || opcode == effGetSpeakerArrangement;
}

TEST(DispatcherFuzz, RandomCallsNeitherCrashNorPoisonTheSound)
{
    std::string error;
    void* library = ofchost::platform::loadLibrary(OFC_PLUGIN_PATH, error);
    ASSERT_NE(library, nullptr) << error;
    auto entry = reinterpret_cast<Entry>(ofchost::platform::findSymbol(library, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    AEffect* effect = entry(host);
    ASSERT_NE(effect, nullptr);

    std::mt19937 rng(20261208);
    std::vector<char> scratch(4096);
    void* arrangements[2] = {};
    for (int call = 0; call < 60000; ++call)
    {
        for (char& c : scratch)
            c = static_cast<char>(rng() % 2 ? 0 : rng());
        scratch.back() = 0;
        const VstInt32 opcode = static_cast<VstInt32>(rng() % 90) - 5;
        if (isStructural(opcode))
        {
            if (opcode == effGetSpeakerArrangement)
                effect->dispatcher(effect, opcode, 0, reinterpret_cast<VstIntPtr>(&arrangements[0]),
                                   &arrangements[1], 0.0f);
            continue;
        }
        void* ptr = rng() % 8 == 0 ? nullptr : scratch.data();
        const VstIntPtr value = static_cast<VstIntPtr>(rng() % 4 == 0 ? rng() : rng() % 16);
        effect->dispatcher(effect, opcode, randomIndex(rng), value, ptr, randomFloat(rng));
        if (call % 3 == 0) effect->setParameter(effect, randomIndex(rng), randomFloat(rng));
        if (call % 5 == 0) (void)effect->getParameter(effect, randomIndex(rng));
    }

    // Whatever state that left, a sane host setting things right gets finite audio again.
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
    effect->dispatcher(effect, effSetProgram, 0, 4, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> left(256), right(256), outLeft(256), outRight(256);
    float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    bool finite = true;
    for (int block = 0; block < 40; ++block)
    {
        for (int i = 0; i < 256; ++i)
            left[i] = right[i] = 0.5f * std::sin(0.05f * float(block * 256 + i));
        effect->processReplacing(effect, inputs, outputs, 256);
        for (int i = 0; i < 256; ++i)
            finite = finite && std::isfinite(outLeft[i]) && std::isfinite(outRight[i]);
    }
    EXPECT_TRUE(finite);
    for (VstInt32 index = 0; index < effect->numParams; ++index)
        EXPECT_TRUE(std::isfinite(effect->getParameter(effect, index))) << index;

    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    ofchost::platform::unloadLibrary(library);
}

} // namespace
