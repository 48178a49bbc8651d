#include "DesignCost.h"

#include "CompressorEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace ofcbench
{
namespace
{
constexpr int kChanges = 20000; // per pass
constexpr int kPasses = 15;

// Each call stores a value other than the last one, so that every call is a change.
struct Change
{
    const char* label;
    void (*apply)(CompressorEngine& engine, int i);
};

void everySetter(CompressorEngine& e, int i)
{
    const double v = i % 2;
    e.setDetection(10.0 + v);
    e.setSideChainType(0.5f);
    e.setSideChainFrequency(100.0f + static_cast<float>(v));
    e.setSideChainPreview(false);
    e.setThreshold(-20.0 - v);
    e.setKnee(3.0 + v);
    e.setRatio(0.5 - 0.1 * v);
    e.setAttack(10.0 + v);
    e.setRelease(100.0 + v);
    e.setReleaseSlow(300.0 + v);
    e.setMixDry(0.1 * v);
    e.setMakeUpGain(1.0 + v);
    e.setHfHarmonics(true);
    e.setLfHarmonics(true);
    e.setHfAmount(0.25 + 0.1 * v);
    e.setLfAmount(0.25 + 0.1 * v);
    e.setDelta(false);
}

const Change kRepresentative[] = {
    {"threshold", [](CompressorEngine& e, int i) { e.setThreshold(i % 2 ? -20.0 : -21.0); }},
    {"attack", [](CompressorEngine& e, int i) { e.setAttack(i % 2 ? 10.0 : 11.0); }},
    {"side-chain frequency",
     [](CompressorEngine& e, int i) { e.setSideChainFrequency(i % 2 ? 100.0f : 101.0f); }},
    {"rate 44100 <-> 48000 Hz",
     [](CompressorEngine& e, int i) { e.setSampleRate(i % 2 ? 44100.0 : 48000.0); }},
    {"all 17 setters (a program)", everySetter},
};

// Nanoseconds per call of step(i) over kChanges calls.
template <class Step> double nsPerCall(Step step)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kChanges; ++i)
        step(i);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / kChanges;
}

// A block of no frames does nothing but take the settings over, so the block after a change
// costs its re-design more than a block with nothing to take over. The setter's own time is
// taken off: it runs on the thread that calls it, often not the audio thread.
struct DesignTiming
{
    CompressorEngine engine;
    CompressorEngine::Meters meters;
    double left = 0.0, right = 0.0;
    double both = 1e300, setter = 1e300, block = 1e300; // the best pass of each

    void emptyBlock() { engine.process(&left, &right, 0, meters); }
    void changeThenBlock(const Change& change, int i)
    {
        change.apply(engine, i);
        emptyBlock();
    }
    void pass(const Change& change)
    {
        both = std::min(both, nsPerCall([&](int i) { changeThenBlock(change, i); }));
        setter = std::min(setter, nsPerCall([&](int i) { change.apply(engine, i); }));
        block = std::min(block, nsPerCall([&](int) { emptyBlock(); }));
    }
    double designNsPerChange() const { return both - setter - block; }
};
} // namespace

void printDesignCost()
{
    std::printf("\ndesign cost per parameter change, our engine at 44100 Hz: the audio thread's "
                "ns re-designing in the block after one setter call = (setter + empty block) - "
                "setter - empty block, where an empty block is process() of 0 frames (it only "
                "takes the settings over); best of %d passes of %d changes each, one thread\n",
                kPasses, kChanges);
    // The cases take turns, pass by pass, so that a slow spell of a shared machine does not
    // fall on one case alone.
    constexpr int kCases = sizeof kRepresentative / sizeof kRepresentative[0];
    DesignTiming timings[kCases];
    for (DesignTiming& timing : timings)
        timing.engine.setSampleRate(44100.0);
    for (int pass = 0; pass < kPasses; ++pass)
        for (int c = 0; c < kCases; ++c)
            timings[c].pass(kRepresentative[c]);
    std::printf("%-28s %10s\n", "change", "ns/change");
    for (int c = 0; c < kCases; ++c)
        std::printf("%-28.28s %10.1f\n", kRepresentative[c].label, timings[c].designNsPerChange());
}

} // namespace ofcbench
