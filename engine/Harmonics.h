#pragma once

#include "Biquad.h"
#include "PairedBiquad.h"

#include <emmintrin.h>

// Harmonic colouring in the output stage: a band of the input (HF: 2.2 to 12 kHz, LF: below
// 90 Hz) is bent by a soft curve, and the amount times the gain times the bend is taken from the
// compressed sample. The HF curve is asymmetric (even and odd harmonics), the LF curve odd only.
class Harmonics
{
  public:
    struct Design
    {
        bool hfOn = false, lfOn = false;
        double hfAmount = 0.0, lfAmount = 0.0;
        Biquad::Coefficients lfLowPass, hfHighPass, hfLowPass;

        void redesign(double internalRate);
    };

    void setDesign(const Design& d);
    bool anyOn() const { return hfOn || lfOn; }

    // x (1 + x^2) / (1 + 1.6 x^2) above zero, x (0.7 + x^2) / (0.7 + 1.3 x^2) otherwise; the
    // constants are selected rather than the branch taken, as the band changes sign constantly.
    static double curveHf(double x)
    {
        const double x2 = x * x;
        const bool positive = x > 0.0;
        const double a = positive ? 1.0 : 0.7;
        const double b = positive ? 1.6 : 1.3;
        return x * (a + x2) / (a + b * x2);
    }
    static double curveLf(double x)
    {
        const double x2 = x * x;
        return x * (6.0 + x2) / (6.0 + 2.0 * x2);
    }

    // y: the compressed pair x gPrev, reduced in place by the enabled colourings; g holds gPrev
    // in both lanes. The channels run side by side in SSE2 lanes, each lane doing the scalar
    // steps above.
    void apply(__m128d x, __m128d g, __m128d& y)
    {
        if (hfOn)
        {
            __m128d h = hfLowPass.process(hfHighPass.process(x));
            h = _mm_sub_pd(curveHf(h), h);
            y = _mm_sub_pd(y, _mm_mul_pd(_mm_mul_pd(h, hfAmount), g));
        }
        if (lfOn)
        {
            __m128d h = lfLowPass.process(x);
            h = _mm_sub_pd(curveLf(h), h);
            y = _mm_sub_pd(y, _mm_mul_pd(_mm_mul_pd(h, lfAmount), g));
        }
    }

    void reset();
    bool sanitize();
    void copyStatesFrom(const Harmonics& o)
    {
        lfLowPass.copyStatesFrom(o.lfLowPass);
        hfHighPass.copyStatesFrom(o.hfHighPass);
        hfLowPass.copyStatesFrom(o.hfLowPass);
    }

  private:
    static __m128d curveHf(__m128d x)
    {
        const __m128d x2 = _mm_mul_pd(x, x);
        // The constants' bits chosen by the sign: the negative one's, flipped where they
        // differ from the positive one's, two instructions where and/andnot/or take three.
        const __m128d positive = _mm_cmpgt_pd(x, _mm_setzero_pd());
        const __m128d a = _mm_xor_pd(_mm_set1_pd(0.7), _mm_and_pd(positive, aFlip()));
        const __m128d b = _mm_xor_pd(_mm_set1_pd(1.3), _mm_and_pd(positive, bFlip()));
        return _mm_div_pd(_mm_mul_pd(x, _mm_add_pd(a, x2)), _mm_add_pd(a, _mm_mul_pd(b, x2)));
    }
    static __m128d aFlip() { return _mm_xor_pd(_mm_set1_pd(1.0), _mm_set1_pd(0.7)); }
    static __m128d bFlip() { return _mm_xor_pd(_mm_set1_pd(1.6), _mm_set1_pd(1.3)); }
    static __m128d curveLf(__m128d x)
    {
        const __m128d x2 = _mm_mul_pd(x, x);
        return _mm_div_pd(_mm_mul_pd(x, _mm_add_pd(_mm_set1_pd(6.0), x2)),
                          _mm_add_pd(_mm_set1_pd(6.0), _mm_mul_pd(_mm_set1_pd(2.0), x2)));
    }

    bool hfOn = false, lfOn = false;
    __m128d hfAmount = _mm_setzero_pd(), lfAmount = _mm_setzero_pd();
    PairedBiquad lfLowPass, hfHighPass, hfLowPass;
};
