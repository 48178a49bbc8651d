#pragma once

#include "Biquad.h"

#include <emmintrin.h>

// A biquad's coefficients in both lanes of SSE2 registers, for filters whose left and right (or
// side and mid) channels share one register.
struct PairedBiquadCoefficients
{
    __m128d b0 = _mm_set1_pd(1.0), b1 = _mm_setzero_pd(), b2 = _mm_setzero_pd();
    __m128d a1 = _mm_setzero_pd(), a2 = _mm_setzero_pd();

    void set(const Biquad::Coefficients& c)
    {
        b0 = _mm_set1_pd(c.b0);
        b1 = _mm_set1_pd(c.b1);
        b2 = _mm_set1_pd(c.b2);
        a1 = _mm_set1_pd(c.a1);
        a2 = _mm_set1_pd(c.a2);
    }
};

// A second-order filter in transposed direct form II whose left and right channels share one
// SSE2 register. It serves the colourings, which run inside the feedback loop in the units its
// chain of dependent steps leaves idle: two states rather than direct form I's four leave the
// loop more registers, and nothing waits for the output but the filter's own next sample.
class PairedBiquad
{
  public:
    void setCoefficients(const Biquad::Coefficients& c) { k.set(c); }

    __m128d process(__m128d x)
    {
        const __m128d y = _mm_add_pd(_mm_mul_pd(k.b0, x), s1);
        s1 = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(k.b1, x), _mm_mul_pd(k.a1, y)), s2);
        s2 = _mm_sub_pd(_mm_mul_pd(k.b2, x), _mm_mul_pd(k.a2, y));
        return y;
    }

    void reset() { s1 = s2 = _mm_setzero_pd(); }
    void copyStatesFrom(const PairedBiquad& o)
    {
        s1 = o.s1;
        s2 = o.s2;
    }

    double stateSum() const
    {
        const __m128d s = _mm_add_pd(s1, s2);
        return _mm_cvtsd_f64(_mm_add_sd(s, _mm_unpackhi_pd(s, s)));
    }

  private:
    PairedBiquadCoefficients k;
    __m128d s1 = _mm_setzero_pd(), s2 = _mm_setzero_pd();
};
