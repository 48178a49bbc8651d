#include "HalfBandKernels.h"

#include <immintrin.h>

// Built for AVX2 (and FMA for the fused variant) through function attributes only: the library
// as a whole stays at the SSE2 baseline, and these run only after the processor check.
// a0 holds taps 0,1 of each group of eight, a1 taps 2,3, a2 taps 4,5, a3 taps 6,7; folding
// a0+a2 and a1+a3 and then the two 128-bit halves gives the lane-split tree.
namespace halfband
{
__attribute__((target("avx2"))) void avx2(const double* history, const double* coefficients,
                                          int taps, double* sum)
{
    __m256d a0 = _mm256_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
    const int grouped = taps - taps % 8;
    for (int j = 0; j < grouped; j += 8)
    {
        const double* h = history + 2 * j;
        const double* c = coefficients + 2 * j;
        a0 = _mm256_add_pd(a0, _mm256_mul_pd(_mm256_loadu_pd(c), _mm256_loadu_pd(h)));
        a1 = _mm256_add_pd(a1, _mm256_mul_pd(_mm256_loadu_pd(c + 4), _mm256_loadu_pd(h + 4)));
        a2 = _mm256_add_pd(a2, _mm256_mul_pd(_mm256_loadu_pd(c + 8), _mm256_loadu_pd(h + 8)));
        a3 = _mm256_add_pd(a3, _mm256_mul_pd(_mm256_loadu_pd(c + 12), _mm256_loadu_pd(h + 12)));
    }
    const __m256d folded = _mm256_add_pd(_mm256_add_pd(a0, a2), _mm256_add_pd(a1, a3));
    __m128d total = _mm_add_pd(_mm256_castpd256_pd128(folded), _mm256_extractf128_pd(folded, 1));
    for (int j = grouped; j < taps; ++j)
        total = _mm_add_pd(
            total, _mm_mul_pd(_mm_loadu_pd(coefficients + 2 * j), _mm_loadu_pd(history + 2 * j)));
    _mm_storeu_pd(sum, _mm_add_pd(total, _mm_loadu_pd(sum)));
}

__attribute__((target("avx2,fma"))) void avx2Fma(const double* history, const double* coefficients,
                                                 int taps, double* sum)
{
    __m256d a0 = _mm256_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
    const int grouped = taps - taps % 8;
    for (int j = 0; j < grouped; j += 8)
    {
        const double* h = history + 2 * j;
        const double* c = coefficients + 2 * j;
        a0 = _mm256_fmadd_pd(_mm256_loadu_pd(c), _mm256_loadu_pd(h), a0);
        a1 = _mm256_fmadd_pd(_mm256_loadu_pd(c + 4), _mm256_loadu_pd(h + 4), a1);
        a2 = _mm256_fmadd_pd(_mm256_loadu_pd(c + 8), _mm256_loadu_pd(h + 8), a2);
        a3 = _mm256_fmadd_pd(_mm256_loadu_pd(c + 12), _mm256_loadu_pd(h + 12), a3);
    }
    const __m256d folded = _mm256_add_pd(_mm256_add_pd(a0, a2), _mm256_add_pd(a1, a3));
    __m128d total = _mm_add_pd(_mm256_castpd256_pd128(folded), _mm256_extractf128_pd(folded, 1));
    for (int j = grouped; j < taps; ++j)
        total =
            _mm_fmadd_pd(_mm_loadu_pd(coefficients + 2 * j), _mm_loadu_pd(history + 2 * j), total);
    _mm_storeu_pd(sum, _mm_add_pd(total, _mm_loadu_pd(sum)));
}
} // namespace halfband

namespace halfband
{
namespace
{
template <bool Fused> struct Avx2Step;

template <> struct Avx2Step<false>
{
    __attribute__((target("avx2"), always_inline)) static inline __m256d madd(__m256d acc,
                                                                              __m256d k, __m256d h)
    {
        return _mm256_add_pd(acc, _mm256_mul_pd(k, h));
    }
    __attribute__((target("avx2"), always_inline)) static inline __m128d madd(__m128d acc,
                                                                              __m128d k, __m128d h)
    {
        return _mm_add_pd(acc, _mm_mul_pd(k, h));
    }
};

template <> struct Avx2Step<true>
{
    __attribute__((target("avx2,fma"), always_inline)) static inline __m256d
    madd(__m256d acc, __m256d k, __m256d h)
    {
        return _mm256_fmadd_pd(k, h, acc);
    }
    __attribute__((target("avx2,fma"), always_inline)) static inline __m128d
    madd(__m128d acc, __m128d k, __m128d h)
    {
        return _mm_fmadd_pd(k, h, acc);
    }
};

__attribute__((target("avx2"), always_inline)) inline __m128d fold(__m256d a0, __m256d a1,
                                                                   __m256d a2, __m256d a3)
{
    const __m256d f = _mm256_add_pd(_mm256_add_pd(a0, a2), _mm256_add_pd(a1, a3));
    return _mm_add_pd(_mm256_castpd256_pd128(f), _mm256_extractf128_pd(f, 1));
}

#define OFC_AVX2_PAIR_BODY(Step)                                                                   \
    __m256d a0 = _mm256_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;                                   \
    __m256d b0 = a0, b1 = a0, b2 = a0, b3 = a0;                                                    \
    const int grouped = taps - taps % 8;                                                           \
    for (int j = 0; j < grouped; j += 8)                                                           \
    {                                                                                              \
        const double* ha = historyA + 2 * j;                                                       \
        const double* hb = historyB + 2 * j;                                                       \
        const double* c = coefficients + 2 * j;                                                    \
        __m256d k = _mm256_loadu_pd(c);                                                            \
        a0 = Step::madd(a0, k, _mm256_loadu_pd(ha));                                               \
        b0 = Step::madd(b0, k, _mm256_loadu_pd(hb));                                               \
        k = _mm256_loadu_pd(c + 4);                                                                \
        a1 = Step::madd(a1, k, _mm256_loadu_pd(ha + 4));                                           \
        b1 = Step::madd(b1, k, _mm256_loadu_pd(hb + 4));                                           \
        k = _mm256_loadu_pd(c + 8);                                                                \
        a2 = Step::madd(a2, k, _mm256_loadu_pd(ha + 8));                                           \
        b2 = Step::madd(b2, k, _mm256_loadu_pd(hb + 8));                                           \
        k = _mm256_loadu_pd(c + 12);                                                               \
        a3 = Step::madd(a3, k, _mm256_loadu_pd(ha + 12));                                          \
        b3 = Step::madd(b3, k, _mm256_loadu_pd(hb + 12));                                          \
    }                                                                                              \
    __m128d ta = fold(a0, a1, a2, a3), tb = fold(b0, b1, b2, b3);                                  \
    for (int j = grouped; j < taps; ++j)                                                           \
    {                                                                                              \
        const __m128d k = _mm_loadu_pd(coefficients + 2 * j);                                      \
        ta = Step::madd(ta, k, _mm_loadu_pd(historyA + 2 * j));                                    \
        tb = Step::madd(tb, k, _mm_loadu_pd(historyB + 2 * j));                                    \
    }                                                                                              \
    _mm_storeu_pd(sumA, _mm_add_pd(ta, _mm_loadu_pd(sumA)));                                       \
    _mm_storeu_pd(sumB, _mm_add_pd(tb, _mm_loadu_pd(sumB)));
} // namespace

__attribute__((target("avx2"))) void avx2Pair(const double* historyA, const double* historyB,
                                              const double* coefficients, int taps, double* sumA,
                                              double* sumB)
{
    OFC_AVX2_PAIR_BODY(Avx2Step<false>)
}

__attribute__((target("avx2,fma"))) void avx2FmaPair(const double* historyA, const double* historyB,
                                                     const double* coefficients, int taps,
                                                     double* sumA, double* sumB)
{
    OFC_AVX2_PAIR_BODY(Avx2Step<true>)
}
#undef OFC_AVX2_PAIR_BODY
} // namespace halfband
