#pragma once

#include "FastExp.h"
#include "LevelForecast.h"
#include "LevelSmoother.h"

#include <cmath>

// Turns the detector's fast and slow levels (dB) into the linear gain for the next sample:
// a static curve with a soft knee, an attack/release envelope on the fast level, a second
// envelope with its own release on the slow level, the deeper of the two, and a 5 ms limit on
// every rise of the gain.
// The envelopes and the gain are held in steps of 2^(1/256) (dB times kStepsPerDecibel), the
// unit the gain's exponential counts in: the scale rides on the coefficients and the targets
// instead of on the feedback loop's path.
class GainComputer
{
  public:
    // Everything the per-sample step reads, so a whole new set can be handed over at once.
    struct Settings
    {
        double thresholdMinusKnee = 10.0;
        double knee = 0.0;
        double twiceKnee = 0.0;
        double kneeSlope = 0.0; // (ratio - 1) / 4k, 0 without a knee
        double threshold = 10.0;
        double ratio = 1.0;
        double slopeFactor = 0.0;                            // ratio - 1
        double kneeSlopeSteps = 0.0, slopeFactorSteps = 0.0; // the two, times kStepsPerDecibel
        LevelSmoother release{50.0, 44100.0};
        LevelSmoother releaseSlow{50.0, 44100.0};
        LevelSmoother attack{50.0, 44100.0};
        LevelSmoother rise{5.0, 44100.0};
        bool slowPathOn = false; // release slow time strictly above the release time

        void setCurve(double thresholdDb, double kneeDb, double ratioSlope);
        void setRate(double hz);
        void setAttack(double ms) { attack.setTime(ms); }
        void setRelease(double ms);
        void setReleaseSlow(double ms);
    };

    Settings& settings() { return s; }
    const Settings& settings() const { return s; }
    void setSettings(const Settings& next) { s = next; }

    // x = levelFast, y = levelSlow (dB), n = the current noise offset.
    // The attack/release and rise choices are jumps, not selects: a select makes the envelope
    // wait for the comparison (and for a coefficient loaded through it) on every sample, while
    // a predicted jump costs nothing on the loop's path. Measured on music-like signals in
    // every detection mode, the mispredictions cost less than the waits.
    double process(double x, double y, double n) { return step(x, y, n).value(); }
    // The same gain in the split form the feedback loop's next products start on early.
    SplitGain step(double x, double y, double n)
    {
        const double t1 = staticCurve(x, n) * kSteps;
        if (t1 > fast)
            fast = s.release.next(t1, fast);
        else
            fast = s.attack.next(t1, fast);

        if (s.slowPathOn)
        {
            const double t2 = staticCurve(y, n) * kSteps;
            if (t2 > slow)
                slow = s.releaseSlow.next(t2, slow);
            else
                slow = s.attack.next(t2, slow);
        }
        else
            slow = 0.0;

        const double m = slow < fast ? slow : fast;
        gain = m > gain ? s.rise.next(m, gain) : m;
        return fastSplitGainOfSteps(gain);
    }

    // The same step from the detector's forecast: the feedback loop's form. The choices are
    // the plain step's, made on values computed in another order, so the two differ in the
    // last bits of the envelopes.
    // VexRound: see fastSplitGainOfBoundedSteps.
    template <bool VexRound = false> SplitGain step(const LevelForecast& f, double n)
    {
        const double noiseSteps = n * kSteps;
        fast = nextEnvelope(f.fastSlope, f.fastOffset, f.v, noiseSteps, fast, s.release);
        if (s.slowPathOn)
            slow = nextEnvelope(f.slowSlope, f.slowOffset, f.v, noiseSteps, slow, s.releaseSlow);
        else
            slow = 0.0;
        const double m = slow < fast ? slow : fast;
        gain = m > gain ? s.rise.next(m, gain) : m;
        // Every target lies between about -2200 dB (the loudest float level at the steepest
        // ratio) and the noise offset, and each state is a blend of targets and of states
        // that sanitize() keeps within kBoundedSteps: so is the gain.
        return fastSplitGainOfBoundedSteps<VexRound>(gain);
    }

    // The feedback loop waits on this, so it is written for depth. With w = v - (threshold -
    // knee), the soft knee d^2 / 4k + d / 2 + k / 4 (d = w - k) is w^2 / 4k, without a division;
    // above the knee d is v - threshold, one subtraction.
    double staticCurve(double v, double n) const
    {
        const double w = v - s.thresholdMinusKnee;
        if (!(w >= 0.0)) return n;
        if (w < s.twiceKnee) return w * w * s.kneeSlope + n;
        return (v - s.threshold) * s.slopeFactor + n;
    }

    void reset() { fast = slow = gain = 0.0; }
    void copyStatesFrom(const GainComputer& o)
    {
        fast = o.fast;
        slow = o.slow;
        gain = o.gain;
    }
    // Resets the states if one of them is not finite; true if it did.
    bool sanitize();

    // In dB.
    double fastEnvelope() const { return fast / kSteps; }
    double slowEnvelope() const { return slow / kSteps; }
    double gainState() const { return gain / kSteps; }

  private:
    static constexpr double kSteps = fastexp::kStepsPerDecibel;

    // An envelope's next state for the level a v + b, the static curve and the smoothing taken
    // together; n in steps. Above the knee both are affine in v, so the state waits on v
    // through one multiplication and one addition; below the threshold it does not wait on v.
    double nextEnvelope(double a, double b, double v, double n, double state,
                        const LevelSmoother& release) const
    {
        const double w = a * v + (b - s.thresholdMinusKnee);
        if (!(w >= 0.0)) return n > state ? release.next(n, state) : s.attack.next(n, state);
        if (w < s.twiceKnee)
        {
            const double t = w * w * s.kneeSlopeSteps + n;
            return t > state ? release.next(t, state) : s.attack.next(t, state);
        }
        const double slope = a * s.slopeFactorSteps;
        const double offset = (b - s.threshold) * s.slopeFactorSteps + n;
        const LevelSmoother& smoother = slope * v + offset > state ? release : s.attack;
        const double part = smoother.getComplement();
        return (part * slope) * v + (part * offset + smoother.getCoefficient() * state);
    }

    Settings s;
    double fast = 0.0; // Ef
    double slow = 0.0; // Es
    double gain = 0.0; // G
};
