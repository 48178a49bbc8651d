#include "SideChainFilter.h"

#include <cmath>

void SideChainFilter::Design::redesign(int newType, double newFrequency, double internalRate,
                                       double hostRate)
{
    type = newType;
    frequency = newFrequency;
    const double f = frequency;
    if (type == 2)
    {
        sideHighPass = OnePoleFilter::design(1.3333 * f, OnePoleFilter::HighPass, internalRate);
        midHighPass = OnePoleFilter::design(f, OnePoleFilter::HighPass, internalRate);
        previewHighPass = OnePoleFilter::design(f, OnePoleFilter::HighPass, internalRate);
    }
    else
    {
        sideHighPass = OnePoleFilter::design(60.0, OnePoleFilter::HighPass, internalRate);
        midHighPass = OnePoleFilter::design(20.0, OnePoleFilter::HighPass, internalRate);
        previewHighPass = OnePoleFilter::design(20.0, OnePoleFilter::HighPass, internalRate);
    }
    shelf1 = Biquad::design(Biquad::LowShelf, 0.2 * f, internalRate, 0.3, -18.9);
    shelf2 = Biquad::design(Biquad::LowShelf, 0.5 * f, internalRate, 0.2, -0.9);
    previewShelf1 = Biquad::design(Biquad::LowShelf, 0.2 * f, hostRate, 0.3, -18.9);
    previewShelf2 = Biquad::design(Biquad::LowShelf, 0.5 * f, hostRate, 0.2, -0.9);
}

void SideChainFilter::setDesign(const Design& d)
{
    type = d.type;
    filters.setDesign(d.shelf1, d.shelf2, d.sideHighPass, d.midHighPass);
    previewHighPass.setCoefficients(d.previewHighPass);
    previewShelf1.setCoefficients(d.previewShelf1);
    previewShelf2.setCoefficients(d.previewShelf2);
}

void SideChainFilter::reset()
{
    filters.reset();
    previewHighPass.reset();
    previewShelf1.reset();
    previewShelf2.reset();
}

bool SideChainFilter::sanitize()
{
    const double sum = filters.stateSum() + previewHighPass.stateSum() + previewShelf1.stateSum() +
                       previewShelf2.stateSum();
    if (std::isfinite(sum)) return false;
    reset();
    return true;
}
