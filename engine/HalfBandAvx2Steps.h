#pragma once

// The steps of the AVX2 kernels, compiled once for each: the including file defines
// OFC_AVX2_TARGET, the instruction sets its functions are built for ("avx2", or "avx2,fma" for
// the kernel that also adds on the multiply units). The library as a whole stays at the SSE2
// baseline, and these run only after the processor check.
//
// A step takes N vectors of four frames. Within a residue r (the taps j = r, r + 4, r + 8, ...)
// the frames x[i - j] move back by four, one vector, from one tap to the next, and the frames
// x[i - span + j] forward by one: each tap loads one vector per side, for the next tap, and
// reuses the other N - 1. The additions bound the kernel, so the instructions around them must be
// few: the tap loop is unrolled N times, and the vectors keep their registers and change roles
// from tap to tap instead of being copied. Sixteen frames per step, one residue at a time, fill
// the 16 registers of x86-64 (the finished residues' sums wait in memory); 32-bit code, with
// eight registers, takes eight frames per step. The frames that do not fill a step go eight at a
// time with two residues side by side and four at a time with all four, so that their sums do not
// wait on each other, and the last one to three with their other lanes masked.
//
// Loading ahead reads the vectors one tap past a residue's last: with at least four pairs these
// are still within the history and the step's frames, which the kernel may read.
//
// A tap takes 2N additions and N multiplications. Where the processor adds on two units and
// multiplies on two others (AMD's since Zen), the FMA kernel moves half the pair sums to the
// multiply units, N + N / 2 operations on each side. FMA overwrites one of its operands, so it
// takes the pair sums with an operand the tap loads anew afterwards (vector 0's forward vector
// and, with four vectors, vector N - 1's back vector): no copy, no extra register. The sums stay
// on the adders: each takes one addition a tap, in a chain, and at about three cycles a tap the
// adders' latency (three cycles, FMA's four on Zen 4) is already the bound.

#ifndef OFC_AVX2_TARGET
#error "define OFC_AVX2_TARGET before including HalfBandAvx2Steps.h"
#endif

#include "HalfBandKernels.h"

#include <immintrin.h>
#include <utility>

namespace halfband
{
namespace
{
#define OFC_AVX2 __attribute__((target(OFC_AVX2_TARGET), always_inline)) inline
#define OFC_AVX2_STEP __attribute__((target(OFC_AVX2_TARGET), noinline))

// x + y, on the multiply units if Fused. Every kernel gives the scalar kernel's bits, and this
// keeps them: x * 1.0 is x exactly (denormals too, flushed or not; a NaN stays a NaN), so
// fma(x, 1.0, y) rounds once, exactly where x + y does. A true multiply-add, k * pair + sum,
// would skip the product's rounding: the kernels never use one.
template <bool Fused> OFC_AVX2 __m256d add(__m256d x, __m256d y)
{
    if constexpr (Fused)
        return _mm256_fmadd_pd(x, _mm256_set1_pd(1.0), y);
    else
        return _mm256_add_pd(x, y);
}

// Whether the FMA kernel's pair sum of vector v runs on the multiply units (see above).
template <int N> constexpr bool fusedPair(int v)
{
    return v == 0 || (N > 2 && v == N - 1);
}

template <int N, bool Fma> struct Residue
{
    const double* back;    // back vector 0 of the next tap: x + i - j
    const double* forward; // forward vector 0 of the next tap: x + i - span + j
    const double* c;       // the next tap's coefficient
    int taps;              // j = r, r + 4, ... below pairs
    // Back vector k of tap t is in register (k - t) mod N, forward vector k in (k + t) mod N.
    __m256d b[N], f[N], sum[N];
};

template <int N, bool Fma>
OFC_AVX2 void start(Residue<N, Fma>& s, const double* x, const double* c, int pairs, int r)
{
    s.back = x - r;
    s.forward = x - (2 * pairs - 1) + r;
    s.c = c + r;
    s.taps = (pairs - r + 3) / 4;
    for (int k = 0; k < N; ++k)
        s.b[k] = _mm256_loadu_pd(s.back + 4 * k);
    for (int k = 0; k < N; ++k)
        s.f[k] = _mm256_loadu_pd(s.forward + 4 * k);
    for (int k = 0; k < N; ++k)
        s.sum[k] = _mm256_setzero_pd();
}

// Vector V of a tap t with t mod N = T.
template <int N, bool Fma, int T, int V> OFC_AVX2 void term(Residue<N, Fma>& s, __m256d k)
{
    const __m256d pair = add < Fma && fusedPair<N>(V) > (s.b[(V + N - T) % N], s.f[(V + T) % N]);
    s.sum[V] = _mm256_add_pd(s.sum[V], _mm256_mul_pd(k, pair));
}

template <int N, bool Fma, int T, int... V>
OFC_AVX2 void tap(Residue<N, Fma>& s, std::integer_sequence<int, V...>)
{
    const __m256d k = _mm256_broadcast_sd(s.c);
    s.c += 4;
    (term<N, Fma, T, V>(s, k), ...);
    s.back -= 4;
    s.forward += 4;
    s.b[(N - T - 1) % N] = _mm256_loadu_pd(s.back);
    s.f[(N + T) % N] = _mm256_loadu_pd(s.forward + 4 * (N - 1));
}

template <int N, bool Fma, int T> OFC_AVX2 void tap(Residue<N, Fma>& s)
{
    tap<N, Fma, T>(s, std::make_integer_sequence<int, N>{});
}

template <int N, bool Fma, int... T>
OFC_AVX2 void round(Residue<N, Fma>& s, std::integer_sequence<int, T...>)
{
    (tap<N, Fma, T>(s), ...);
}

template <int N, bool Fma, int... T>
OFC_AVX2 void round(Residue<N, Fma>& a, Residue<N, Fma>& b, std::integer_sequence<int, T...>)
{
    ((tap<N, Fma, T>(a), tap<N, Fma, T>(b)), ...);
}

// The residue's taps from round position 0 on, while t < its tap count.
template <int N, bool Fma, int... T>
OFC_AVX2 void lastTaps(Residue<N, Fma>& s, int t, std::integer_sequence<int, T...>)
{
    static_cast<void>(((t + T < s.taps ? (tap<N, Fma, T>(s), true) : false) && ...));
}

template <int N, bool Fma>
OFC_AVX2 void residue(Residue<N, Fma>& s, const double* x, const double* c, int pairs, int r)
{
    start(s, x, c, pairs, r);
    int t = 0;
    for (; t + N <= s.taps; t += N)
        round(s, std::make_integer_sequence<int, N>{});
    lastTaps(s, t, std::make_integer_sequence<int, N>{});
}

// Residues r and r + 2 side by side (r has as many taps as r + 2 or one more).
template <int N, bool Fma>
OFC_AVX2 void residuePair(Residue<N, Fma>& a, Residue<N, Fma>& b, const double* x, const double* c,
                          int pairs, int r)
{
    start(a, x, c, pairs, r);
    start(b, x, c, pairs, r + 2);
    int t = 0;
    for (; t + N <= b.taps; t += N)
        round(a, b, std::make_integer_sequence<int, N>{});
    lastTaps(a, t, std::make_integer_sequence<int, N>{});
    lastTaps(b, t, std::make_integer_sequence<int, N>{});
}

// Loads four frames; masked, only the lanes set in `lanes` (the frames within the block).
template <bool Masked> OFC_AVX2 __m256d load(const double* p, __m256i lanes)
{
    return Masked ? _mm256_maskload_pd(p, lanes) : _mm256_loadu_pd(p);
}

template <bool Masked> OFC_AVX2 void store(double* out, __m256d sum, __m256i lanes)
{
    if (Masked)
        _mm256_maskstore_pd(out, lanes, sum);
    else
        _mm256_storeu_pd(out, sum);
}

// One residue at a time; S0 + S2 waits in `out`, S1 in a buffer.
template <int N, bool Fma>
OFC_AVX2 void step(const double* x, const double* c, int pairs, double* out)
{
    double odd[4 * N];
    Residue<N, Fma> s;
    residue(s, x, c, pairs, 0);
    for (int v = 0; v < N; ++v)
        _mm256_storeu_pd(out + 4 * v, s.sum[v]);
    residue(s, x, c, pairs, 2);
    for (int v = 0; v < N; ++v)
        _mm256_storeu_pd(out + 4 * v, _mm256_add_pd(_mm256_loadu_pd(out + 4 * v), s.sum[v]));
    residue(s, x, c, pairs, 1);
    for (int v = 0; v < N; ++v)
        _mm256_storeu_pd(odd + 4 * v, s.sum[v]);
    residue(s, x, c, pairs, 3);
    for (int v = 0; v < N; ++v)
    {
        const __m256d sum = _mm256_add_pd(_mm256_loadu_pd(odd + 4 * v), s.sum[v]);
        _mm256_storeu_pd(out + 4 * v, _mm256_add_pd(_mm256_loadu_pd(out + 4 * v), sum));
    }
}

// Eight frames, residues 0 and 2 side by side, then 1 and 3; S0 + S2 waits in `out`.
template <bool Fma>
OFC_AVX2_STEP void eightFrames(const double* x, const double* c, int pairs, double* out)
{
    Residue<2, Fma> a, b;
    residuePair(a, b, x, c, pairs, 0);
    for (int v = 0; v < 2; ++v)
        _mm256_storeu_pd(out + 4 * v, _mm256_add_pd(a.sum[v], b.sum[v]));
    residuePair(a, b, x, c, pairs, 1);
    for (int v = 0; v < 2; ++v)
    {
        const __m256d sum = _mm256_add_pd(a.sum[v], b.sum[v]);
        _mm256_storeu_pd(out + 4 * v, _mm256_add_pd(_mm256_loadu_pd(out + 4 * v), sum));
    }
}

// Tap j + r of fourFrames, if below pairs.
template <bool Masked, bool Fused>
OFC_AVX2 bool fourFramesTerm(const double* x, const double* c, int pairs, int j, int r,
                             __m256i lanes, __m256d& sum)
{
    if (j + r >= pairs) return false;
    const __m256d pair =
        add<Fused>(load<Masked>(x - j - r, lanes), load<Masked>(x - 2 * pairs + 1 + j + r, lanes));
    sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_broadcast_sd(c + j + r), pair));
    return true;
}

// Up to four frames, all residues side by side and no vector reused; masked, only the lanes set
// in `lanes`.
template <bool Masked, bool Fma, int... R>
OFC_AVX2_STEP void fourFrames(const double* x, const double* c, int pairs, double* out,
                              __m256i lanes, std::integer_sequence<int, R...>)
{
    __m256d sum[4];
    for (int r = 0; r < 4; ++r)
        sum[r] = _mm256_setzero_pd();
    for (int j = 0; j < pairs; j += 4)
        static_cast<void>((fourFramesTerm < Masked,
                           Fma && fusedPair<4>(R) > (x, c, pairs, j, R, lanes, sum[R]) && ...));
    const __m256d even = _mm256_add_pd(sum[0], sum[2]);
    store<Masked>(out, _mm256_add_pd(even, _mm256_add_pd(sum[1], sum[3])), lanes);
}

// The kernel; with Fma, half its pair sums on the multiply units.
template <bool Fma>
OFC_AVX2 void run(const double* x, const double* c, int pairs, int frames, double* out)
{
    if (pairs < 4) return scalar(x, c, pairs, frames, out);
    // A step holds three registers per vector of frames (back, forward, sum): four vectors fill
    // the 16 registers of x86-64, two the eight of 32-bit code.
    constexpr int kVectors = sizeof(void*) == 8 ? 4 : 2;
    int i = 0;
    for (; i + 4 * kVectors <= frames; i += 4 * kVectors)
        step<kVectors, Fma>(x + i, c, pairs, out + i);
    if (i + 8 <= frames)
    {
        eightFrames<Fma>(x + i, c, pairs, out + i);
        i += 8;
    }
    const __m256i lane = _mm256_setr_epi64x(0, 1, 2, 3);
    const auto residues = std::make_integer_sequence<int, 4>{};
    if (i + 4 <= frames)
    {
        fourFrames<false, Fma>(x + i, c, pairs, out + i, lane, residues);
        i += 4;
    }
    if (i < frames)
        fourFrames<true, Fma>(x + i, c, pairs, out + i,
                              _mm256_cmpgt_epi64(_mm256_set1_epi64x(frames - i), lane), residues);
}
#undef OFC_AVX2
#undef OFC_AVX2_STEP
} // namespace
} // namespace halfband
