#pragma once

#include "Biquad.h"

#include <emmintrin.h>

// A second-order filter in direct form I whose left and right channels share one SSE2 register.
// It serves the output stage's colourings, where nothing waits for a sample's output but the
// filter's own next sample: the previous output comes in last, so that the recursion is one
// multiplication and one subtraction deep.
class PairedBiquad
{
  public:
    void setCoefficients(const Biquad::Coefficients& c)
    {
        b0 = _mm_set1_pd(c.b0);
        b1 = _mm_set1_pd(c.b1);
        b2 = _mm_set1_pd(c.b2);
        a1 = _mm_set1_pd(c.a1);
        a2 = _mm_set1_pd(c.a2);
    }

    __m128d process(__m128d x)
    {
        __m128d y = _mm_add_pd(_mm_mul_pd(b0, x), _mm_mul_pd(b1, x1));
        y = _mm_add_pd(y, _mm_mul_pd(b2, x2));
        y = _mm_sub_pd(y, _mm_mul_pd(a2, y2));
        y = _mm_sub_pd(y, _mm_mul_pd(a1, y1));
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    void reset() { x1 = x2 = y1 = y2 = _mm_setzero_pd(); }

    double stateSum() const
    {
        const __m128d s = _mm_add_pd(_mm_add_pd(x1, x2), _mm_add_pd(y1, y2));
        return _mm_cvtsd_f64(_mm_add_sd(s, _mm_unpackhi_pd(s, s)));
    }

  private:
    __m128d b0 = _mm_set1_pd(1.0), b1 = _mm_setzero_pd(), b2 = _mm_setzero_pd();
    __m128d a1 = _mm_setzero_pd(), a2 = _mm_setzero_pd();
    __m128d x1 = _mm_setzero_pd(), x2 = _mm_setzero_pd();
    __m128d y1 = _mm_setzero_pd(), y2 = _mm_setzero_pd();
};
