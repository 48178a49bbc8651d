#pragma once

#include "HalfBandCoefficients.h"
#include "HalfBandKernels.h"

// The engine's linear-phase half-band low-pass for 2x up- and down-sampling, applied a block
// at a time, one frame (two internal samples) per step.
//
// At the internal rate y(t) = sum of h[k] u(t - k). Every even tap but the centre is zero, so an
// output meets the samples of one phase through the odd taps and those of the other phase
// through the centre tap alone; the zero taps are never multiplied.
//  - Up-sampling: u is the input with zeros between, so the even output is the centre term
//    hc s(i - 75) and the odd output the odd-tap convolution of the input frames s(i - q),
//    q = 0..149.
//  - Down-sampling keeps the even outputs only: the centre term of the even phase plus the
//    odd-tap convolution of the odd phase, which ends one frame back (the newest odd sample
//    meets tap 1 at the next frame); the odd outputs are never computed.
// The odd taps are symmetric, h[2j + 1] = h[299 - 2j], so the taps j and 149 - j share one
// multiplication: c[j] (s(i - j) + s(i - 149 + j)), 75 pairs.
class HalfBandFilter
{
  public:
    static constexpr int kPairs = kHalfBandOddOffsets; // odd taps 1..299, folded in pairs
    static constexpr int kSpan = 2 * kPairs - 1;       // the oldest frame an output reaches back to
    // Frames back to the centre tap's frame: the filter's delay, half its centre index.
    static constexpr int kCentreDelay = kHalfBandCentre / 2;

    HalfBandFilter();

    // out[i]: the odd-tap convolution of one channel ending at x[i]; x must be preceded by
    // kSpan frames of history.
    void convolve(const double* x, int frames, double* out) const
    {
        kernel(x, pairs, kPairs, frames, out);
    }
    // The centre term of the output at x[i].
    double centre(const double* x, int i) const { return hc * x[i - kCentreDelay]; }
    double centreTap() const { return hc; }

  private:
    double pairs[kPairs]; // c[j] = h[2j + 1]
    double hc;
    HalfBandKernel kernel;
};

// A stereo stream kept planar, with the frames the filter reaches back to: a block's new frames
// go after the history, and once they are used the newest of them become the history. One frame
// more than the filter's span lets the down-sampler convolve one frame behind the newest.
class HalfBandStream
{
  public:
    static constexpr int kHistory = HalfBandFilter::kSpan + 3; // even, for aligned blocks
    static constexpr int kMaxFrames = 128;

    HalfBandStream();
    ~HalfBandStream();
    HalfBandStream(const HalfBandStream&) = delete;
    HalfBandStream& operator=(const HalfBandStream&) = delete;

    // The block's first frame; kMaxFrames may be written from here.
    double* left() { return l + kHistory; }
    double* right() { return r + kHistory; }

    // After a block of `frames`: its newest frames become the history.
    void advance(int frames);
    void reset();

  private:
    double* l;
    double* r;
};
