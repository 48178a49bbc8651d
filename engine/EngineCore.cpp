#include "EngineCore.h"

#include "HalfBandCoefficients.h"

namespace
{
struct HalfBandSlots
{
    double h[kHalfBandSlots];
    HalfBandSlots() { fillHalfBandCoefficients(h); }
};
const HalfBandSlots& halfBandSlots()
{
    static const HalfBandSlots slots;
    return slots;
}

// Non-finite values that reach the recursive states (NaN or infinite input) are cleared on
// this period; the half-band histories and delays flush themselves in bounded time.
constexpr int kCheckPeriod = 32;
} // namespace

EngineCore::EngineCore()
    : up(halfBandSlots().h, kHalfBandSlots, kHalfBandCentre),
      down(halfBandSlots().h, kHalfBandSlots, kHalfBandCentre), dryDelay(kLatency),
      differenceDelay(kLatency - 2), noiseTables(NoiseTables::shared())
{
    reset();
}

void EngineCore::adopt(const EngineDesign& d)
{
    gainComputer.setSettings(d.gain);
    detector.setSettings(d.detector);
    sideChain.setDesign(d.sideChain);
    harmonics.setDesign(d.harmonics);
    preview = d.preview;
    delta = d.delta;
    makeUp = d.makeUp;
    dry = d.dry;
}

void EngineCore::reset()
{
    gainComputer.reset();
    detector.reset();
    sideChain.reset();
    harmonics.reset();
    dryDelay.clear();
    differenceDelay.clear();
    up.reset();
    down.reset();
    x1L = x1R = x2L = x2R = gPrev = 0.0;
    noiseIndex = 0;
    gainOut = 1.0;
    framesToCheck = kCheckPeriod;
}

inline void EngineCore::compressSample(double& xL, double& xR, double n)
{
    const double g = gainComputer.process(detector.levelFast, detector.levelSlow, n);
    gainOut = g;

    // The detector hears the new sample with the new gain applied.
    const double a = xL * g, b = xR * g;
    double side = (a - b) * 0.5 + n;
    double mid = (a + b) * 0.5 + n;
    sideChain.process(mid, side);
    detector.process(mid + side, mid - side);

    // The audible path applies the previous gain to the input of two calls ago.
    double yL = x2L * gPrev, yR = x2R * gPrev;
    if (harmonics.anyOn()) harmonics.apply(x2L, x2R, gPrev, yL, yR);
    const double dL = yL - x2L, dR = yR - x2R;

    x2L = x1L;
    x2R = x1R;
    x1L = xL;
    x1R = xR;
    gPrev = g;
    xL = dL;
    xR = dR;
}

void EngineCore::frameOversampled(double& left, double& right)
{
    if (--framesToCheck == 0) sanitizeNowAndThen();

    noiseIndex = noiseIndex % 2047 + 1;
    const double n = noiseTables.noise[noiseIndex];

    // Zero insertion halves the level; the factor 2 gives the up-sampler unit gain.
    double u0L = 2.0 * (left + n), u0R = 2.0 * (right + n);
    up.pushCentre(u0L, u0R);

    // The odd phase of the up-sampler and the down-sampler's output for this frame. Neither
    // depends on this frame's compressed samples (the down-sampler's newest frame meets a zero
    // tap), so both convolutions run in one pass, alongside the feedback chain.
    double u1L, u1R, eL, eR;
    HalfBandFir::peekFullPair(up, u1L, u1R, down, eL, eR);
    up.push(0.0, 0.0);

    compressSample(u0L, u0R, n);
    compressSample(u1L, u1R, n);
    down.push(u0L, u0R);
    down.push(u1L, u1R);

    if (preview)
    {
        eL = left + n;
        eR = right + n;
        sideChain.preview(eL, eR);
    }
    mix(left, right, eL, eR);
}

void EngineCore::frameDirect(double& left, double& right)
{
    if (--framesToCheck == 0) sanitizeNowAndThen();

    noiseIndex = noiseIndex + 1;
    const double n = noiseTables.noise[noiseIndex];
    noiseIndex = noiseIndex % 2047;

    double eL = left + n, eR = right + n;
    compressSample(eL, eR, n);
    if (preview)
    {
        eL = left + n;
        eR = right + n;
        sideChain.preview(eL, eR);
    }
    differenceDelay.process(eL, eR);
    mix(left, right, eL, eR);
}

// left/right: the frame's input on entry, the output on return; e: the difference signal
// aligned with the dry delay's output.
inline void EngineCore::mix(double& left, double& right, double eL, double eR)
{
    double xL = left, xR = right;
    dryDelay.process(xL, xR);

    ++ditherI;
    ++ditherJ;
    const double t = noiseTables.ditherA[ditherI] + noiseTables.ditherB[ditherJ];
    ditherI = ditherI % 50000;
    ditherJ = ditherJ % 49999;

    if (delta || preview)
    {
        left = eL + t;
        right = eR + t;
    }
    else
    {
        left = xL * dry + (xL + eL) * makeUp + t;
        right = xR * dry + (xR + eR) * makeUp + t;
    }
}

void EngineCore::sanitizeNowAndThen()
{
    framesToCheck = kCheckPeriod;
    gainComputer.sanitize();
    detector.sanitize();
    sideChain.sanitize();
    harmonics.sanitize();
}
