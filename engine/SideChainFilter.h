#pragma once

#include "Biquad.h"
#include "FastExp.h"
#include "MidSideFilters.h"
#include "OnePoleFilter.h"

// Shapes what the detector hears, on the mid and side components at the internal rate: type 0
// keeps fixed high-passes (mid 20 Hz, side 60 Hz), type 1 tilts with two low shelves below the
// set frequency, type 2 high-passes at it. A host-rate copy filters the preview signal.
class SideChainFilter
{
  public:
    struct Design
    {
        int type = 0;
        double frequency = 30.0;
        OnePoleFilter::Coefficients sideHighPass, midHighPass, previewHighPass;
        Biquad::Coefficients shelf1, shelf2, previewShelf1, previewShelf2;

        void redesign(int type, double frequency, double internalRate, double hostRate);
    };

    void setDesign(const Design& d);

    // The detector's inputs for one sample, l = mid + side and r = mid - side after the filters,
    // where mid = g midIn + n and side = g sideIn + n; then the filters take the sample.
    // The feedback loop waits for l and r, and every filter output is linear in g: each stage
    // maps g a + c to g (b0 a) + (b0 c + pending). So l and r are built as g A + C, A and C
    // from the input and the states alone, and wait for the gain's last part (SplitGain::rest)
    // through one multiplication and one addition however many stages there are. The states
    // advance from the plain stage outputs off that path; the two forms differ in the last bits.
    void detectorInputs(const SplitGain& gain, double midIn, double sideIn, double n, double& l,
                        double& r)
    {
        const __m128d input = _mm_set_pd(midIn, sideIn), noise = _mm_set1_pd(n);
        MidSideFilters::Affine affine{input, noise};
        const __m128d filterIn = _mm_add_pd(_mm_mul_pd(_mm_set1_pd(gain.value()), input), noise);
        if (type == 1)
            filters.shelvesThenSideHighPass(affine, filterIn);
        else
            filters.highPasses(affine, filterIn);
        combine(gain, affine, l, r);
    }

    // In place, on a host-rate left/right frame.
    void preview(double& left, double& right)
    {
        if (type == 1)
        {
            previewShelf1.process(left, right);
            previewShelf2.process(left, right);
        }
        else
            previewHighPass.process(left, right);
    }

    void reset();
    bool sanitize();
    // The side chain's states at the internal rate; the preview's are not the loop's.
    void copyStatesFrom(const SideChainFilter& o) { filters.copyStatesFrom(o.filters); }

  private:
    // l = mid + side, r = mid - side, each waiting for the gain's rest through one
    // multiplication and one addition.
    static void combine(const SplitGain& g, const MidSideFilters::Affine& a, double& l, double& r)
    {
        const double sideSlope = _mm_cvtsd_f64(a.slope);
        const double midSlope = _mm_cvtsd_f64(_mm_unpackhi_pd(a.slope, a.slope));
        const double sideOffset = _mm_cvtsd_f64(a.offset);
        const double midOffset = _mm_cvtsd_f64(_mm_unpackhi_pd(a.offset, a.offset));
        const double powerL = g.power * (midSlope + sideSlope);
        const double powerR = g.power * (midSlope - sideSlope);
        l = powerL * g.rest + (powerL + (midOffset + sideOffset));
        r = powerR * g.rest + (powerR + (midOffset - sideOffset));
    }

    int type = 0;
    MidSideFilters filters;
    OnePoleFilter previewHighPass;
    Biquad previewShelf1, previewShelf2;
};
