#include "Harmonics.h"

#include <cmath>

void Harmonics::Design::redesign(double internalRate)
{
    lfLowPass = Biquad::design(Biquad::LowPass, 90.0, internalRate, 0.65, 0.0);
    hfHighPass = Biquad::design(Biquad::HighPass, 2200.0, internalRate, 0.3, 0.0);
    hfLowPass = Biquad::design(Biquad::LowPass, 12000.0, internalRate, 0.5, 0.0);
}

void Harmonics::setDesign(const Design& d)
{
    hfOn = d.hfOn;
    lfOn = d.lfOn;
    hfAmount = _mm_set1_pd(d.hfAmount);
    lfAmount = _mm_set1_pd(d.lfAmount);
    lfLowPass.setCoefficients(d.lfLowPass);
    hfHighPass.setCoefficients(d.hfHighPass);
    hfLowPass.setCoefficients(d.hfLowPass);
}

void Harmonics::reset()
{
    lfLowPass.reset();
    hfHighPass.reset();
    hfLowPass.reset();
}

bool Harmonics::sanitize()
{
    if (std::isfinite(lfLowPass.stateSum() + hfHighPass.stateSum() + hfLowPass.stateSum()))
        return false;
    reset();
    return true;
}
