#include "NoiseTables.h"

#include <cmath>

namespace
{
double powerOfTen(double dB)
{
    return std::exp(dB * 0.11512925464970228);
}
} // namespace

const NoiseTables& NoiseTables::shared()
{
    // Initialised exactly once even when engines are made on several threads at the same time.
    static const NoiseTables tables;
    return tables;
}

double NoiseTables::ditherAmplitude()
{
    return powerOfTen(-136.0);
}

NoiseTables::NoiseTables()
{
    Lcg lcg(1234);
    const double lo = powerOfTen(-190.0);
    const double hi = powerOfTen(-170.0);
    for (int m = 0; m < kNoiseSize; ++m)
        noise[m] = lo + (lcg.draw() / 32767.0) * (hi - lo);

    const double a = ditherAmplitude();
    for (int m = 0; m < kDitherSize; ++m)
    {
        const double a1 = lcg.draw() / 32767.0;
        ditherA[m] = -a / 2.0 + (a1 + lcg.draw() / 32767.0) * a;
        const double b1 = lcg.draw() / 32767.0;
        ditherB[m] = -a / 2.0 + (b1 + lcg.draw() / 32767.0) * a;
    }
}
