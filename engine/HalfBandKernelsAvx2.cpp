#include "HalfBandKernels.h"

#include <immintrin.h>
#include <utility>

// Built for AVX2 through function attributes only: the library as a whole stays at the SSE2
// baseline, and this runs only after the processor check.
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
namespace halfband
{
namespace
{
#define OFC_AVX2 __attribute__((target("avx2"), always_inline)) inline
#define OFC_AVX2_STEP __attribute__((target("avx2"), noinline))

template <int N> struct Residue
{
    const double* back;    // back vector 0 of the next tap: x + i - j
    const double* forward; // forward vector 0 of the next tap: x + i - span + j
    const double* c;       // the next tap's coefficient
    int taps;              // j = r, r + 4, ... below pairs
    // Back vector k of tap t is in register (k - t) mod N, forward vector k in (k + t) mod N.
    __m256d b[N], f[N], sum[N];
};

template <int N>
OFC_AVX2 void start(Residue<N>& s, const double* x, const double* c, int pairs, int r)
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

// A tap t with t mod N = T.
template <int N, int T> OFC_AVX2 void tap(Residue<N>& s)
{
    const __m256d k = _mm256_broadcast_sd(s.c);
    s.c += 4;
    for (int v = 0; v < N; ++v)
    {
        const __m256d pair = _mm256_add_pd(s.b[(v + N - T) % N], s.f[(v + T) % N]);
        s.sum[v] = _mm256_add_pd(s.sum[v], _mm256_mul_pd(k, pair));
    }
    s.back -= 4;
    s.forward += 4;
    s.b[(N - T - 1) % N] = _mm256_loadu_pd(s.back);
    s.f[(N + T) % N] = _mm256_loadu_pd(s.forward + 4 * (N - 1));
}

template <int N, int... T> OFC_AVX2 void round(Residue<N>& s, std::integer_sequence<int, T...>)
{
    (tap<N, T>(s), ...);
}

template <int N, int... T>
OFC_AVX2 void round(Residue<N>& a, Residue<N>& b, std::integer_sequence<int, T...>)
{
    ((tap<N, T>(a), tap<N, T>(b)), ...);
}

// The residue's taps from round position 0 on, while t < its tap count.
template <int N, int... T>
OFC_AVX2 void lastTaps(Residue<N>& s, int t, std::integer_sequence<int, T...>)
{
    static_cast<void>(((t + T < s.taps ? (tap<N, T>(s), true) : false) && ...));
}

template <int N>
OFC_AVX2 void residue(Residue<N>& s, const double* x, const double* c, int pairs, int r)
{
    start(s, x, c, pairs, r);
    int t = 0;
    for (; t + N <= s.taps; t += N)
        round<N>(s, std::make_integer_sequence<int, N>{});
    lastTaps<N>(s, t, std::make_integer_sequence<int, N>{});
}

// Residues r and r + 2 side by side (r has as many taps as r + 2 or one more).
template <int N>
OFC_AVX2 void residuePair(Residue<N>& a, Residue<N>& b, const double* x, const double* c, int pairs,
                          int r)
{
    start(a, x, c, pairs, r);
    start(b, x, c, pairs, r + 2);
    int t = 0;
    for (; t + N <= b.taps; t += N)
        round<N>(a, b, std::make_integer_sequence<int, N>{});
    lastTaps<N>(a, t, std::make_integer_sequence<int, N>{});
    lastTaps<N>(b, t, std::make_integer_sequence<int, N>{});
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
template <int N> OFC_AVX2 void step(const double* x, const double* c, int pairs, double* out)
{
    double odd[4 * N];
    Residue<N> s;
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
OFC_AVX2_STEP void eightFrames(const double* x, const double* c, int pairs, double* out)
{
    Residue<2> a, b;
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

// Up to four frames, all residues side by side and no vector reused; masked, only the lanes set
// in `lanes`.
template <bool Masked>
OFC_AVX2_STEP void fourFrames(const double* x, const double* c, int pairs, double* out,
                              __m256i lanes)
{
    const int span = 2 * pairs - 1;
    __m256d sum[4];
    for (int r = 0; r < 4; ++r)
        sum[r] = _mm256_setzero_pd();
    for (int j = 0; j < pairs; j += 4)
        for (int r = 0; r < 4 && j + r < pairs; ++r)
        {
            const __m256d pair = _mm256_add_pd(load<Masked>(x - j - r, lanes),
                                               load<Masked>(x - span + j + r, lanes));
            sum[r] = _mm256_add_pd(sum[r], _mm256_mul_pd(_mm256_broadcast_sd(c + j + r), pair));
        }
    const __m256d even = _mm256_add_pd(sum[0], sum[2]);
    store<Masked>(out, _mm256_add_pd(even, _mm256_add_pd(sum[1], sum[3])), lanes);
}
#undef OFC_AVX2
#undef OFC_AVX2_STEP
} // namespace

__attribute__((target("avx2"))) void avx2(const double* x, const double* c, int pairs, int frames,
                                          double* out)
{
    if (pairs < 4) return scalar(x, c, pairs, frames, out);
    // A step holds three registers per vector of frames (back, forward, sum): four vectors fill
    // the 16 registers of x86-64, two the eight of 32-bit code.
    constexpr int kVectors = sizeof(void*) == 8 ? 4 : 2;
    int i = 0;
    for (; i + 4 * kVectors <= frames; i += 4 * kVectors)
        step<kVectors>(x + i, c, pairs, out + i);
    if (i + 8 <= frames)
    {
        eightFrames(x + i, c, pairs, out + i);
        i += 8;
    }
    const __m256i lane = _mm256_setr_epi64x(0, 1, 2, 3);
    if (i + 4 <= frames)
    {
        fourFrames<false>(x + i, c, pairs, out + i, lane);
        i += 4;
    }
    if (i < frames)
        fourFrames<true>(x + i, c, pairs, out + i,
                         _mm256_cmpgt_epi64(_mm256_set1_epi64x(frames - i), lane));
}
} // namespace halfband
