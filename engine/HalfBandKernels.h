#pragma once

// The AVX-512 kernel is built into 64-bit programs only: 32-bit code has eight vector registers,
// too few for its steps, and there it was no faster than the AVX2 kernel.
#if defined(__x86_64__)
#define OFC_HALFBAND_AVX512 1
#else
#define OFC_HALFBAND_AVX512 0
#endif

// Kernels for the half-band filter's odd-tap convolution of a block of one channel. The odd
// taps are symmetric (h[150 - m] = h[150 + m]), so each pair of taps takes one multiplication:
//
//   out[i] = sum over j < pairs of c[j] * (x[i - j] + x[i - span + j]),  span = 2 * pairs - 1
//
// x points at the block's first frame and is preceded by at least `span` frames of history.
// The terms are summed in four partial sums by j mod 4, each in increasing j, and out[i] is
// (S0 + S2) + (S1 + S3). The vector kernels put neighbouring frames in their lanes and keep
// this order in every lane, so every kernel gives the same bits as `scalar` and the sound does
// not depend on the processor; the FMA kernels run some of the additions as fma(x, 1.0, y), which
// rounds exactly as x + y does. `out` must not overlap x's frames.
using HalfBandKernel = void (*)(const double* x, const double* c, int pairs, int frames,
                                double* out);

namespace halfband
{
void scalar(const double* x, const double* c, int pairs, int frames, double* out);
void sse2(const double* x, const double* c, int pairs, int frames, double* out);
void avx2(const double* x, const double* c, int pairs, int frames, double* out);
void avx2fma(const double* x, const double* c, int pairs, int frames, double* out);
#if OFC_HALFBAND_AVX512
void avx512(const double* x, const double* c, int pairs, int frames, double* out);
void avx512fma(const double* x, const double* c, int pairs, int frames, double* out);
#endif

struct KernelInfo
{
    const char* name;
    HalfBandKernel kernel;
    bool supported;     // this processor, its system and this build can run it
    const char* reason; // if not, why not; else nullptr
};

// Every kernel with its availability on this processor, the scalar one first.
int kernelCount();
KernelInfo kernelInfo(int index);
// The index of the kernel of that name if this processor can run it, else -1.
int findKernel(const char* name);

// The environment variable through which a benchmark picks the kernel by name.
inline constexpr const char* kKernelVariable = "OFC_HALFBAND_KERNEL";

// The kernel engines run, chosen once: the one named by kKernelVariable if this processor can
// run it, else the first it runs of avx512fma, avx512, avx2fma, avx2, sse2.
const KernelInfo& best();
} // namespace halfband
