#include "HalfBandKernels.h"

#include <immintrin.h>

// Built for AVX2 through function attributes only: the library as a whole stays at the SSE2
// baseline, and this runs only after the processor check.
//
// Eight frames per step in two vectors. For the taps j = r, r + 4, r + 8, ... of one residue r,
// the frames x[i - j] of the two vectors move back by one vector from one tap to the next, and
// the frames x[i - span + j] forward by one: each tap reuses one vector of each side and loads
// one. Two residues run side by side (four independent sums), then the other two.
namespace halfband
{
namespace
{
struct Residue
{
    const double* back;    // x - j for the current tap
    const double* forward; // x - span + j
    __m256d back0, back1, forward0, forward1, sum0, sum1;
};

__attribute__((target("avx2"), always_inline)) inline void start(Residue& s, const double* x,
                                                                 int span, int r)
{
    s.back = x - r;
    s.forward = x - span + r;
    s.back0 = _mm256_loadu_pd(s.back);
    s.back1 = _mm256_loadu_pd(s.back + 4);
    s.forward0 = _mm256_loadu_pd(s.forward);
    s.forward1 = _mm256_loadu_pd(s.forward + 4);
    s.sum0 = s.sum1 = _mm256_setzero_pd();
}

__attribute__((target("avx2"), always_inline)) inline void tap(Residue& s, double c)
{
    const __m256d k = _mm256_set1_pd(c);
    s.sum0 = _mm256_add_pd(s.sum0, _mm256_mul_pd(k, _mm256_add_pd(s.back0, s.forward0)));
    s.sum1 = _mm256_add_pd(s.sum1, _mm256_mul_pd(k, _mm256_add_pd(s.back1, s.forward1)));
    s.back1 = s.back0;
    s.back -= 4;
    s.back0 = _mm256_loadu_pd(s.back);
    s.forward0 = s.forward1;
    s.forward += 4;
    s.forward1 = _mm256_loadu_pd(s.forward + 4);
}

// Residues r and r + 1 of eight frames into sums[r], sums[r + 1] (two vectors each).
__attribute__((target("avx2"), always_inline)) inline void
residuePair(const double* x, const double* c, int pairs, int r, __m256d* sums)
{
    const int span = 2 * pairs - 1;
    Residue a, b;
    start(a, x, span, r);
    start(b, x, span, r + 1);
    int j = r;
    // Unrolled once, the vectors that move from one tap to the next change names instead of
    // registers.
#pragma GCC unroll 2
    for (; j + 1 < pairs; j += 4)
    {
        tap(a, c[j]);
        tap(b, c[j + 1]);
    }
    if (j < pairs) tap(a, c[j]);
    sums[2 * r] = a.sum0;
    sums[2 * r + 1] = a.sum1;
    sums[2 * r + 2] = b.sum0;
    sums[2 * r + 3] = b.sum1;
}

__attribute__((target("avx2"))) void eightFrames(const double* x, const double* c, int pairs,
                                                 double* out)
{
    __m256d s[8]; // residue r, vector v at 2r + v
    residuePair(x, c, pairs, 0, s);
    residuePair(x, c, pairs, 2, s);
    for (int v = 0; v < 2; ++v)
        _mm256_storeu_pd(out + 4 * v, _mm256_add_pd(_mm256_add_pd(s[v], s[4 + v]),
                                                    _mm256_add_pd(s[2 + v], s[6 + v])));
}
} // namespace

__attribute__((target("avx2"))) void avx2(const double* x, const double* c, int pairs, int frames,
                                          double* out)
{
    int i = 0;
    for (; i + 8 <= frames; i += 8)
        eightFrames(x + i, c, pairs, out + i);
    scalar(x + i, c, pairs, frames - i, out + i);
}
} // namespace halfband
