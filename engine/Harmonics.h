#pragma once

#include "Biquad.h"

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

    // y: the compressed sample x2 * gPrev, reduced in place by the enabled colourings.
    void apply(double x2L, double x2R, double gPrev, double& yL, double& yR)
    {
        if (hfOn)
        {
            double hL = x2L, hR = x2R;
            hfHighPass.process(hL, hR);
            hfLowPass.process(hL, hR);
            hL = curveHf(hL) - hL;
            hR = curveHf(hR) - hR;
            yL = yL - hL * hfAmount * gPrev;
            yR = yR - hR * hfAmount * gPrev;
        }
        if (lfOn)
        {
            double hL = x2L, hR = x2R;
            lfLowPass.process(hL, hR);
            hL = curveLf(hL) - hL;
            hR = curveLf(hR) - hR;
            yL = yL - hL * lfAmount * gPrev;
            yR = yR - hR * lfAmount * gPrev;
        }
    }

    void reset();
    bool sanitize();

  private:
    bool hfOn = false, lfOn = false;
    double hfAmount = 0.0, lfAmount = 0.0;
    Biquad lfLowPass, hfHighPass, hfLowPass;
};
