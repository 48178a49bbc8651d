#pragma once

// The engine's passes over a block's separate arrays. The arrays are members of one object or
// buffers from the host, so the compiler cannot tell that they never overlap and would run
// these a sample at a time; through __restrict parameters they become vector loops. The
// arithmetic is the plain per-sample expression, so they give the same bits either way.
namespace blockloops
{
// out = scale (in + noise)
inline void addNoise(const double* __restrict in, const double* __restrict noise, double scale,
                     double* __restrict out, int frames)
{
    for (int i = 0; i < frames; ++i)
        out[i] = scale * (in[i] + noise[i]);
}

// out[2i] = evenScale even[i], out[2i + 1] = odd[i]
inline void interleave(const double* __restrict even, double evenScale,
                       const double* __restrict odd, double* __restrict out, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        out[2 * i] = evenScale * even[i];
        out[2 * i + 1] = odd[i];
    }
}

// out += scale in
inline void addScaled(const double* __restrict in, double scale, double* __restrict out, int frames)
{
    for (int i = 0; i < frames; ++i)
        out[i] += scale * in[i];
}

// The output: dry and compressed signal, or the difference alone, plus the dither a + b.
inline void mixWithDither(const double* __restrict dry, const double* __restrict difference,
                          const double* __restrict a, const double* __restrict b, double dryGain,
                          double makeUp, double* __restrict out, int frames)
{
    for (int i = 0; i < frames; ++i)
        out[i] = dry[i] * dryGain + (dry[i] + difference[i]) * makeUp + (a[i] + b[i]);
}

inline void differenceWithDither(const double* __restrict difference, const double* __restrict a,
                                 const double* __restrict b, double* __restrict out, int frames)
{
    for (int i = 0; i < frames; ++i)
        out[i] = difference[i] + (a[i] + b[i]);
}
} // namespace blockloops
