// One thread automates every setting while another processes audio; a third designs at the same
// time. Run under ThreadSanitizer in CI: every value crossing threads is an atomic, and every
// coefficient set is handed over whole.
#include "CompressorEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
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
    (void)e.getThreshold();
    (void)e.getInternalRate();
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
