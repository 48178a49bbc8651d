#pragma once

// A second, deliberately plain rendering of the engine's per-frame paths: frame by frame, no
// blocks, straight ring buffers, every half-band tap one by one, one filter object per use, no
// coefficient hand-over. It is not independent of the engine's parts: it designs its filters
// with the engine's Biquad, OnePoleFilter and LevelSmoother, and reads the engine's half-band
// coefficients, noise and dither tables and fastLog2, which their own tests check. What the
// whole-engine test compares is the structure built from them: the order of the stages, the
// feedback, the delays of both paths, the noise and dither indices and the mix.
#include "Biquad.h"
#include "FastLog2.h"
#include "HalfBandCoefficients.h"
#include "LevelSmoother.h"
#include "NoiseTables.h"
#include "OnePoleFilter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace reference
{
struct Settings
{
    double hostRate = 44100.0;
    double detection = 0.0;
    int scType = 0;
    double scFrequency = 30.0;
    bool preview = false;
    double threshold = 10.0, knee = 0.0, ratio = 1.0;
    double attack = 50.0, release = 50.0, releaseSlow = 50.0;
    double dry = 1.0, makeUp = 1.0;
    bool hf = false, lf = false;
    double hfAmount = 0.0, lfAmount = 0.0;
    bool delta = false;
};

// The half-band filter as written: every tap, one by one, in tap order.
class Fir
{
  public:
    Fir() : frames(2 * kHalfBandSlots, 0.0) { fillHalfBandCoefficients(h); }
    void push(double l, double r)
    {
        pos = (pos + kHalfBandSlots - 1) % kHalfBandSlots;
        frames[2 * pos] = l;
        frames[2 * pos + 1] = r;
    }
    double at(int k, int ch) const { return frames[2 * ((pos + k) % kHalfBandSlots) + ch]; }
    void centre(double& l, double& r) const
    {
        l = h[kHalfBandCentre] * at(kHalfBandCentre, 0);
        r = h[kHalfBandCentre] * at(kHalfBandCentre, 1);
    }
    void full(double& l, double& r) const
    {
        double sum[2] = {h[kHalfBandCentre] * at(kHalfBandCentre, 0),
                         h[kHalfBandCentre] * at(kHalfBandCentre, 1)};
        for (int k = 1; k < kHalfBandSlots; k += 2)
        {
            sum[0] += h[k] * at(k, 0);
            sum[1] += h[k] * at(k, 1);
        }
        l = sum[0];
        r = sum[1];
    }

  private:
    double h[kHalfBandSlots];
    std::vector<double> frames;
    int pos = 0;
};

class Delay
{
  public:
    explicit Delay(int length) : buffer(2 * length, 0.0), length(length) {}
    void process(double& l, double& r)
    {
        std::swap(l, buffer[2 * q]);
        std::swap(r, buffer[2 * q + 1]);
        q = (q + 1) % length;
    }

  private:
    std::vector<double> buffer;
    int length, q = 0;
};

class Engine
{
  public:
    // The exponential smoothing step as written: target + c (state - target).
    static void smooth(const LevelSmoother& smoother, double target, double& state)
    {
        state = target + smoother.getCoefficient() * (state - target);
    }

    // The latency as this model adds it up, apart from the engine's own sum: the two filters'
    // centre taps and the loop's two samples, at half the internal rate.
    static constexpr int kLoop = 2;
    static constexpr int kDry = (kHalfBandCentre + kLoop + kHalfBandCentre) / 2;

    explicit Engine(const Settings& settings)
        : s(settings), dryDelay(kDry), differenceDelay(kDry - kLoop)
    {
        fi = s.hostRate < 70000.0 ? 2.0 * s.hostRate : s.hostRate;
        const double d = s.detection;
        third = LevelSmoother(2.0, fi);
        if (d == 0.0)
            fast = LevelSmoother(0.0, fi), slow = LevelSmoother(8.0, fi), offset = 4.0;
        else if (d == 600.0)
            fast = LevelSmoother(1.0, fi), slow = LevelSmoother(12.0, fi),
            third = LevelSmoother(50.0, fi), offset = 0.6;
        else
            fast = LevelSmoother(d, fi), slow = LevelSmoother(1.8 * d + 6.0, fi), offset = 0.6;
        attack = LevelSmoother(s.attack, fi);
        release = LevelSmoother(s.release, fi);
        releaseSlow = LevelSmoother(s.releaseSlow, fi);
        rise = LevelSmoother(5.0, fi);

        const double f = s.scFrequency;
        const double fh = s.hostRate;
        const bool six = s.scType == 2;
        sideHp.designOnePole(six ? 1.3333 * f : 60.0, OnePoleFilter::HighPass, fi);
        midHp.designOnePole(six ? f : 20.0, OnePoleFilter::HighPass, fi);
        previewHp.designOnePole(six ? f : 20.0, OnePoleFilter::HighPass, fi);
        shelf1.designBiquad(Biquad::LowShelf, 0.2 * f, fi, 0.3, -18.9);
        shelf2.designBiquad(Biquad::LowShelf, 0.5 * f, fi, 0.2, -0.9);
        previewShelf1.designBiquad(Biquad::LowShelf, 0.2 * f, fh, 0.3, -18.9);
        previewShelf2.designBiquad(Biquad::LowShelf, 0.5 * f, fh, 0.2, -0.9);
        lfLp.designBiquad(Biquad::LowPass, 90.0, fi, 0.65, 0.0);
        hfHp.designBiquad(Biquad::HighPass, 2200.0, fi, 0.3, 0.0);
        hfLp.designBiquad(Biquad::LowPass, 12000.0, fi, 0.5, 0.0);
    }

    // Returns the output frame in l, r; gain and levels as the effect would publish them.
    void frame(double& l, double& r, double& gain, double& levelFastOut, double& levelSlowOut)
    {
        double eL, eR, n;
        if (fi != s.hostRate)
        {
            k = (k % NoiseTables::kNoiseCycle) + 1;
            n = tables.noise[k];
            double u0L, u0R, u1L, u1R;
            up.push(2.0 * (l + n), 2.0 * (r + n));
            up.centre(u0L, u0R);
            up.push(0.0, 0.0);
            up.full(u1L, u1R);
            compress(u0L, u0R, n);
            compress(u1L, u1R, n);
            down.push(u0L, u0R);
            down.full(eL, eR);
            down.push(u1L, u1R);
            if (s.preview) previewOf(l, r, n, eL, eR);
        }
        else
        {
            k = k + 1;
            n = tables.noise[k];
            k = k % NoiseTables::kNoiseCycle;
            eL = l + n;
            eR = r + n;
            compress(eL, eR, n);
            if (s.preview) previewOf(l, r, n, eL, eR);
            differenceDelay.process(eL, eR);
        }
        double xL = l, xR = r;
        dryDelay.process(xL, xR);
        ++i;
        ++j;
        const double t = tables.ditherA[i] + tables.ditherB[j];
        i %= NoiseTables::kDitherCycleA;
        j %= NoiseTables::kDitherCycleB;
        if (s.delta || s.preview)
            l = eL + t, r = eR + t;
        else
            l = xL * s.dry + (xL + eL) * s.makeUp + t, r = xR * s.dry + (xR + eR) * s.makeUp + t;
        gain = gainOut;
        levelFastOut = levelFast;
        levelSlowOut = levelSlow;
    }

  private:
    void previewOf(double l, double r, double n, double& eL, double& eR)
    {
        eL = l + n;
        eR = r + n;
        if (s.scType == 1)
        {
            previewShelf1.process(eL, eR);
            previewShelf2.process(eL, eR);
        }
        else
            previewHp.process(eL, eR);
    }

    double curve(double v, double n) const
    {
        const double K = s.knee;
        double d = v - (s.threshold - K) - K;
        if (d < -K)
            d = 0.0;
        else if (d < K)
            d = d * d / (4.0 * K) + d / 2.0 + K / 4.0;
        return d * (s.ratio - 1.0) + n;
    }

    void compress(double& inL, double& inR, double n)
    {
        // gain computer
        const double t1 = curve(levelFast, n);
        smooth((t1 > Ef ? release : attack), t1, Ef);
        if (s.releaseSlow > s.release)
        {
            const double t2 = curve(levelSlow, n);
            smooth((t2 > Es ? releaseSlow : attack), t2, Es);
        }
        else
            Es = 0.0;
        const double m = std::min(Ef, Es);
        if (m > G)
            smooth(rise, m, G);
        else
            G = m;
        const double g = std::exp(G * 0.11512925464970228);
        gainOut = g;

        // side chain
        const double a = inL * g, b = inR * g;
        double S = (a - b) * 0.5 + n, M = (a + b) * 0.5 + n;
        if (s.scType == 1)
        {
            shelf1.process(S, M);
            shelf2.process(S, M);
            S = sideHp.processLeft(S);
        }
        else
        {
            S = sideHp.processLeft(S);
            M = midHp.processLeft(M);
        }
        const double L = M + S, R = M - S;

        // detector
        double p = std::max(L * L, R * R);
        if (1e-7 > p) p = 1e-7;
        const double v =
            static_cast<double>(fastLog2(static_cast<float>(p)) * 0.6931472f * 8.685889f);
        if (s.detection == 600.0)
        {
            smooth(slow, v, E3);
            smooth(fast, E3, E1);
            smooth(third, v, E2);
        }
        else
        {
            smooth(fast, v, E1);
            smooth(slow, v, E2);
        }
        levelSlow = E2 * 0.5;
        levelFast = E1 * 0.5 - offset;

        // output stage
        double yL = x2L * gPrev, yR = x2R * gPrev;
        if (s.hf)
        {
            double hL = x2L, hR = x2R;
            hfHp.process(hL, hR);
            hfLp.process(hL, hR);
            auto sHF = [](double x)
            {
                return x > 0.0 ? x * (1.0 + x * x) / (1.0 + 1.6 * (x * x))
                               : x * (0.7 + x * x) / (0.7 + 1.3 * (x * x));
            };
            hL = sHF(hL) - hL;
            hR = sHF(hR) - hR;
            yL = yL - hL * s.hfAmount * gPrev;
            yR = yR - hR * s.hfAmount * gPrev;
        }
        if (s.lf)
        {
            double hL = x2L, hR = x2R;
            lfLp.process(hL, hR);
            auto sLF = [](double x) { return x * (6.0 + x * x) / (6.0 + 2.0 * (x * x)); };
            hL = sLF(hL) - hL;
            hR = sLF(hR) - hR;
            yL = yL - hL * s.lfAmount * gPrev;
            yR = yR - hR * s.lfAmount * gPrev;
        }
        const double dL = yL - x2L, dR = yR - x2R;
        x2L = x1L, x2R = x1R;
        x1L = inL, x1R = inR;
        gPrev = g;
        inL = dL;
        inR = dR;
    }

    Settings s;
    double fi;
    NoiseTables tables;
    Fir up, down;
    Delay dryDelay, differenceDelay;
    LevelSmoother fast, slow, third, attack, release, releaseSlow, rise;
    double offset = 4.0;
    OnePoleFilter sideHp, midHp, previewHp;
    Biquad shelf1, shelf2, previewShelf1, previewShelf2, lfLp, hfHp, hfLp;
    double E1 = -100.0, E2 = -100.0, E3 = -100.0, levelFast = -100.0, levelSlow = -100.0;
    double Ef = 0.0, Es = 0.0, G = 0.0, gainOut = 1.0;
    double x1L = 0.0, x1R = 0.0, x2L = 0.0, x2R = 0.0, gPrev = 0.0;
    int k = 0, i = 0, j = 0;
};
} // namespace reference
