#pragma once

#include "Biquad.h"
#include "OnePoleFilter.h"
#include "PairedBiquad.h"

#include <emmintrin.h>

// The side chain's filters at the internal rate, with the side component in the low lane of an
// SSE2 register and the mid component in the high lane: two shelves that filter both, a
// high-pass per component. Each lane does the scalar filters' arithmetic step for step, so the
// pairing changes no bit; it halves the feedback loop's instructions for the filters.
class MidSideFilters
{
  public:
    void setDesign(const Biquad::Coefficients& shelf1, const Biquad::Coefficients& shelf2,
                   const OnePoleFilter::Coefficients& sideHighPass,
                   const OnePoleFilter::Coefficients& midHighPass)
    {
        first.k.set(shelf1);
        second.k.set(shelf2);
        highPassB0 = _mm_set_pd(midHighPass.b0, sideHighPass.b0);
        highPassB1 = _mm_set_pd(midHighPass.b1, sideHighPass.b1);
        highPassA1 = _mm_set_pd(midHighPass.a1, sideHighPass.a1);
        sideHighPassB0 = _mm_set_pd(1.0, sideHighPass.b0);
    }

    // g slopes + offsets, both lanes: what a filter stage makes of g a + c is g (b0 a) +
    // (b0 c + pending), pending being the part of its output that the states give.
    struct Affine
    {
        __m128d slope, offset;
        void through(__m128d b0, __m128d pending)
        {
            slope = _mm_mul_pd(slope, b0);
            offset = _mm_add_pd(_mm_mul_pd(b0, offset), pending);
        }
    };

    // Type 1: both components through the two shelves, then the side alone through its
    // high-pass. `in` is g (side, mid) + n; returns the filtered pair's affine form in g through
    // `affine` (whose slopes and offsets arrive as the unfiltered ones) and advances the states.
    void shelvesThenSideHighPass(Affine& affine, __m128d in)
    {
        const __m128d pending1 = first.pending(), pending2 = second.pending();
        const __m128d highPass = highPassPending();
        affine.through(first.k.b0, pending1);
        affine.through(second.k.b0, pending2);
        affine.through(sideHighPassB0, _mm_move_sd(_mm_setzero_pd(), highPass));

        const __m128d shelved = second.finish(first.finish(in, pending1), pending2);
        const __m128d sideOut = finishHighPass(shelved, highPass);
        // The mid high-pass is not in use: its states stay as they are.
        highPassX1 = _mm_move_sd(highPassX1, shelved);
        highPassY1 = _mm_move_sd(highPassY1, sideOut);
    }

    // Types 0 and 2: each component through its own high-pass.
    void highPasses(Affine& affine, __m128d in)
    {
        const __m128d pending = highPassPending();
        affine.through(highPassB0, pending);
        const __m128d out = finishHighPass(in, pending);
        highPassX1 = in;
        highPassY1 = out;
    }

    void reset()
    {
        first.reset();
        second.reset();
        highPassX1 = highPassY1 = _mm_setzero_pd();
    }

    void copyStatesFrom(const MidSideFilters& o)
    {
        first.copyStatesFrom(o.first);
        second.copyStatesFrom(o.second);
        highPassX1 = o.highPassX1;
        highPassY1 = o.highPassY1;
    }

    double stateSum() const
    {
        const __m128d s = _mm_add_pd(_mm_add_pd(first.stateSum(), second.stateSum()),
                                     _mm_add_pd(highPassX1, highPassY1));
        return _mm_cvtsd_f64(_mm_add_sd(s, _mm_unpackhi_pd(s, s)));
    }

  private:
    // Direct form I, as Biquad.
    struct Shelf
    {
        PairedBiquadCoefficients k;
        __m128d x1 = _mm_setzero_pd(), x2 = _mm_setzero_pd();
        __m128d y1 = _mm_setzero_pd(), y2 = _mm_setzero_pd();

        __m128d pending() const
        {
            return _mm_sub_pd(_mm_add_pd(_mm_mul_pd(k.b1, x1), _mm_mul_pd(k.b2, x2)),
                              _mm_add_pd(_mm_mul_pd(k.a1, y1), _mm_mul_pd(k.a2, y2)));
        }
        __m128d finish(__m128d x, __m128d pendingPart)
        {
            const __m128d y = _mm_add_pd(_mm_mul_pd(k.b0, x), pendingPart);
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            return y;
        }
        void reset() { x1 = x2 = y1 = y2 = _mm_setzero_pd(); }
        void copyStatesFrom(const Shelf& o)
        {
            x1 = o.x1;
            x2 = o.x2;
            y1 = o.y1;
            y2 = o.y2;
        }
        __m128d stateSum() const { return _mm_add_pd(_mm_add_pd(x1, x2), _mm_add_pd(y1, y2)); }
    };

    // As OnePoleFilter: b1 x_prev + a1 y_prev, then b0 x + that.
    __m128d highPassPending() const
    {
        return _mm_add_pd(_mm_mul_pd(highPassB1, highPassX1), _mm_mul_pd(highPassA1, highPassY1));
    }
    __m128d finishHighPass(__m128d x, __m128d pending) const
    {
        return _mm_add_pd(_mm_mul_pd(highPassB0, x), pending);
    }

    Shelf first, second;
    __m128d highPassB0 = _mm_setzero_pd(), highPassB1 = _mm_setzero_pd();
    __m128d highPassA1 = _mm_setzero_pd(), sideHighPassB0 = _mm_set_pd(1.0, 0.0);
    __m128d highPassX1 = _mm_setzero_pd(), highPassY1 = _mm_setzero_pd();
};
