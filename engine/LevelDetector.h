#pragma once

#include "FastLog2.h"
#include "LevelForecast.h"
#include "LevelSmoother.h"

#include <emmintrin.h>

// Stereo-linked level detector working on the logarithm of the squared signal: Peak, RMS (an
// exponential average of the level in dB) and "Dyn RMS" (a pre-smoothed fast path).
//
// Units: p is a power, so its level in dB is v = 10 log10 p, half of 20 log10 p; the halving
// rides on a float constant (exact: a power of two), so the envelopes e1..e3 and the levels are
// all in dB with no step between them. Averaging in dB rather than in power makes "RMS" a
// geometric mean of the power, which a loud transient pulls up less than a mean of squares
// would.
class LevelDetector
{
  public:
    // Lowest power, -70 dB: keeps the logarithm finite in silence, and no envelope falls below
    // it, so a pause cannot leave the detector arbitrarily far below the threshold.
    static constexpr double kFloor = 1e-7;

    struct Settings
    {
        double detectionTime = 0.0;
        // dB taken off the fast level only, never the slow one: 4 in Peak, whose fast level is
        // the unsmoothed level of the louder channel, 0.6 in the averaging modes. The reset
        // value -100 is not offset; the first detected sample applies it.
        double offset = 4.0;
        bool dynRms = false;
        LevelSmoother fast{0.0, 44100.0};
        LevelSmoother slow{8.0, 44100.0};
        // Read in Dyn RMS only, always at 50 ms: fixed here rather than by the mode, so that
        // the settings are the same for the same detection time whatever came before it.
        LevelSmoother third{50.0, 44100.0};

        // 0 exactly: Peak; 600 exactly: Dyn RMS; anything else: RMS over that many ms.
        void setDetection(double timeMs);
        void setRate(double hz);
    };

    const Settings& settings() const { return s; }
    void setSettings(const Settings& next) { s = next; }

    // l, r: the side-chain signal (the compressed signal, filtered).
    void process(double l, double r)
    {
        // max(l^2, r^2, floor), where a NaN side chain counts as silence rather than steering
        // the gain: a > b ? a : b answers b when either is NaN, as the max instruction it
        // compiles to does. Written on doubles rather than registers, so that no step clears
        // the lanes above, which nothing reads.
        const double squareL = l * l, squareR = r * r;
        const double louder = squareL > squareR ? squareL : squareR;
        const double p = louder > kFloor ? louder : kFloor;
        // 10 log10 p = log2 p * ln 2 * (20 / ln 10) / 2; single precision is within 0.02 dB.
        const float log2 = fastLog2OfDouble(p);
        const double v = static_cast<double>(log2 * 0.6931472f * (8.685889f * 0.5f));
        // Dyn RMS: the fast envelope follows a 12 ms average (not the raw level) with 1 ms, and
        // the slow one the raw level with 50 ms; in the other modes both follow the raw level.
        // Each envelope is its slope times v plus a part from the states before v: the parts
        // are the forecast's offsets too.
        next.v = v;
        double fastPart;
        if (s.dynRms)
        {
            const double averagePart = s.slow.getCoefficient() * e3;
            e3 = s.slow.getComplement() * v + averagePart;
            next.fastSlope = s.fast.getComplement() * s.slow.getComplement();
            fastPart = s.fast.getComplement() * averagePart + s.fast.getCoefficient() * e1;
            next.slowSlope = s.third.getComplement();
            next.slowOffset = s.third.getCoefficient() * e2;
        }
        else
        {
            next.fastSlope = s.fast.getComplement();
            fastPart = s.fast.getCoefficient() * e1;
            next.slowSlope = s.slow.getComplement();
            next.slowOffset = s.slow.getCoefficient() * e2;
        }
        e1 = next.fastSlope * v + fastPart;
        e2 = next.slowSlope * v + next.slowOffset;
        next.fastOffset = fastPart - s.offset;
    }

    // The levels after the latest sample: fast is the fast envelope less the offset.
    double levelFast() const { return next.fastSlope * next.v + next.fastOffset; }
    double levelSlow() const { return next.slowSlope * next.v + next.slowOffset; }

    // The levels the gain computer reads next, in the form that lets it start before the
    // newest value arrives (see LevelForecast).
    const LevelForecast& forecast() const { return next; }

    // The envelopes start at -50 dB; the levels read -100 until the first sample.
    void reset()
    {
        e1 = e2 = e3 = -50.0;
        next = LevelForecast{};
    }
    bool sanitize();
    void copyStatesFrom(const LevelDetector& o)
    {
        e1 = o.e1;
        e2 = o.e2;
        e3 = o.e3;
        next = o.next;
    }

  private:
    Settings s;
    double e1 = -50.0, e2 = -50.0, e3 = -50.0;
    LevelForecast next;
};
