#pragma once

#include "CompressorEngine.h"
#include "NoiseTables.h"

#include <cmath>
#include <functional>
#include <vector>

namespace enginetest
{
constexpr double kTwoPi = 6.283185307179586;

inline double ditherAmplitude()
{
    return NoiseTables::ditherAmplitude();
}

// No compression, no dry signal, unity make-up: the output is the input, kLatency frames late.
inline void transparent(CompressorEngine& e)
{
    e.setRatio(1.0);
    e.setMixDry(0.0);
    e.setMakeUpGain(1.0);
    e.setHfHarmonics(false);
    e.setLfHarmonics(false);
}

struct Frame
{
    double l, r, gain, fast, slow;
};

// Runs `frames` frames through the path the effect would choose for the engine's rate.
inline std::vector<Frame> run(CompressorEngine& e, int frames,
                              const std::function<void(int, double&, double&)>& input)
{
    std::vector<Frame> out(frames);
    const bool oversampled = e.getHostRate() < 70000.0;
    for (int i = 0; i < frames; ++i)
    {
        Frame& f = out[i];
        input(i, f.l, f.r);
        if (oversampled)
            e.processFrameOversampled(f.l, f.r, f.gain, f.fast, f.slow);
        else
            e.processFrameDirect(f.l, f.r, f.gain, f.fast, f.slow);
    }
    return out;
}

// A sine after a reset, left then right, through process or on the path the caller picks by the
// rate. The dither runs on through reset: only engines as many frames old give the same bits.
inline std::vector<double> renderAfterReset(CompressorEngine& e, bool throughProcess)
{
    e.reset();
    std::vector<double> l(2000), r(2000);
    CompressorEngine::Meters m;
    for (int i = 0; i < 2000; ++i)
    {
        l[i] = r[i] = 0.7 * std::sin(0.05 * i);
        if (throughProcess)
            e.process(&l[i], &r[i], 1, m);
        else if (e.getHostRate() < 70000.0)
            e.processOversampled(&l[i], &r[i], 1, m);
        else
            e.processDirect(&l[i], &r[i], 1, m);
    }
    l.insert(l.end(), r.begin(), r.end());
    return l;
}

inline std::function<void(int, double&, double&)> sine(double amplitude, double hz, double rate)
{
    return [=](int i, double& l, double& r)
    { l = r = amplitude * std::sin(kTwoPi * hz * i / rate); };
}

inline std::function<void(int, double&, double&)> silence()
{
    return [](int, double& l, double& r) { l = r = 0.0; };
}
} // namespace enginetest
