#pragma once

#include "Biquad.h"
#include "FastExp.h"
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
        const double g = gain.value();
        Affine mid{midIn, n}, side{sideIn, n};
        if (type == 1)
        {
            const double shelf1Side = shelf1.pendingLeft(), shelf1Mid = shelf1.pendingRight();
            const double shelf2Side = shelf2.pendingLeft(), shelf2Mid = shelf2.pendingRight();
            const double highPassSide = sideHighPass.pendingLeft();
            side.through(shelf1.getCoefficients().b0, shelf1Side);
            side.through(shelf2.getCoefficients().b0, shelf2Side);
            side.through(sideHighPass.getCoefficients().b0, highPassSide);
            mid.through(shelf1.getCoefficients().b0, shelf1Mid);
            mid.through(shelf2.getCoefficients().b0, shelf2Mid);
            combine(gain, mid, side, l, r);

            double sideOut = g * sideIn + n, midOut = g * midIn + n;
            shelf1.finish(sideOut, midOut, shelf1Side, shelf1Mid);
            shelf2.finish(sideOut, midOut, shelf2Side, shelf2Mid);
            sideHighPass.finishLeft(sideOut, highPassSide);
        }
        else
        {
            const double highPassSide = sideHighPass.pendingLeft();
            const double highPassMid = midHighPass.pendingLeft();
            side.through(sideHighPass.getCoefficients().b0, highPassSide);
            mid.through(midHighPass.getCoefficients().b0, highPassMid);
            combine(gain, mid, side, l, r);

            sideHighPass.finishLeft(g * sideIn + n, highPassSide);
            midHighPass.finishLeft(g * midIn + n, highPassMid);
        }
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

  private:
    // g slope + offset.
    struct Affine
    {
        double slope, offset;
        void through(double b0, double pending)
        {
            slope *= b0;
            offset = b0 * offset + pending;
        }
    };
    static void combine(const SplitGain& g, const Affine& mid, const Affine& side, double& l,
                        double& r)
    {
        const double powerL = g.power * (mid.slope + side.slope);
        const double powerR = g.power * (mid.slope - side.slope);
        l = powerL * g.rest + (powerL + (mid.offset + side.offset));
        r = powerR * g.rest + (powerR + (mid.offset - side.offset));
    }

    int type = 0;
    OnePoleFilter sideHighPass, midHighPass, previewHighPass;
    Biquad shelf1, shelf2, previewShelf1, previewShelf2;
};
