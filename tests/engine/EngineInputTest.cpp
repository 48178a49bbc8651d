#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace enginetest;

namespace
{
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(EngineSettings, ValuesInRangeReadBackExactly)
{
    CompressorEngine e;
    e.setThreshold(-25.0);
    e.setKnee(3.2);
    e.setRatio(0.5);
    e.setAttack(14.99);
    e.setRelease(153.6);
    e.setReleaseSlow(250.1);
    e.setDetection(16.5);
    e.setSideChainFrequency(89.3f);
    e.setSideChainType(0.69f);
    e.setMixDry(0.001);
    e.setMakeUpGain(7.943282347242816);
    e.setHfAmount(0.25);
    e.setLfAmount(1.0);
    e.setSideChainPreview(true);
    e.setDelta(true);
    e.setHfHarmonics(true);
    e.setLfHarmonics(true);
    EXPECT_EQ(e.getThreshold(), -25.0);
    EXPECT_EQ(e.getKnee(), 3.2);
    EXPECT_EQ(e.getRatio(), 0.5);
    EXPECT_EQ(e.getAttack(), 14.99);
    EXPECT_EQ(e.getRelease(), 153.6);
    EXPECT_EQ(e.getReleaseSlow(), 250.1);
    EXPECT_EQ(e.getDetection(), 16.5);
    EXPECT_EQ(e.getSideChainFrequency(), static_cast<double>(89.3f));
    EXPECT_EQ(e.getSideChainType(), 1);
    EXPECT_EQ(e.getMixDry(), 0.001);
    EXPECT_EQ(e.getMakeUpGain(), 7.943282347242816);
    EXPECT_EQ(e.getHfAmount(), 0.25);
    EXPECT_EQ(e.getLfAmount(), 1.0);
    EXPECT_TRUE(e.getSideChainPreview() && e.getDelta() && e.getHfHarmonics() &&
                e.getLfHarmonics());
}

TEST(EngineSettings, ConstructionDefaults)
{
    CompressorEngine e;
    EXPECT_EQ(e.getThreshold(), 10.0);
    EXPECT_EQ(e.getRatio(), 1.0);
    EXPECT_EQ(e.getKnee(), 0.0);
    EXPECT_EQ(e.getDetection(), 0.0);
    EXPECT_EQ(e.getSideChainFrequency(), 30.0);
    EXPECT_EQ(e.getSideChainType(), 0);
    EXPECT_EQ(e.getMakeUpGain(), 1.0);
    EXPECT_EQ(e.getMixDry(), 1.0);
}

TEST(EngineSettings, SideChainTypeThresholds)
{
    CompressorEngine e;
    const struct
    {
        float v;
        int type;
    } cases[] = {{0.29f, 0}, {0.3f, 1}, {0.69f, 1}, {0.7f, 2}, {-3.0f, 0}, {5.0f, 2}};
    for (const auto& c : cases)
    {
        e.setSideChainType(c.v);
        EXPECT_EQ(e.getSideChainType(), c.type) << c.v;
    }
}

TEST(EngineSettings, OutOfRangeValuesAreClampedAndNonFiniteOnesIgnored)
{
    CompressorEngine e;
    e.setThreshold(-80.0);
    EXPECT_EQ(e.getThreshold(), -50.0);
    e.setThreshold(12.0);
    EXPECT_EQ(e.getThreshold(), 0.0);
    e.setRatio(-100.0);
    EXPECT_EQ(e.getRatio(), -4.0);
    e.setRatio(3.0);
    EXPECT_EQ(e.getRatio(), 1.0);
    e.setKnee(-1.0);
    EXPECT_EQ(e.getKnee(), 0.0);
    e.setAttack(0.0);
    EXPECT_EQ(e.getAttack(), 0.1);
    e.setRelease(1e9);
    EXPECT_EQ(e.getRelease(), 2000.1);
    e.setReleaseSlow(-5.0);
    EXPECT_EQ(e.getReleaseSlow(), 0.1);
    e.setDetection(-1.0);
    EXPECT_EQ(e.getDetection(), 0.0);
    e.setDetection(1e4);
    EXPECT_EQ(e.getDetection(), 600.0);
    e.setSideChainFrequency(5.0f);
    EXPECT_EQ(e.getSideChainFrequency(), 30.0);
    e.setSideChainFrequency(1e5f);
    EXPECT_EQ(e.getSideChainFrequency(), 300.0);
    e.setMakeUpGain(100.0);
    EXPECT_EQ(e.getMakeUpGain(), 7.95);
    e.setMixDry(-1.0);
    EXPECT_EQ(e.getMixDry(), 0.0);
    e.setHfAmount(4.0);
    EXPECT_EQ(e.getHfAmount(), 1.0);

    e.setThreshold(-20.0);
    e.setKnee(6.0);
    e.setRatio(0.25);
    e.setAttack(10.0);
    e.setSideChainType(0.5f);
    e.setSideChainFrequency(100.0f);
    for (double bad : {kNaN, kInf, -kInf})
    {
        e.setThreshold(bad);
        e.setKnee(bad);
        e.setRatio(bad);
        e.setAttack(bad);
        e.setRelease(bad);
        e.setReleaseSlow(bad);
        e.setDetection(bad);
        e.setMixDry(bad);
        e.setMakeUpGain(bad);
        e.setHfAmount(bad);
        e.setLfAmount(bad);
        e.setSideChainType(static_cast<float>(bad));
        e.setSideChainFrequency(static_cast<float>(bad));
    }
    EXPECT_EQ(e.getThreshold(), -20.0);
    EXPECT_EQ(e.getKnee(), 6.0);
    EXPECT_EQ(e.getRatio(), 0.25);
    EXPECT_EQ(e.getAttack(), 10.0);
    EXPECT_EQ(e.getSideChainType(), 1);
    EXPECT_EQ(e.getSideChainFrequency(), 100.0);
    EXPECT_EQ(e.getMakeUpGain(), 7.95);
}

TEST(EngineSettings, AbsurdSampleRatesKeepTheLastValidOne)
{
    CompressorEngine e;
    e.setSampleRate(48000.0);
    for (double bad : {0.0, 1.0, -44100.0, kNaN, kInf, -kInf, 999.0, 1e7})
    {
        e.setSampleRate(bad);
        EXPECT_EQ(e.getHostRate(), 48000.0) << bad;
        EXPECT_EQ(e.getInternalRate(), 96000.0) << bad;
    }
    e.setSampleRate(1000.0);
    EXPECT_EQ(e.getInternalRate(), 2000.0);
    e.setSampleRate(768000.0);
    EXPECT_EQ(e.getInternalRate(), 768000.0);
}

TEST(EngineSettings, ANegativeRatioCannotDriveTheLoopUp)
{
    // Unclamped, a slope below -4 turns the feedback loop into a runaway gain.
    CompressorEngine e;
    e.setSampleRate(44100.0);
    e.setThreshold(-50.0);
    e.setRatio(-1e6);
    e.setMixDry(0.0);
    double peak = 0.0;
    for (const Frame& f : run(e, 44100, sine(0.9, 200.0, 44100.0)))
    {
        ASSERT_TRUE(std::isfinite(f.l));
        ASSERT_LE(f.gain, 1.0 + 1e-6);
        peak = std::max(peak, std::fabs(f.l));
    }
    EXPECT_LE(peak, 0.9 + 1e-6);
}

// NaN or infinite samples must not leave the loop poisoned. The dry delay holds a bad sample
// for kLatency frames, the two half-band histories for 152 frames each, and the recursive states
// are checked every 64 frames; kRecoveryFrames bounds the sum.
TEST(EngineInput, NonFiniteInputRecoversWithinTheBound)
{
    const double bads[] = {kNaN, kInf, -kInf};
    int worst = 0;
    for (double rate : {44100.0, 96000.0})
        for (double bad : bads)
            for (float type : {0.0f, 0.5f, 1.0f})
                for (bool extras : {false, true})
                {
                    CompressorEngine e;
                    e.setSampleRate(rate);
                    e.setThreshold(-30.0);
                    e.setRatio(0.0);
                    e.setSideChainType(type);
                    e.setHfHarmonics(extras);
                    e.setLfHarmonics(extras);
                    e.setHfAmount(1.0);
                    e.setLfAmount(1.0);
                    e.setSideChainPreview(extras && type == 0.5f);
                    const int badFrom = 2000, badTo = 2100, frames = 5000;
                    const auto source = sine(0.5, 440.0, rate);
                    const auto out = run(e, frames,
                                         [&](int i, double& l, double& r)
                                         {
                                             source(i, l, r);
                                             if (i >= badFrom && i < badTo)
                                                 l = (i % 3 == 0) ? bad : l, r = bad;
                                         });
                    int lastBad = -1;
                    for (int i = 0; i < frames; ++i)
                    {
                        ASSERT_TRUE(std::isfinite(out[i].gain));
                        if (!std::isfinite(out[i].l) || !std::isfinite(out[i].r)) lastBad = i;
                    }
                    for (int i = 0; i < badFrom; ++i)
                        ASSERT_TRUE(std::isfinite(out[i].l));
                    worst = std::max(worst, lastBad - badTo + 1);
                    ASSERT_LT(lastBad - badTo + 1, CompressorEngine::kRecoveryFrames)
                        << rate << " " << bad << " " << type << " " << extras;
                }
    RecordProperty("worstRecoveryFrames", worst);
}

// Blocks as a host sends them, and the rate crossing 70 kHz and back with no reset between:
// whatever one path's histories held while the other ran must not come out later.
TEST(EngineInput, NonFiniteInputRecoversAcrossBlocksAndPathChanges)
{
    struct Case
    {
        double first, middle;
        int block;
    };
    for (const Case c : {Case{44100.0, 96000.0, 512}, Case{96000.0, 44100.0, 512},
                         Case{44100.0, 96000.0, 37}, Case{96000.0, 48000.0, 37}})
    {
        CompressorEngine e;
        e.setSampleRate(c.first);
        e.setThreshold(-30.0);
        e.setRatio(0.0);
        e.setHfHarmonics(true);
        e.setLfHarmonics(true);
        e.setHfAmount(1.0);
        e.setLfAmount(1.0);
        int finiteSince = -1; // frames of finite input since the last non-finite one
        auto process = [&](int frames, bool bad)
        {
            for (int first = 0; first < frames; first += c.block)
            {
                const int n = std::min(c.block, frames - first);
                std::vector<double> l(n), r(n);
                for (int i = 0; i < n; ++i)
                    l[i] = r[i] = bad && i % 2 ? kNaN : 0.5 * std::sin(0.05 * (first + i));
                CompressorEngine::Meters m;
                if (e.getHostRate() < 70000.0)
                    e.processOversampled(l.data(), r.data(), n, m);
                else
                    e.processDirect(l.data(), r.data(), n, m);
                for (int i = 0; i < n; ++i)
                {
                    finiteSince = bad && i % 2 ? 0 : (finiteSince < 0 ? -1 : finiteSince + 1);
                    if (finiteSince > CompressorEngine::kRecoveryFrames)
                    {
                        ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i]))
                            << c.first << " " << c.middle << " " << c.block << ": " << finiteSince
                            << " frames after";
                    }
                }
            }
        };
        process(1000, false);
        process(300, true);
        e.setSampleRate(c.middle);
        process(1000, false);
        e.setSampleRate(c.first);
        process(2000, false);
    }
}

TEST(EngineInput, NaNBurstDoesNotLeaveTheGainStuckDown)
{
    CompressorEngine e;
    e.setSampleRate(44100.0);
    e.setThreshold(-20.0);
    e.setRatio(0.0);
    e.setRelease(50.0);
    e.setReleaseSlow(50.0);
    const auto out = run(e, 44100,
                         [](int i, double& l, double& r)
                         { l = r = (i >= 1000 && i < 1010) ? kNaN : 0.01 * std::sin(0.05 * i); });
    EXPECT_NEAR(out.back().gain, 1.0, 1e-3);
}

// At real but low host rates the 12 kHz and 2.2 kHz harmonics filters, the shelves and the
// smoothers all sit near or above the Nyquist frequency; nothing may ring up or overflow.
TEST(EngineInput, LowSampleRatesStayStableWithEverySetting)
{
    int runs = 0;
    for (double rate : {1000.0, 8000.0, 11025.0, 16000.0, 22050.0})
        for (float type : {0.0f, 0.5f, 1.0f})
            for (float freq : {30.0f, 300.0f})
                for (double detection : {0.0, 2.0, 600.0})
                    for (double ratio : {1.0, 0.0, -4.0})
                        for (double times : {0.1, 500.0})
                            for (bool harmonics : {false, true})
                            {
                                CompressorEngine e;
                                e.setSampleRate(rate);
                                e.setSideChainType(type);
                                e.setSideChainFrequency(freq);
                                e.setDetection(detection);
                                e.setThreshold(-50.0);
                                e.setKnee(20.0);
                                e.setRatio(ratio);
                                e.setAttack(times);
                                e.setRelease(times);
                                e.setReleaseSlow(times * 4);
                                e.setHfHarmonics(harmonics);
                                e.setLfHarmonics(harmonics);
                                e.setHfAmount(1.0);
                                e.setLfAmount(1.0);
                                unsigned seed = 99;
                                const auto out =
                                    run(e, 1500,
                                        [&](int, double& l, double& r)
                                        {
                                            seed = seed * 1664525u + 1013904223u;
                                            l = static_cast<int>(seed >> 8) / 8388608.0 - 1.0;
                                            r = -0.5 * l;
                                        });
                                for (const Frame& f : out)
                                {
                                    ASSERT_TRUE(std::isfinite(f.l) && std::isfinite(f.r))
                                        << rate << " " << type << " " << freq;
                                    // input peak 1, dry + make-up 2, harmonics add < 1 each
                                    ASSERT_LT(std::fabs(f.l), 6.0) << rate << " " << type;
                                    ASSERT_LE(f.gain, 1.0 + 1e-6);
                                    ASSERT_TRUE(std::isfinite(f.fast) && std::isfinite(f.slow));
                                }
                                ++runs;
                            }
    EXPECT_EQ(runs, 5 * 3 * 2 * 3 * 3 * 2 * 2);
}
