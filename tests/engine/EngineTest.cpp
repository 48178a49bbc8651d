#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace enginetest;

namespace
{
class EnginePaths : public ::testing::TestWithParam<double>
{
};
} // namespace

INSTANTIATE_TEST_SUITE_P(Rates, EnginePaths, ::testing::Values(44100.0, 96000.0));

TEST_P(EnginePaths, ImpulseComesOutExactlyOneLatencyLater)
{
    CompressorEngine e;
    e.setSampleRate(GetParam());
    transparent(e);
    const double a = ditherAmplitude();
    const auto out = run(e, 600,
                         [](int i, double& l, double& r)
                         {
                             l = i == 0 ? 1.0 : 0.0;
                             r = i == 0 ? -0.5 : 0.0;
                         });
    for (int i = 0; i < 600; ++i)
    {
        const double wantL = i == CompressorEngine::kLatency ? 1.0 : 0.0;
        const double wantR = i == CompressorEngine::kLatency ? -0.5 : 0.0;
        // dither lies in -A..3A; the residue of the difference path stays below 1e-9
        ASSERT_GE(out[i].l - wantL, -a - 1e-9) << i;
        ASSERT_LE(out[i].l - wantL, 3 * a + 1e-9) << i;
        ASSERT_GE(out[i].r - wantR, -a - 1e-9) << i;
        ASSERT_LE(out[i].r - wantR, 3 * a + 1e-9) << i;
    }
}

// Frame f's dither is entry f mod 50000 + 1 of one table plus entry f mod 49999 + 1 of the
// other, however the frames come: one at a time, or in blocks that cross both wraps.
TEST_P(EnginePaths, SilenceGivesTheDitherAlone)
{
    const NoiseTables& tables = NoiseTables::shared();
    const double a = ditherAmplitude();
    const int frames = 100100;
    for (int block : {1, 999})
    {
        CompressorEngine e;
        e.setSampleRate(GetParam());
        e.setThreshold(-40.0);
        e.setRatio(0.0);
        std::vector<double> l(frames, 0.0), r(frames, 0.0);
        CompressorEngine::Meters m;
        for (int first = 0; first < frames; first += block)
            e.process(&l[first], &r[first], std::min(block, frames - first), m);
        double sum = 0.0;
        for (int f = 0; f < frames; ++f)
        {
            const double dither = tables.ditherA[f % NoiseTables::kDitherCycleA + 1] +
                                  tables.ditherB[f % NoiseTables::kDitherCycleB + 1];
            ASSERT_NEAR(l[f], dither, 1e-15) << block << " " << f;
            ASSERT_NEAR(r[f], dither, 1e-15) << block << " " << f;
            sum += l[f];
        }
        EXPECT_NEAR(sum / frames, a, 0.02 * a);
    }
}

TEST_P(EnginePaths, SilenceSettlesAtTheDetectorFloor)
{
    struct Case
    {
        double detection, slow, fast;
    } cases[] = {{0.0, -69.988, -73.988}, {10.0, -69.988, -70.588}, {600.0, -69.988, -70.588}};
    for (const Case& c : cases)
    {
        CompressorEngine e;
        e.setSampleRate(GetParam());
        e.setDetection(c.detection);
        const auto out = run(e, static_cast<int>(GetParam()), silence());
        EXPECT_NEAR(out.back().slow, c.slow, 0.001) << c.detection;
        EXPECT_NEAR(out.back().fast, c.fast, 0.001) << c.detection;
        EXPECT_NEAR(out.back().gain, 1.0, 1e-9);
    }
}

// Feedback: the detector hears the output, whose level is the input level L plus the gain G.
// With the knee at 0, equal attack and release (no bias) and the slow path off, the steady
// state is G = (L + G - offset - T)(r - 1), so G = (L - offset - T)(r - 1) / (2 - r). The
// detector averages the level in dB of the squared sine: 20 log10(amplitude) - 20 log10(2).
TEST_P(EnginePaths, SteadyGainReductionOfASineFollowsTheFeedbackCurve)
{
    const double rate = GetParam();
    for (double ratio : {0.5, 0.0, -1.0})
    {
        CompressorEngine e;
        e.setSampleRate(rate);
        e.setDetection(60.0); // RMS, offset 0.6 dB
        e.setThreshold(-30.0);
        e.setKnee(0.0);
        e.setRatio(ratio);
        e.setAttack(100.0);
        e.setRelease(100.0);
        e.setReleaseSlow(100.0);
        e.setMixDry(0.0);
        e.setMakeUpGain(1.0);
        const double amplitude = 0.5;
        const int frames = static_cast<int>(2.5 * rate);
        const auto out = run(e, frames, sine(amplitude, 1000.0, rate));

        const double level = 20.0 * std::log10(amplitude) - 20.0 * std::log10(2.0);
        const double expected = (level - 0.6 + 30.0) * (ratio - 1.0) / (2.0 - ratio);
        double gainDb = 0.0, inPower = 0.0, outPower = 0.0;
        const int tail = static_cast<int>(0.25 * rate);
        for (int i = frames - tail; i < frames; ++i)
        {
            gainDb += 20.0 * std::log10(out[i].gain);
            const double x =
                amplitude * std::sin(kTwoPi * 1000.0 * (i - CompressorEngine::kLatency) / rate);
            inPower += x * x;
            outPower += out[i].l * out[i].l;
        }
        EXPECT_NEAR(gainDb / tail, expected, 0.1) << "ratio slope " << ratio;
        EXPECT_NEAR(10.0 * std::log10(outPower / inPower), expected, 0.1) << "ratio " << ratio;
    }
}

TEST_P(EnginePaths, DryAndMakeUpAddInParallel)
{
    CompressorEngine e;
    e.setSampleRate(GetParam());
    transparent(e);
    e.setMixDry(0.5);
    e.setMakeUpGain(2.0);
    const auto out = run(e, 400, sine(0.25, 500.0, GetParam()));
    for (int i = 200; i < 400; ++i)
    {
        const double x =
            0.25 * std::sin(kTwoPi * 500.0 * (i - CompressorEngine::kLatency) / GetParam());
        ASSERT_NEAR(out[i].l, 2.5 * x, 1e-6);
    }
}

TEST_P(EnginePaths, DeltaWithoutCompressionIsTheDitherAlone)
{
    CompressorEngine e;
    e.setSampleRate(GetParam());
    transparent(e);
    e.setDelta(true);
    const double a = ditherAmplitude();
    const auto out = run(e, 2000, sine(0.9, 300.0, GetParam()));
    for (const Frame& f : out)
    {
        ASSERT_GE(f.l, -a - 1e-9);
        ASSERT_LE(f.l, 3 * a + 1e-9);
    }

    // With HF harmonics on, Delta carries the colouring terms.
    e.setHfHarmonics(true);
    e.setHfAmount(1.0);
    double peak = 0.0;
    for (const Frame& f : run(e, 2000, sine(0.9, 3000.0, GetParam())))
        peak = std::max(peak, std::fabs(f.l));
    EXPECT_GT(peak, 1e-3);
}

TEST_P(EnginePaths, HarmonicsSwitchedOnWithZeroAmountChangeNothing)
{
    CompressorEngine plain, coloured;
    for (CompressorEngine* e : {&plain, &coloured})
    {
        e->setSampleRate(GetParam());
        e->setThreshold(-20.0);
        e->setRatio(0.3);
    }
    coloured.setHfHarmonics(true);
    coloured.setLfHarmonics(true);
    const auto a = run(plain, 3000, sine(0.7, 220.0, GetParam()));
    const auto b = run(coloured, 3000, sine(0.7, 220.0, GetParam()));
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(a[i].l, b[i].l) << i;
}

TEST_P(EnginePaths, ResetClearsTheAudioStateButNotTheSettings)
{
    CompressorEngine fresh, used;
    for (CompressorEngine* e : {&fresh, &used})
    {
        e->setSampleRate(GetParam());
        e->setThreshold(-30.0);
        e->setRatio(0.0);
        e->setHfHarmonics(true);
        e->setHfAmount(0.5);
    }
    run(used, 5000, sine(0.9, 440.0, GetParam()));
    used.reset();
    EXPECT_EQ(used.getThreshold(), -30.0);
    const auto a = run(fresh, 3000, sine(0.5, 300.0, GetParam()));
    const auto b = run(used, 3000, sine(0.5, 300.0, GetParam()));
    EXPECT_NEAR(b[0].gain, 1.0, 1e-9);
    // Only the dither position differs: reset keeps it running.
    const double a4 = 4 * ditherAmplitude();
    for (int i = 0; i < 3000; ++i)
    {
        ASSERT_NEAR(a[i].l, b[i].l, a4 + 1e-12) << i;
        ASSERT_NEAR(a[i].gain, b[i].gain, 1e-9) << i;
    }
}

TEST(Engine, PreviewIsUndelayedWhenOversampledAndDelayedWhenDirect)
{
    for (double rate : {44100.0, 96000.0})
    {
        CompressorEngine e;
        e.setSampleRate(rate);
        e.setSideChainPreview(true);
        const auto out =
            run(e, 300, [](int i, double& l, double& r) { l = r = i == 0 ? 1.0 : 0.0; });
        const int at = rate < 70000.0 ? 0 : latency::kDifferenceDelay;
        // The 20 Hz high-pass passes the impulse with b0 just below 1.
        EXPECT_NEAR(out[at].l, 1.0, 2e-3) << rate;
        for (int i = 0; i < at; ++i)
            EXPECT_LT(std::fabs(out[i].l), 1e-6) << rate;
    }
}

TEST(Engine, PreviewHighPassRemovesDcWithTheShelvesOnlyTilting)
{
    CompressorEngine e;
    e.setSampleRate(44100.0);
    e.setSideChainPreview(true);
    auto dc = [](int, double& l, double& r) { l = r = 0.5; };
    EXPECT_LT(std::fabs(run(e, 44100, dc).back().l), 1e-3);
    e.setSideChainType(0.5f); // "3 dB/oct": the preview shelves leave -19.8 dB of DC
    const double level = run(e, 44100, dc).back().l;
    EXPECT_NEAR(20.0 * std::log10(level / 0.5), -19.8, 0.05);
}

// The preview high-pass is designed for the internal rate but runs on host-rate frames, so when
// oversampled its corner lies at half the nominal 20 Hz; in the direct path it is 20 Hz.
TEST(Engine, PreviewHighPassCornerFollowsTheRateItRunsAt)
{
    auto peakOf = [](double rate, double hz)
    {
        CompressorEngine e;
        e.setSampleRate(rate);
        e.setSideChainPreview(true);
        const int frames = static_cast<int>(3 * rate);
        const auto out = run(e, frames, sine(1.0, hz, rate));
        double peak = 0.0;
        for (int i = frames - static_cast<int>(rate); i < frames; ++i)
            peak = std::max(peak, std::fabs(out[i].l));
        return peak;
    };
    const double half = std::sqrt(0.5);
    EXPECT_NEAR(peakOf(44100.0, 10.0), half, 0.01);
    EXPECT_NEAR(peakOf(44100.0, 20.0), 1.0 / std::sqrt(1.25), 0.01);
    EXPECT_NEAR(peakOf(96000.0, 20.0), half, 0.01);
}

TEST(Engine, PathChoiceRatesAt70000)
{
    CompressorEngine e;
    EXPECT_EQ(e.getHostRate(), 44100.0);
    EXPECT_EQ(e.getInternalRate(), 44100.0);
    e.setSampleRate(69999.0);
    EXPECT_EQ(e.getInternalRate(), 139998.0);
    e.setSampleRate(70000.0);
    EXPECT_EQ(e.getInternalRate(), 70000.0);
    EXPECT_EQ(e.getHostRate(), 70000.0);
}

TEST(Engine, DirectPathStartsWithOneLatencyOfDitherAfterReset)
{
    CompressorEngine e;
    e.setSampleRate(96000.0);
    run(e, 1000, sine(0.9, 100.0, 96000.0));
    e.reset();
    const double a = ditherAmplitude();
    const auto out = run(e, CompressorEngine::kLatency, sine(0.9, 100.0, 96000.0));
    for (const Frame& f : out)
    {
        ASSERT_GE(f.l, -a);
        ASSERT_LE(f.l, 3 * a);
    }
}

// The engine keeps two-channel vector states; on a heap whose blocks are only 8-byte aligned
// (32-bit Windows) a plain new puts them where vector loads fault, so engines made between
// allocations of odd sizes must all run their colourings.
TEST(Engine, EnginesMadeAmongOddAllocationsRunTheirColourings)
{
    std::vector<std::unique_ptr<char[]>> odd;
    std::vector<std::unique_ptr<CompressorEngine>> engines;
    for (int i = 0; i < 16; ++i)
    {
        odd.emplace_back(new char[8 * static_cast<std::size_t>(i) + 4]);
        engines.push_back(std::make_unique<CompressorEngine>());
        engines.back()->setHfHarmonics(true);
        engines.back()->setLfHarmonics(true);
        const auto out =
            enginetest::run(*engines.back(), 200, enginetest::sine(0.5, 440.0, 44100.0));
        EXPECT_TRUE(std::isfinite(out.back().l));
    }
}

// A setting changed between blocks reaches the next block as if made before the first, and
// process runs the path of the new rate: the same bits as the caller's choice of path gives an
// engine set so from the start. Each change is heard, or its case would prove nothing.
TEST(Engine, SettingChangedBetweenBlocksEqualsTheSameSettingFromTheStart)
{
    using Change = void (*)(CompressorEngine&);
    const Change changes[] = {
        [](CompressorEngine& e) { e.setSampleRate(96000.0); },
        [](CompressorEngine& e) { e.setDetection(600.0); },
        [](CompressorEngine& e) { e.setSideChainType(1.0f); },
        [](CompressorEngine& e) { e.setSideChainFrequency(250.0f); },
        [](CompressorEngine& e) { e.setSideChainPreview(true); },
        [](CompressorEngine& e) { e.setThreshold(-35.0); },
        [](CompressorEngine& e) { e.setKnee(12.0); },
        [](CompressorEngine& e) { e.setRatio(-1.0); },
        [](CompressorEngine& e) { e.setAttack(1.0); },
        [](CompressorEngine& e) { e.setRelease(400.0); },
        [](CompressorEngine& e) { e.setReleaseSlow(1500.0); },
        [](CompressorEngine& e) { e.setMixDry(0.5); },
        [](CompressorEngine& e) { e.setMakeUpGain(2.0); },
        [](CompressorEngine& e) { e.setHfHarmonics(true); },
        [](CompressorEngine& e) { e.setLfAmount(0.9); },
        [](CompressorEngine& e) { e.setDelta(true); },
    };
    for (std::size_t c = 0; c < std::size(changes); ++c)
    {
        CompressorEngine later, fromStart, unchanged;
        for (CompressorEngine* e : {&later, &fromStart, &unchanged})
        {
            e->setSampleRate(48000.0);
            e->setThreshold(-20.0);
            e->setRatio(0.3);
            e->setSideChainType(0.5f);
            e->setLfHarmonics(true);
            e->setHfAmount(0.5);
        }
        changes[c](fromStart);
        for (CompressorEngine* e : {&later, &fromStart, &unchanged})
            run(*e, 500, silence());
        changes[c](later);
        const auto output = renderAfterReset(later, true);
        EXPECT_EQ(output, renderAfterReset(fromStart, false)) << "change " << c;
        EXPECT_NE(output, renderAfterReset(unchanged, true)) << "change " << c;
    }
}
