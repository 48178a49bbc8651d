#include "HalfBandKernels.h"

#include <immintrin.h>

// AVX-512 through a function attribute only; chosen at run time after the processor check.
// a0 holds taps 0..3 of each group of eight, a1 taps 4..7. a0+a1 pairs tap q with q+4, the
// 256-bit halves then pair q with q+2, the 128-bit halves q with q+1: the lane-split tree.
namespace halfband
{
__attribute__((target("avx512f"))) void avx512(const double* history, const double* coefficients,
                                               int taps, double* sum)
{
    __m512d a0 = _mm512_setzero_pd(), a1 = a0;
    const int grouped = taps - taps % 8;
    for (int j = 0; j < grouped; j += 8)
    {
        const double* h = history + 2 * j;
        const double* c = coefficients + 2 * j;
        a0 = _mm512_add_pd(a0, _mm512_mul_pd(_mm512_loadu_pd(c), _mm512_loadu_pd(h)));
        a1 = _mm512_add_pd(a1, _mm512_mul_pd(_mm512_loadu_pd(c + 8), _mm512_loadu_pd(h + 8)));
    }
    const __m512d f8 = _mm512_add_pd(a0, a1);
    // Spill and reload rather than extract: GCC 12's extract intrinsic trips -Wuninitialized.
    alignas(64) double lanes[8];
    _mm512_store_pd(lanes, f8);
    const __m256d f4 = _mm256_add_pd(_mm256_load_pd(lanes), _mm256_load_pd(lanes + 4));
    __m128d total = _mm_add_pd(_mm256_castpd256_pd128(f4), _mm256_extractf128_pd(f4, 1));
    for (int j = grouped; j < taps; ++j)
        total = _mm_add_pd(
            total, _mm_mul_pd(_mm_loadu_pd(coefficients + 2 * j), _mm_loadu_pd(history + 2 * j)));
    _mm_storeu_pd(sum, _mm_add_pd(total, _mm_loadu_pd(sum)));
}
} // namespace halfband
