#include "HalfBandKernels.h"

#include <emmintrin.h>

namespace halfband
{
void sse2(const double* history, const double* coefficients, int taps, double* sum)
{
    __m128d s0 = _mm_setzero_pd(), s1 = s0, s2 = s0, s3 = s0, s4 = s0, s5 = s0, s6 = s0, s7 = s0;
    const int grouped = taps - taps % 8;
    for (int j = 0; j < grouped; j += 8)
    {
        const double* h = history + 2 * j;
        const double* c = coefficients + 2 * j;
        s0 = _mm_add_pd(s0, _mm_mul_pd(_mm_loadu_pd(c), _mm_loadu_pd(h)));
        s1 = _mm_add_pd(s1, _mm_mul_pd(_mm_loadu_pd(c + 2), _mm_loadu_pd(h + 2)));
        s2 = _mm_add_pd(s2, _mm_mul_pd(_mm_loadu_pd(c + 4), _mm_loadu_pd(h + 4)));
        s3 = _mm_add_pd(s3, _mm_mul_pd(_mm_loadu_pd(c + 6), _mm_loadu_pd(h + 6)));
        s4 = _mm_add_pd(s4, _mm_mul_pd(_mm_loadu_pd(c + 8), _mm_loadu_pd(h + 8)));
        s5 = _mm_add_pd(s5, _mm_mul_pd(_mm_loadu_pd(c + 10), _mm_loadu_pd(h + 10)));
        s6 = _mm_add_pd(s6, _mm_mul_pd(_mm_loadu_pd(c + 12), _mm_loadu_pd(h + 12)));
        s7 = _mm_add_pd(s7, _mm_mul_pd(_mm_loadu_pd(c + 14), _mm_loadu_pd(h + 14)));
    }
    __m128d total = _mm_add_pd(_mm_add_pd(_mm_add_pd(s0, s4), _mm_add_pd(s2, s6)),
                               _mm_add_pd(_mm_add_pd(s1, s5), _mm_add_pd(s3, s7)));
    for (int j = grouped; j < taps; ++j)
        total = _mm_add_pd(
            total, _mm_mul_pd(_mm_loadu_pd(coefficients + 2 * j), _mm_loadu_pd(history + 2 * j)));
    _mm_storeu_pd(sum, _mm_add_pd(total, _mm_loadu_pd(sum)));
}
} // namespace halfband

namespace halfband
{
void sse2Pair(const double* historyA, const double* historyB, const double* coefficients, int taps,
              double* sumA, double* sumB)
{
    __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0, a4 = a0, a5 = a0, a6 = a0, a7 = a0;
    __m128d b0 = a0, b1 = a0, b2 = a0, b3 = a0, b4 = a0, b5 = a0, b6 = a0, b7 = a0;
    const int grouped = taps - taps % 8;
    for (int j = 0; j < grouped; j += 8)
    {
        const double* ha = historyA + 2 * j;
        const double* hb = historyB + 2 * j;
        const double* c = coefficients + 2 * j;
        __m128d k = _mm_loadu_pd(c);
        a0 = _mm_add_pd(a0, _mm_mul_pd(k, _mm_loadu_pd(ha)));
        b0 = _mm_add_pd(b0, _mm_mul_pd(k, _mm_loadu_pd(hb)));
        k = _mm_loadu_pd(c + 2);
        a1 = _mm_add_pd(a1, _mm_mul_pd(k, _mm_loadu_pd(ha + 2)));
        b1 = _mm_add_pd(b1, _mm_mul_pd(k, _mm_loadu_pd(hb + 2)));
        k = _mm_loadu_pd(c + 4);
        a2 = _mm_add_pd(a2, _mm_mul_pd(k, _mm_loadu_pd(ha + 4)));
        b2 = _mm_add_pd(b2, _mm_mul_pd(k, _mm_loadu_pd(hb + 4)));
        k = _mm_loadu_pd(c + 6);
        a3 = _mm_add_pd(a3, _mm_mul_pd(k, _mm_loadu_pd(ha + 6)));
        b3 = _mm_add_pd(b3, _mm_mul_pd(k, _mm_loadu_pd(hb + 6)));
        k = _mm_loadu_pd(c + 8);
        a4 = _mm_add_pd(a4, _mm_mul_pd(k, _mm_loadu_pd(ha + 8)));
        b4 = _mm_add_pd(b4, _mm_mul_pd(k, _mm_loadu_pd(hb + 8)));
        k = _mm_loadu_pd(c + 10);
        a5 = _mm_add_pd(a5, _mm_mul_pd(k, _mm_loadu_pd(ha + 10)));
        b5 = _mm_add_pd(b5, _mm_mul_pd(k, _mm_loadu_pd(hb + 10)));
        k = _mm_loadu_pd(c + 12);
        a6 = _mm_add_pd(a6, _mm_mul_pd(k, _mm_loadu_pd(ha + 12)));
        b6 = _mm_add_pd(b6, _mm_mul_pd(k, _mm_loadu_pd(hb + 12)));
        k = _mm_loadu_pd(c + 14);
        a7 = _mm_add_pd(a7, _mm_mul_pd(k, _mm_loadu_pd(ha + 14)));
        b7 = _mm_add_pd(b7, _mm_mul_pd(k, _mm_loadu_pd(hb + 14)));
    }
    __m128d ta = _mm_add_pd(_mm_add_pd(_mm_add_pd(a0, a4), _mm_add_pd(a2, a6)),
                            _mm_add_pd(_mm_add_pd(a1, a5), _mm_add_pd(a3, a7)));
    __m128d tb = _mm_add_pd(_mm_add_pd(_mm_add_pd(b0, b4), _mm_add_pd(b2, b6)),
                            _mm_add_pd(_mm_add_pd(b1, b5), _mm_add_pd(b3, b7)));
    for (int j = grouped; j < taps; ++j)
    {
        const __m128d k = _mm_loadu_pd(coefficients + 2 * j);
        ta = _mm_add_pd(ta, _mm_mul_pd(k, _mm_loadu_pd(historyA + 2 * j)));
        tb = _mm_add_pd(tb, _mm_mul_pd(k, _mm_loadu_pd(historyB + 2 * j)));
    }
    _mm_storeu_pd(sumA, _mm_add_pd(ta, _mm_loadu_pd(sumA)));
    _mm_storeu_pd(sumB, _mm_add_pd(tb, _mm_loadu_pd(sumB)));
}
} // namespace halfband
