#include "OrvaneEffect.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

// The writer the hook stops, and for how long.
thread_local bool stoppable = false;
std::atomic<bool> stopped{false}, releaseWriter{false};

void stopInTheMiddle(std::int32_t)
{
    if (!stoppable || stopped.exchange(true)) return;
    while (!releaseWriter.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// Two threads write parameters as fast as they can while the audio thread processes and, as
// VST 2.4 hosts do, automates from its own thread too; one writer is stopped in the middle of a
// write for half a second. Every block still finishes long before that: nothing the audio
// thread does waits for a writer.
TEST(EffectThreads, AudioThreadNeverWaitsForAWriter)
{
    auto effect = std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>());
    effect->setSampleRate(48000.0);
    effect->resume();
    OrvaneEffect::setWriteHook(stopInTheMiddle);

    std::atomic<bool> running{true};
    auto writer = [&](bool stops, std::int32_t first)
    {
        stoppable = stops;
        for (int round = 0; running.load(); ++round)
            for (std::int32_t i = first; i < kNumParams; i += 2)
                effect->setParameter(i, static_cast<float>((round + i) % 10) / 10.0f);
    };
    std::thread a(writer, true, 0), b(writer, false, 1);

    std::vector<float> left(256), right(256);
    float* io[2] = {left.data(), right.data()};
    double worstMs = 0.0;
    int blocks = 0, blocksWhileStopped = 0;
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::milliseconds(1500))
    {
        for (int i = 0; i < 256; ++i)
            right[i] = left[i] = 0.5f * std::sin(0.01f * static_cast<float>(blocks * 256 + i));
        const auto before = Clock::now();
        effect->setParameter(kAttack, static_cast<float>(blocks % 7) / 7.0f);
        effect->process(io, io, 256);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - before).count();
        worstMs = std::max(worstMs, ms);
        ++blocks;
        if (stopped.load() && !releaseWriter.load()) ++blocksWhileStopped;
        if (Clock::now() - start > std::chrono::milliseconds(800)) releaseWriter.store(true);
        ASSERT_TRUE(std::isfinite(left[255]) && std::isfinite(right[255]));
    }
    running.store(false);
    releaseWriter.store(true);
    a.join();
    b.join();
    OrvaneEffect::setWriteHook(nullptr);

    EXPECT_TRUE(stopped.load());
    EXPECT_GT(blocksWhileStopped, 20);
    EXPECT_LT(worstMs, 100.0) << "a block waited";
}
} // namespace
