#include "OnePoleFilter.h"

#include "DesignLimits.h"

OnePoleFilter::Coefficients OnePoleFilter::design(double frequency, int /*kind*/, double rate)
{
    const double f = limitDesignFrequency(frequency, rate);
    const double w = 6.283185307179586 * f;
    const double twoFs = 2.0 * rate;
    Coefficients c;
    c.b0 = twoFs / (w + twoFs);
    c.b1 = -c.b0;
    c.a1 = (twoFs - w) / (w + twoFs);
    return c;
}
