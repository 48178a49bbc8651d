#include "EngineCore.h"

#include <algorithm>

namespace
{
// Non-finite values that reach the recursive states (NaN or infinite input) are cleared on
// this period; the half-band histories and delays flush themselves in bounded time.
constexpr int kCheckPeriod = 32;
} // namespace

EngineCore::EngineCore()
    : dryDelay(kLatency), differenceDelay(kLatency - 2), noiseTables(NoiseTables::shared())
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
    upInput.reset();
    evenPhase.reset();
    oddPhase.reset();
    x1L = x1R = x2L = x2R = gPrev = 0.0;
    noiseIndex = 0;
    gainOut = 1.0;
    framesToCheck = kCheckPeriod;
    lastPath = Path::None;
}

// A path's histories were last filled at another rate, or not at all since the other path
// took over: whatever they hold (a non-finite value among it) must not come out now.
void EngineCore::enter(Path path)
{
    if (path == lastPath) return;
    if (path == Path::Oversampled)
    {
        upInput.reset();
        evenPhase.reset();
        oddPhase.reset();
    }
    else
        differenceDelay.clear();
    lastPath = path;
}

inline void EngineCore::compressSample(double& xL, double& xR, double n)
{
    const double g = gainComputer.process(detector.levelFast, detector.levelSlow, n);
    gainOut = g;

    // The detector hears the new sample with the new gain applied. The gain goes on last: the
    // half sum and half difference do not wait for it.
    double side = g * ((xL - xR) * 0.5) + n;
    double mid = g * ((xL + xR) * 0.5) + n;
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

// Non-finite values are cleared from the recursive states before every kCheckPeriod-th frame;
// run(first, count) processes the frames in between without a check.
template <class Run> void EngineCore::inCheckedRuns(int frames, Run run)
{
    for (int first = 0; first < frames;)
    {
        if (framesToCheck == 1)
        {
            sanitizeNowAndThen();
            ++framesToCheck;
        }
        const int count = std::min(frames - first, framesToCheck - 1);
        run(first, count);
        framesToCheck -= count;
        first += count;
    }
}

void EngineCore::processOversampled(double* left, double* right, int frames)
{
    enter(Path::Oversampled);
    for (int first = 0; first < frames; first += HalfBandStream::kMaxFrames)
        oversampledBlock(left + first, right + first,
                         std::min(frames - first, HalfBandStream::kMaxFrames));
}

// Only the feedback chain is serial. The up-sampler depends on the input alone and the
// down-sampler on the compressed samples alone (its newest frame meets a zero tap), so both
// convolve the whole block, before and after the chain, as vector code.
void EngineCore::oversampledBlock(double* left, double* right, int frames)
{
    double* sL = upInput.left();
    double* sR = upInput.right();
    for (int i = 0; i < frames; ++i)
    {
        noiseIndex = noiseIndex % 2047 + 1;
        const double n = noiseTables.noise[noiseIndex];
        block.noise[i] = n;
        // Zero insertion halves the level; the factor 2 gives the up-sampler unit gain.
        sL[i] = 2.0 * (left[i] + n);
        sR[i] = 2.0 * (right[i] + n);
    }
    halfBand.convolve(sL, frames, block.oddL);
    halfBand.convolve(sR, frames, block.oddR);

    double* evenL = evenPhase.left();
    double* evenR = evenPhase.right();
    double* oddL = oddPhase.left();
    double* oddR = oddPhase.right();
    inCheckedRuns(frames,
                  [&](int first, int count)
                  {
                      for (int i = first; i < first + count; ++i)
                      {
                          const double n = block.noise[i];
                          double aL = halfBand.centre(sL, i), aR = halfBand.centre(sR, i);
                          double bL = block.oddL[i], bR = block.oddR[i];
                          compressSample(aL, aR, n);
                          compressSample(bL, bR, n);
                          evenL[i] = aL;
                          evenR[i] = aR;
                          oddL[i] = bL;
                          oddR[i] = bR;
                      }
                  });

    // A frame's output meets the odd phase up to the frame before it.
    halfBand.convolve(oddL - 1, frames, block.outL);
    halfBand.convolve(oddR - 1, frames, block.outR);
    for (int i = 0; i < frames; ++i)
    {
        double eL = block.outL[i] + halfBand.centre(evenL, i);
        double eR = block.outR[i] + halfBand.centre(evenR, i);
        if (preview)
        {
            eL = left[i] + block.noise[i];
            eR = right[i] + block.noise[i];
            sideChain.preview(eL, eR);
        }
        mix(left[i], right[i], eL, eR);
    }
    upInput.advance(frames);
    evenPhase.advance(frames);
    oddPhase.advance(frames);
}

void EngineCore::processDirect(double* left, double* right, int frames)
{
    enter(Path::Direct);
    inCheckedRuns(frames,
                  [&](int first, int count)
                  {
                      for (int i = first; i < first + count; ++i)
                      {
                          noiseIndex = noiseIndex + 1;
                          const double n = noiseTables.noise[noiseIndex];
                          noiseIndex = noiseIndex % 2047;

                          double eL = left[i] + n, eR = right[i] + n;
                          compressSample(eL, eR, n);
                          if (preview)
                          {
                              eL = left[i] + n;
                              eR = right[i] + n;
                              sideChain.preview(eL, eR);
                          }
                          differenceDelay.process(eL, eR);
                          mix(left[i], right[i], eL, eR);
                      }
                  });
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
