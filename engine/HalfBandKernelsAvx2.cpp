#include "HalfBandKernels.h"

#include <immintrin.h>

// Built for AVX2 (and FMA for the fused variant) through function attributes only: the library
// as a whole stays at the SSE2 baseline, and these run only after the processor check. Eight
// frames per step in two vectors, each with its four partial sums by j mod 4 (eight independent
// sums keep the arithmetic busy while each waits for its previous result); the frames that do
// not fill a step go through the scalar model of the same order.
namespace halfband
{
namespace
{
template <bool Fused> struct Avx2Step;

template <> struct Avx2Step<false>
{
    __attribute__((target("avx2"), always_inline)) static inline __m256d
    add(__m256d sum, __m256d k, const double* a, const double* b)
    {
        return _mm256_add_pd(
            sum, _mm256_mul_pd(k, _mm256_add_pd(_mm256_loadu_pd(a), _mm256_loadu_pd(b))));
    }
};

template <> struct Avx2Step<true>
{
    __attribute__((target("avx2,fma"), always_inline)) static inline __m256d
    add(__m256d sum, __m256d k, const double* a, const double* b)
    {
        return _mm256_fmadd_pd(k, _mm256_add_pd(_mm256_loadu_pd(a), _mm256_loadu_pd(b)), sum);
    }
};

#define OFC_AVX2_EIGHT_FRAMES(Step)                                                                \
    const int span = 2 * pairs - 1;                                                                \
    __m256d l0 = _mm256_setzero_pd(), l1 = l0, l2 = l0, l3 = l0;                                   \
    __m256d h0 = l0, h1 = l0, h2 = l0, h3 = l0;                                                    \
    int j = 0;                                                                                     \
    for (; j + 4 <= pairs; j += 4)                                                                 \
    {                                                                                              \
        const double* a = x - j;                                                                   \
        const double* b = x - span + j;                                                            \
        __m256d k = _mm256_set1_pd(c[j]);                                                          \
        l0 = Step::add(l0, k, a, b);                                                               \
        h0 = Step::add(h0, k, a + 4, b + 4);                                                       \
        k = _mm256_set1_pd(c[j + 1]);                                                              \
        l1 = Step::add(l1, k, a - 1, b + 1);                                                       \
        h1 = Step::add(h1, k, a + 3, b + 5);                                                       \
        k = _mm256_set1_pd(c[j + 2]);                                                              \
        l2 = Step::add(l2, k, a - 2, b + 2);                                                       \
        h2 = Step::add(h2, k, a + 2, b + 6);                                                       \
        k = _mm256_set1_pd(c[j + 3]);                                                              \
        l3 = Step::add(l3, k, a - 3, b + 3);                                                       \
        h3 = Step::add(h3, k, a + 1, b + 7);                                                       \
    }                                                                                              \
    __m256d* low[4] = {&l0, &l1, &l2, &l3};                                                        \
    __m256d* high[4] = {&h0, &h1, &h2, &h3};                                                       \
    for (int r = 0; j + r < pairs; ++r)                                                            \
    {                                                                                              \
        const double* a = x - j - r;                                                               \
        const double* b = x - span + j + r;                                                        \
        const __m256d k = _mm256_set1_pd(c[j + r]);                                                \
        *low[r] = Step::add(*low[r], k, a, b);                                                     \
        *high[r] = Step::add(*high[r], k, a + 4, b + 4);                                           \
    }                                                                                              \
    _mm256_storeu_pd(out, _mm256_add_pd(_mm256_add_pd(l0, l2), _mm256_add_pd(l1, l3)));            \
    _mm256_storeu_pd(out + 4, _mm256_add_pd(_mm256_add_pd(h0, h2), _mm256_add_pd(h1, h3)));

__attribute__((target("avx2"))) void eightFrames(const double* x, const double* c, int pairs,
                                                 double* out)
{
    OFC_AVX2_EIGHT_FRAMES(Avx2Step<false>)
}

__attribute__((target("avx2,fma"))) void eightFramesFused(const double* x, const double* c,
                                                          int pairs, double* out)
{
    OFC_AVX2_EIGHT_FRAMES(Avx2Step<true>)
}
#undef OFC_AVX2_EIGHT_FRAMES
} // namespace

__attribute__((target("avx2"))) void avx2(const double* x, const double* c, int pairs, int frames,
                                          double* out)
{
    int i = 0;
    for (; i + 8 <= frames; i += 8)
        eightFrames(x + i, c, pairs, out + i);
    scalar(x + i, c, pairs, frames - i, out + i);
}

__attribute__((target("avx2,fma"))) void avx2Fma(const double* x, const double* c, int pairs,
                                                 int frames, double* out)
{
    int i = 0;
    for (; i + 8 <= frames; i += 8)
        eightFramesFused(x + i, c, pairs, out + i);
    scalarFused(x + i, c, pairs, frames - i, out + i);
}
} // namespace halfband
