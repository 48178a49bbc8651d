// Setters on other threads while the audio thread processes. Run under ThreadSanitizer in CI:
// every value crossing threads is an atomic, and only the audio thread designs.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <string>
#include <thread>

namespace
{
void automate(CompressorEngine& e, int step)
{
    const double v = (step % 13) / 12.0;
    e.setDetection(step % 3 == 0 ? 0.0 : (step % 3 == 1 ? 600.0 : 2.0 + 58.0 * v));
    e.setSideChainType(static_cast<float>(v));
    e.setSideChainFrequency(static_cast<float>(30.0 + 270.0 * v));
    e.setSideChainPreview(step % 17 == 0);
    e.setThreshold(-50.0 * v);
    e.setKnee(20.0 * v);
    e.setRatio(v > 0.9 ? -4.0 : 1.0 - v);
    e.setAttack(0.1 + 500.0 * v * v * v);
    e.setRelease(0.1 + 2000.0 * v * v * v);
    e.setReleaseSlow(0.1 + 2000.0 * (1.0 - v));
    e.setMixDry(v);
    e.setMakeUpGain(0.5 + v);
    e.setHfHarmonics(step % 2 == 0);
    e.setLfHarmonics(step % 4 < 2);
    e.setHfAmount(v * v);
    e.setLfAmount(1.0 - v);
    e.setDelta(step % 19 == 0);
    e.setSampleRate(step % 3 ? 44100.0 : 96000.0);
    (void)e.getThreshold();
    (void)e.getInternalRate();
}

// Every stored setting, exactly.
std::string stored(const CompressorEngine& e)
{
    char text[512];
    std::snprintf(text, sizeof text, "%a %a %a %a %a %a %a %a %a %a %a %a %a %a %d %d %d %d %d",
                  e.getHostRate(), e.getInternalRate(), e.getDetection(), e.getThreshold(),
                  e.getKnee(), e.getRatio(), e.getAttack(), e.getRelease(), e.getReleaseSlow(),
                  e.getMixDry(), e.getMakeUpGain(), e.getHfAmount(), e.getLfAmount(),
                  e.getSideChainFrequency(), e.getSideChainType(), e.getSideChainPreview(),
                  e.getHfHarmonics(), e.getLfHarmonics(), e.getDelta());
    return text;
}
} // namespace

TEST(EngineThreads, SettersOnOtherThreadsWhileProcessing)
{
    CompressorEngine e;
    e.setSampleRate(44100.0);
    std::atomic<bool> done{false};
    std::atomic<long> frames{0};

    std::thread audio(
        [&]
        {
            double gain, fast, slow;
            long n = 0;
            bool finite = true;
            while (!done.load(std::memory_order_relaxed) || n < 20000)
            {
                double l = 0.5 * std::sin(0.03 * n), r = 0.5 * std::cos(0.021 * n);
                e.processFrameOversampled(l, r, gain, fast, slow);
                finite = finite && std::isfinite(l) && std::isfinite(r) && std::isfinite(gain);
                ++n;
            }
            frames.store(n);
            EXPECT_TRUE(finite);
        });
    std::thread second(
        [&]
        {
            for (int step = 0; !done.load(std::memory_order_relaxed); ++step)
            {
                e.setKnee(step % 20);
                e.setSideChainFrequency(static_cast<float>(30 + step % 270));
            }
        });
    for (int step = 0; step < 3000; ++step)
        automate(e, step);
    done.store(true);
    audio.join();
    second.join();
    EXPECT_GE(frames.load(), 20000);

    // The last setting wins once the audio thread has picked it up.
    e.setThreshold(-12.5);
    EXPECT_EQ(e.getThreshold(), -12.5);
}

// Two threads call every setter as fast as they can while the audio thread runs blocks, then both
// set the same final values. Once all have stopped, those are in force: the getters, and a render
// through process, equal those of an engine set to them from the start.
TEST(EngineThreads, RacingSettersLeaveTheLastValuesInForce)
{
    CompressorEngine e;
    std::atomic<int> blocks{0}, racing{2};
    long frames = 0;
    bool finite = true;
    std::thread audio(
        [&]
        {
            double l[64], r[64];
            CompressorEngine::Meters m;
            for (; blocks < 3000 || racing > 0; ++blocks, frames += 64)
            {
                for (int i = 0; i < 64; ++i)
                    l[i] = r[i] = 0.8 * std::sin(0.02 * (frames + i));
                e.process(l, r, 64, m);
                finite = finite &&
                         std::isfinite(std::accumulate(r, r + 64, std::accumulate(l, l + 64, 0.0)));
            }
        });
    const auto race = [&](int step)
    {
        for (; blocks < 2000; ++step)
            automate(e, step);
        automate(e, 5);
        --racing;
    };
    std::thread a(race, 0), b(race, 7);
    a.join();
    b.join();
    audio.join();
    EXPECT_TRUE(finite);

    CompressorEngine fresh;
    automate(fresh, 5);
    enginetest::run(fresh, static_cast<int>(frames), enginetest::silence()); // for the dither
    EXPECT_EQ(stored(e), stored(fresh));
    EXPECT_EQ(enginetest::renderAfterReset(e, true), enginetest::renderAfterReset(fresh, false));
}
