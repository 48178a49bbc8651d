#pragma once

// Kernels for the half-band filter's odd-tap convolution of a stereo history.
//
// history: `taps` frames, left and right interleaved, the most recent first.
// coefficients: `taps` coefficients, each stored twice in a row (one per channel).
// sum: in: the centre term (left, right); out: the centre term plus the convolution.
//
// `plain` adds the products one by one in tap order. The vector kernels keep eight partial sums
// (tap j goes to sum j mod 8), fold them pairwise in a fixed tree, add the tail that does not
// fill a group of eight in tap order, then the centre term. Every kernel without FMA produces
// the same bits as `laneSplit`, its scalar model, so the sound does not depend on the processor.
// The FMA kernel rounds each product into its sum, which moves the last bits.
using HalfBandKernel = void (*)(const double* history, const double* coefficients, int taps,
                                double* sum);

// Two filters with the same coefficients at once (the engine's up- and down-sampler): each
// coefficient load serves both histories. Bit-identical to two calls of the single kernel.
using HalfBandPairKernel = void (*)(const double* historyA, const double* historyB,
                                    const double* coefficients, int taps, double* sumA,
                                    double* sumB);

namespace halfband
{
void plain(const double* history, const double* coefficients, int taps, double* sum);
void laneSplit(const double* history, const double* coefficients, int taps, double* sum);
void sse2(const double* history, const double* coefficients, int taps, double* sum);
void avx2(const double* history, const double* coefficients, int taps, double* sum);
void avx2Fma(const double* history, const double* coefficients, int taps, double* sum);
void avx512(const double* history, const double* coefficients, int taps, double* sum);

void sse2Pair(const double* historyA, const double* historyB, const double* coefficients, int taps,
              double* sumA, double* sumB);
void avx2Pair(const double* historyA, const double* historyB, const double* coefficients, int taps,
              double* sumA, double* sumB);
void avx2FmaPair(const double* historyA, const double* historyB, const double* coefficients,
                 int taps, double* sumA, double* sumB);

struct KernelInfo
{
    const char* name;
    HalfBandKernel kernel;
    HalfBandPairKernel pair; // null: two calls of `kernel`
    bool supported;          // the processor can run it
    bool sameAsLanes;        // bit-identical to laneSplit
};

// Every kernel with its availability on this processor, the plain one first.
int kernelCount();
KernelInfo kernelInfo(int index);

// The kernel this processor runs, chosen once: AVX2 with FMA where present (the fused
// multiply-adds halve the arithmetic of the costliest loop), else AVX2, else SSE2. AVX-512 is
// not chosen: in the engine, between the scalar feedback chain's instructions, the 512-bit loop
// measured slower than the 256-bit one. The fused kernel's sums differ from the others' in the
// last bits only (see the kernel tests for the bound).
const KernelInfo& best();
} // namespace halfband
