#pragma once

#include "HalfBandKernels.h"

// Half-band FIR for 2x up- and down-sampling of a stereo signal. Only the odd taps and the
// centre tap are non-zero, so a full output needs the frames an odd number of pushes old plus
// the centre frame. The history is therefore kept as two phases (frames pushed on even and on
// odd counts); the frames an odd number of pushes old are then one contiguous run of the other
// phase. Each phase is mirrored (every frame stored at q and q + taps), so that run never wraps,
// and both channels sit side by side for paired vector lanes.
class HalfBandFir
{
  public:
    // coefficients: `length` slots (even), of which the odd ones and `centre` (even) are used.
    HalfBandFir(const double* coefficients, int length, int centre);
    ~HalfBandFir();
    HalfBandFir(const HalfBandFir&) = delete;
    HalfBandFir& operator=(const HalfBandFir&) = delete;

    // Push a frame; left/right receive the centre tap's output, h[centre] * frame(centre).
    void pushCentre(double& left, double& right)
    {
        const double* c = write(left, right) + 2 * (centre / 2);
        left = hc * c[0];
        right = hc * c[1];
    }

    // Push a frame; left/right receive the full convolution.
    void pushFull(double& left, double& right)
    {
        const double* c = write(left, right) + 2 * (centre / 2);
        double sum[2] = {hc * c[0], hc * c[1]};
        kernel(history[phase] + 2 * position[phase], odd, taps, sum);
        left = sum[0];
        right = sum[1];
    }

    void push(double left, double right) { write(left, right); }

    // The full output that the next push will give, computed before that push. The newest frame
    // meets only h[0], which a half-band filter centred away from 0 has at zero, so the result
    // equals pushFull's. This lets the down-sampler's convolution run before the sample it is
    // pushed with has been computed.
    void peekFull(double& left, double& right) const
    {
        double sum[2];
        const double* run = peekTerms(sum);
        kernel(run, odd, taps, sum);
        left = sum[0];
        right = sum[1];
    }

    // peekFull of two filters built from the same coefficients, in one pass over them.
    static void peekFullPair(const HalfBandFir& a, double& aL, double& aR, const HalfBandFir& b,
                             double& bL, double& bR)
    {
        double sumA[2], sumB[2];
        const double* runA = a.peekTerms(sumA);
        const double* runB = b.peekTerms(sumB);
        if (a.pair)
            a.pair(runA, runB, a.odd, a.taps, sumA, sumB);
        else
        {
            a.kernel(runA, a.odd, a.taps, sumA);
            b.kernel(runB, b.odd, b.taps, sumB);
        }
        aL = sumA[0];
        aR = sumA[1];
        bL = sumB[0];
        bR = sumB[1];
    }

    void reset();

    // A non-finite value leaves the history after `length` pushes on its own.
    void setKernel(const halfband::KernelInfo& k)
    {
        kernel = k.kernel;
        pair = k.pair;
    }
    int getLength() const { return 2 * taps; }

  private:
    // The centre term of the next push's full output into sum; returns its odd-tap run.
    const double* peekTerms(double* sum) const
    {
        const int own = phase, other = phase ^ 1;
        int q = position[own] - 1;
        if (q < 0) q += taps;
        const double* c = history[own] + 2 * (q + centre / 2);
        sum[0] = hc * c[0];
        sum[1] = hc * c[1];
        return history[other] + 2 * position[other];
    }

    // Stores the frame in the phase whose turn it is and hands the turn to the other phase,
    // which holds the frames an odd number of pushes old; returns frame(0).
    const double* write(double left, double right)
    {
        const int own = phase;
        phase = own ^ 1;
        int q = position[own] - 1;
        if (q < 0) q += taps;
        position[own] = q;
        double* h = history[own];
        h[2 * q] = h[2 * (q + taps)] = left;
        h[2 * q + 1] = h[2 * (q + taps) + 1] = right;
        return h + 2 * q;
    }

    int taps;   // odd taps = frames per phase
    int centre; // centre index
    double hc;
    double* odd;        // 2 * taps: h[1], h[1], h[3], h[3], ...
    double* history[2]; // per phase: 2 * taps frames of (left, right)
    int position[2] = {0, 0};
    int phase = 0; // the phase the next push writes; the other holds the odd-aged frames
    HalfBandKernel kernel;
    HalfBandPairKernel pair;
};
