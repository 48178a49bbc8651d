#include "HalfBandKernels.h"

#include <emmintrin.h>

// Four frames per step in two vectors, each with its four partial sums by j mod 4. The frames
// that do not fill a step go through the scalar kernel, which sums in the same order.
namespace halfband
{
namespace
{
inline __m128d term(double k, const double* a, const double* b)
{
    return _mm_mul_pd(_mm_set1_pd(k), _mm_add_pd(_mm_loadu_pd(a), _mm_loadu_pd(b)));
}

inline __m128d combine(const __m128d* s)
{
    return _mm_add_pd(_mm_add_pd(s[0], s[2]), _mm_add_pd(s[1], s[3]));
}
} // namespace

void sse2(const double* x, const double* c, int pairs, int frames, double* out)
{
    const int span = 2 * pairs - 1;
    int i = 0;
    for (; i + 4 <= frames; i += 4)
    {
        __m128d low[4], high[4];
        for (int r = 0; r < 4; ++r)
            low[r] = high[r] = _mm_setzero_pd();
        int j = 0;
        for (; j + 4 <= pairs; j += 4)
            for (int r = 0; r < 4; ++r)
            {
                const double* a = x + i - j - r;
                const double* b = x + i - span + j + r;
                low[r] = _mm_add_pd(low[r], term(c[j + r], a, b));
                high[r] = _mm_add_pd(high[r], term(c[j + r], a + 2, b + 2));
            }
        for (int r = 0; j + r < pairs; ++r)
        {
            const double* a = x + i - j - r;
            const double* b = x + i - span + j + r;
            low[r] = _mm_add_pd(low[r], term(c[j + r], a, b));
            high[r] = _mm_add_pd(high[r], term(c[j + r], a + 2, b + 2));
        }
        _mm_storeu_pd(out + i, combine(low));
        _mm_storeu_pd(out + i + 2, combine(high));
    }
    scalar(x + i, c, pairs, frames - i, out + i);
}
} // namespace halfband
