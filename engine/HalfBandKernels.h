#pragma once

// Kernels for the half-band filter's odd-tap convolution of a block of one channel. The odd
// taps are symmetric (h[150 - m] = h[150 + m]), so each pair of taps takes one multiplication:
//
//   out[i] = sum over j < pairs of c[j] * (x[i - j] + x[i - span + j]),  span = 2 * pairs - 1
//
// x points at the block's first frame and is preceded by at least `span` frames of history.
// The terms are summed in four partial sums by j mod 4, each in increasing j, and out[i] is
// (S0 + S2) + (S1 + S3). The vector kernels put neighbouring frames in their lanes and keep
// this order in every lane, so every kernel gives the same bits as `scalar` and the sound does
// not depend on the processor.
using HalfBandKernel = void (*)(const double* x, const double* c, int pairs, int frames,
                                double* out);

namespace halfband
{
void scalar(const double* x, const double* c, int pairs, int frames, double* out);
void sse2(const double* x, const double* c, int pairs, int frames, double* out);
void avx2(const double* x, const double* c, int pairs, int frames, double* out);

struct KernelInfo
{
    const char* name;
    HalfBandKernel kernel;
    bool supported; // the processor can run it
};

// Every kernel with its availability on this processor, the scalar one first.
int kernelCount();
KernelInfo kernelInfo(int index);
// The index of the kernel of that name if this processor can run it, else -1.
int findKernel(const char* name);

// The environment variable through which a benchmark picks the kernel by name.
inline constexpr const char* kKernelVariable = "OFC_HALFBAND_KERNEL";

// The kernel engines run, chosen once: the one named by kKernelVariable if this processor can
// run it, else AVX2 where present, else SSE2.
const KernelInfo& best();
} // namespace halfband
