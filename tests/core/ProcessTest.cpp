#include "FakeEditor.h"
#include "VstTemplate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>
#include <vector>
#include <xmmintrin.h>

namespace
{

template <typename Sample> struct StereoBuffers
{
    explicit StereoBuffers(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {}
    Sample* in[2];
    Sample* out[2];
    std::vector<Sample> inL, inR, outL, outR;
    Sample** inputs()
    {
        in[0] = inL.data();
        in[1] = inR.data();
        return in;
    }
    Sample** outputs()
    {
        out[0] = outL.data();
        out[1] = outR.data();
        return out;
    }
};

std::unique_ptr<VstTemplate> resumedEffect(float rate)
{
    auto effect = makeEffect();
    effect->setSampleRate(rate);
    effect->resume();
    return effect;
}

// With Bypass on, the output is the input of exactly one latency earlier, bit for bit,
// whichever path the rate selects and however the frames are cut into blocks.
template <typename Sample> void checkBypassDelay(float rate, int blockLength)
{
    auto effect = resumedEffect(rate);
    effect->setParameter(kBypass, 1.0f);
    const int frames = 400;
    StereoBuffers<Sample> b(frames);
    b.inL[0] = Sample(1);
    b.inR[0] = Sample(-0.5);
    b.inL[200] = Sample(0.25);
    for (int start = 0; start < frames; start += blockLength)
    {
        const int n = std::min(blockLength, frames - start);
        Sample* in[2] = {b.inL.data() + start, b.inR.data() + start};
        Sample* out[2] = {b.outL.data() + start, b.outR.data() + start};
        effect->processReplacing(nullptr, nullptr, 0); // interleaved empty calls change nothing
        if constexpr (std::is_same_v<Sample, float>)
            effect->processReplacing(in, out, n);
        else
            effect->processDoubleReplacing(in, out, n);
    }
    const int late = VstTemplate::kLatencyFrames;
    for (int i = 0; i < frames; ++i)
    {
        const Sample expectL = i == late ? Sample(1) : (i == 200 + late ? Sample(0.25) : Sample(0));
        const Sample expectR = i == late ? Sample(-0.5) : Sample(0);
        ASSERT_EQ(b.outL[i], expectL) << "frame " << i;
        ASSERT_EQ(b.outR[i], expectR) << "frame " << i;
    }
}

} // namespace

TEST(Process, BypassDelaysTheInputByTheLatencyExactly)
{
    checkBypassDelay<float>(44100.0f, 400);
    checkBypassDelay<double>(44100.0f, 400);
    checkBypassDelay<float>(96000.0f, 7); // direct path, short blocks
    checkBypassDelay<double>(96000.0f, 1);
}

TEST(Process, InPlaceBuffersWork)
{
    auto effect = resumedEffect(48000.0f);
    effect->setParameter(kBypass, 1.0f);
    std::vector<float> l(300, 0.0f), r(300, 0.0f);
    l[10] = 0.5f;
    float* io[2] = {l.data(), r.data()};
    effect->processReplacing(io, io, 300);
    EXPECT_EQ(l[161], 0.5f);
    EXPECT_EQ(l[10], 0.0f);
}

TEST(Process, FloatAndDoubleBlocksAgreeUpToFloatRounding)
{
    auto single = resumedEffect(44100.0f);
    auto dbl = resumedEffect(44100.0f);
    const int frames = 1024;
    StereoBuffers<float> f(frames);
    StereoBuffers<double> d(frames);
    for (int i = 0; i < frames; ++i)
    {
        f.inL[i] = static_cast<float>(0.5 * std::sin(0.05 * i));
        f.inR[i] = static_cast<float>(0.3 * std::cos(0.031 * i));
        d.inL[i] = f.inL[i];
        d.inR[i] = f.inR[i];
    }
    single->processReplacing(f.inputs(), f.outputs(), frames);
    dbl->processDoubleReplacing(d.inputs(), d.outputs(), frames);
    for (int i = 0; i < frames; ++i)
    {
        ASSERT_EQ(f.outL[i], static_cast<float>(d.outL[i])) << i;
        ASSERT_EQ(f.outR[i], static_cast<float>(d.outR[i])) << i;
    }
    EXPECT_TRUE(std::isfinite(single->getParameter(501)));
    EXPECT_EQ(single->getParameter(501), dbl->getParameter(501));
}

TEST(Process, CallersControlRegisterIsRestored)
{
    auto effect = resumedEffect(44100.0f);
    StereoBuffers<float> f(64);
    StereoBuffers<double> d(64);
    std::fill(f.inL.begin(), f.inL.end(), 1e-39f); // denormal input, flushed inside the block
    const unsigned original = _mm_getcsr();
    // Round toward zero, all exceptions masked and no status flags: an unusual value that the
    // block must hand back as it found it, even though its own arithmetic raises flags.
    const unsigned callers = 0x1F80u | 0x6000u;
    _mm_setcsr(callers);
    effect->processReplacing(f.inputs(), f.outputs(), 64);
    const unsigned afterFloat = _mm_getcsr();
    _mm_setcsr(callers);
    effect->processDoubleReplacing(d.inputs(), d.outputs(), 64);
    const unsigned afterDouble = _mm_getcsr();
    _mm_setcsr(original);
    EXPECT_EQ(afterFloat, callers);
    EXPECT_EQ(afterDouble, callers);
}

// The engine rounds to nearest whatever mode the caller left: the same input gives the same
// bits under each of the four rounding modes.
TEST(Process, TheCallersRoundingModeDoesNotChangeTheSound)
{
    std::vector<double> reference;
    const unsigned original = _mm_getcsr();
    for (unsigned mode : {0x0000u, 0x2000u, 0x4000u, 0x6000u})
    {
        auto effect = resumedEffect(44100.0f);
        StereoBuffers<double> d(2048);
        for (int i = 0; i < 2048; ++i)
            d.inL[i] = d.inR[i] = 0.8 * std::sin(0.05 * i);
        _mm_setcsr((original & ~0x6000u) | mode);
        effect->processDoubleReplacing(d.inputs(), d.outputs(), 2048);
        _mm_setcsr(original);
        if (reference.empty())
            reference = d.outL;
        else
            EXPECT_EQ(d.outL, reference) << "rounding mode " << mode;
    }
}

TEST(Process, MissingBuffersAndEmptyBlocksAreHarmless)
{
    auto effect = resumedEffect(44100.0f);
    StereoBuffers<float> b(32);
    for (auto* v : {&b.outL, &b.outR})
        std::fill(v->begin(), v->end(), 7.0f);

    effect->processReplacing(b.inputs(), b.outputs(), 0);
    effect->processReplacing(b.inputs(), b.outputs(), -5);
    EXPECT_EQ(b.outL[0], 7.0f); // no frames, nothing written

    effect->processReplacing(nullptr, nullptr, 32);
    effect->processReplacing(b.inputs(), nullptr, 32);
    float* halfOut[2] = {b.outL.data(), nullptr};
    effect->processReplacing(b.inputs(), halfOut, 32);
    double* noChannels[2] = {nullptr, nullptr};
    effect->processDoubleReplacing(noChannels, noChannels, 32);

    // Without input, the outputs that exist get silence rather than stale samples.
    float* halfIn[2] = {b.inL.data(), nullptr};
    effect->processReplacing(halfIn, b.outputs(), 32);
    EXPECT_EQ(b.outL[31], 0.0f);
    EXPECT_EQ(b.outR[0], 0.0f);
}

TEST(Process, BlocksLongerThanTheAnnouncedSizeAreFine)
{
    auto effect = resumedEffect(44100.0f);
    effect->setBlockSize(64);
    effect->setParameter(kBypass, 1.0f);
    StereoBuffers<double> b(10000);
    b.inL[9000] = 1.0;
    effect->processDoubleReplacing(b.inputs(), b.outputs(), 10000);
    EXPECT_EQ(b.outL[9000 + VstTemplate::kLatencyFrames - 1], 0.0);
    EXPECT_EQ(b.outL[9000 + VstTemplate::kLatencyFrames], 1.0);
}

TEST(Process, SuspendPutsTheMetersAtRestAndEmptiesTheBypassDelay)
{
    auto effect = resumedEffect(44100.0f);
    effect->setParameter(kBypass, 1.0f);
    StereoBuffers<float> b(100);
    std::fill(b.inL.begin(), b.inL.end(), 1.0f);
    effect->processReplacing(b.inputs(), b.outputs(), 100);
    effect->suspend();
    EXPECT_EQ(effect->getParameter(501), 1.0f);
    EXPECT_EQ(effect->getParameter(502), -100.0f);
    EXPECT_EQ(effect->getParameter(503), -100.0f);
    effect->resume();
    StereoBuffers<float> silent(VstTemplate::kLatencyFrames);
    effect->processReplacing(silent.inputs(), silent.outputs(), VstTemplate::kLatencyFrames);
    for (float s : silent.outL)
        ASSERT_EQ(s, 0.0f); // the 100 ones before suspend are gone
}
