#pragma once

#include "Biquad.h"
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

    // In place, on the mid and side samples.
    void process(double& mid, double& side)
    {
        if (type == 1)
        {
            shelf1.process(side, mid);
            shelf2.process(side, mid);
            side = sideHighPass.processLeft(side);
        }
        else
        {
            side = sideHighPass.processLeft(side);
            mid = midHighPass.processLeft(mid);
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
    int type = 0;
    OnePoleFilter sideHighPass, midHighPass, previewHighPass;
    Biquad shelf1, shelf2, previewShelf1, previewShelf2;
};
