#pragma once

#include "HalfBandKernels.h"

// The engine's linear-phase half-band low-pass for 2x up- and down-sampling, applied a block
// at a time. Only the centre tap and the odd taps are non-zero, and the odd taps are symmetric,
// so a frame's full output is the centre term plus one symmetric convolution of the other
// phase's frames.
class HalfBandFilter
{
  public:
    static constexpr int kPairs = 75;            // odd taps 1..299, folded in pairs
    static constexpr int kSpan = 2 * kPairs - 1; // the oldest frame an output reaches back to
    static constexpr int kCentreDelay = 75;      // frames back to the centre tap's frame

    HalfBandFilter();

    // out[i]: the odd-tap convolution of one channel ending at x[i]; x must be preceded by
    // kSpan frames of history.
    void convolve(const double* x, int frames, double* out) const
    {
        kernel(x, pairs, kPairs, frames, out);
    }
    // The centre term of the output at x[i].
    double centre(const double* x, int i) const { return hc * x[i - kCentreDelay]; }

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
