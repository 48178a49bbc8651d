#include "CompressorEngine.h"
#include "ReferenceModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace
{
void apply(CompressorEngine& e, const reference::Settings& s)
{
    e.setSampleRate(s.hostRate);
    e.setDetection(s.detection);
    e.setSideChainType(s.scType == 0 ? 0.0f : (s.scType == 1 ? 0.5f : 1.0f));
    e.setSideChainFrequency(static_cast<float>(s.scFrequency));
    e.setSideChainPreview(s.preview);
    e.setThreshold(s.threshold);
    e.setKnee(s.knee);
    e.setRatio(s.ratio);
    e.setAttack(s.attack);
    e.setRelease(s.release);
    e.setReleaseSlow(s.releaseSlow);
    e.setMixDry(s.dry);
    e.setMakeUpGain(s.makeUp);
    e.setHfHarmonics(s.hf);
    e.setLfHarmonics(s.lf);
    e.setHfAmount(s.hfAmount);
    e.setLfAmount(s.lfAmount);
    e.setDelta(s.delta);
}

// Drums-like bursts over a sustained chord with a slow level sweep, different per channel.
void testSignal(int i, double rate, double& l, double& r)
{
    const double t = i / rate;
    const double sweep = 0.1 + 0.8 * (0.5 + 0.5 * std::sin(6.283185307179586 * 0.7 * t));
    const double hit =
        std::exp(-40.0 * std::fmod(t, 0.125)) * std::sin(6.283185307179586 * 60.0 * t);
    l = sweep * 0.4 * std::sin(6.283185307179586 * 220.0 * t) + 0.5 * hit;
    r = sweep * 0.4 * std::sin(6.283185307179586 * 277.2 * t + 1.0) + 0.4 * hit +
        0.05 * std::sin(6.283185307179586 * 5000.0 * t);
}

reference::Settings programZero(double rate)
{
    reference::Settings s;
    s.hostRate = rate;
    s.detection = 600.0;
    s.scFrequency = static_cast<double>(89.3f);
    s.threshold = 0.0 - 18.0;
    s.knee = 3.2;
    s.ratio = 0.5;
    s.attack = 14.99;
    s.release = 153.6;
    s.releaseSlow = 250.1;
    s.dry = 0.0;
    return s;
}

std::vector<reference::Settings> cases()
{
    std::vector<reference::Settings> all;
    all.push_back(programZero(44100.0));
    all.push_back(programZero(96000.0));

    reference::Settings peak = programZero(48000.0);
    peak.detection = 0.0;
    peak.scType = 1;
    peak.scFrequency = 150.0;
    peak.threshold = -30.0;
    peak.knee = 6.0;
    peak.ratio = -1.0;
    peak.attack = 1.0;
    peak.release = 50.0;
    peak.releaseSlow = 50.0;
    peak.dry = 0.1;
    peak.makeUp = 2.0;
    peak.hf = peak.lf = true;
    peak.hfAmount = 0.3;
    peak.lfAmount = 0.7;
    all.push_back(peak);

    reference::Settings rms = programZero(96000.0);
    rms.detection = 16.5;
    rms.scType = 2;
    rms.scFrequency = 300.0;
    rms.threshold = -20.0;
    rms.ratio = 0.0;
    rms.hf = true;
    rms.hfAmount = 1.0;
    all.push_back(rms);
    rms.hostRate = 22050.0;
    all.push_back(rms);

    reference::Settings preview = programZero(44100.0);
    preview.preview = true;
    preview.scType = 1;
    all.push_back(preview);
    preview.hostRate = 96000.0;
    preview.scType = 2;
    all.push_back(preview);

    reference::Settings delta = programZero(44100.0);
    delta.delta = true;
    delta.ratio = -4.0;
    delta.lf = true;
    delta.lfAmount = 1.0;
    all.push_back(delta);
    return all;
}

struct Difference
{
    double output = 0.0, gain = 0.0, level = 0.0;
};

// The engine runs blocks of changing sizes (one frame, odd sizes, more than its internal
// block) while the model goes frame by frame; the meters are compared at each block's end.
Difference compare(const reference::Settings& s)
{
    CompressorEngine engine;
    apply(engine, s);
    auto model = std::make_unique<reference::Engine>(s);
    const int frames = 12000;
    std::vector<double> left(frames), right(frames);
    for (int i = 0; i < frames; ++i)
        testSignal(i, s.hostRate, left[i], right[i]);

    Difference worst;
    const int sizes[] = {1, 5, 128, 129, 300, 64, 2, 1000};
    for (int first = 0, b = 0; first < frames; ++b)
    {
        const int count = std::min(sizes[b % 8], frames - first);
        CompressorEngine::Meters meters;
        double mg = 0, mf = 0, ms = 0;
        std::vector<double> ml(left.begin() + first, left.begin() + first + count),
            mr(right.begin() + first, right.begin() + first + count);
        if (s.hostRate < 70000.0)
            engine.processOversampled(&left[first], &right[first], count, meters);
        else
            engine.processDirect(&left[first], &right[first], count, meters);
        for (int i = 0; i < count; ++i)
        {
            model->frame(ml[i], mr[i], mg, mf, ms);
            worst.output = std::max({worst.output, std::fabs(left[first + i] - ml[i]),
                                     std::fabs(right[first + i] - mr[i])});
        }
        worst.gain = std::max(worst.gain, std::fabs(meters.gain - mg));
        worst.level = std::max(
            {worst.level, std::fabs(meters.levelFast - mf), std::fabs(meters.levelSlow - ms)});
        first += count;
    }
    return worst;
}
} // namespace

// The engine regroups sums and computes its exponential its own way; against the plain
// rendering that moves the output in the last bits only, which through the feedback loop stays
// far below the dither.
TEST(EngineReference, WithinABillionthOfThePlainRendering)
{
    int index = 0;
    for (const reference::Settings& s : cases())
    {
        SCOPED_TRACE(index++);
        const Difference d = compare(s);
        EXPECT_LT(d.output, 1e-9);
        EXPECT_LT(d.gain, 1e-9);
        EXPECT_LT(d.level, 1e-6);
    }
}
