#include "Biquad.h"

#include "DesignLimits.h"

#include <cmath>

Biquad::Coefficients Biquad::design(int kind, double frequency, double rate, double q,
                                    double gainDb)
{
    const double f = limitDesignFrequency(frequency, rate);
    const double w0 = 6.283185307179586 * f / rate;
    const double cs = std::cos(w0);
    const double sn = std::sin(w0);
    const double alpha = sn / (2.0 * q);

    double b0, b1, b2, a0, a1, a2;
    if (kind == LowShelf)
    {
        // 10^(gain/40), written with the engine's ln(10)/20 constant.
        const double A = std::exp(gainDb * 0.5 * 0.11512925464970228);
        const double beta = std::sqrt(A) * sn / q;
        b0 = A * ((A + 1.0) - (A - 1.0) * cs + beta);
        b1 = 2.0 * A * ((A - 1.0) - (A + 1.0) * cs);
        b2 = A * ((A + 1.0) - (A - 1.0) * cs - beta);
        a0 = (A + 1.0) + (A - 1.0) * cs + beta;
        a1 = -2.0 * ((A - 1.0) + (A + 1.0) * cs);
        a2 = (A + 1.0) + (A - 1.0) * cs - beta;
    }
    else if (kind == HighPass)
    {
        b0 = (1.0 + cs) / 2.0;
        b1 = -(1.0 + cs);
        b2 = (1.0 + cs) / 2.0;
        a0 = 1.0 + alpha;
        a1 = -2.0 * cs;
        a2 = 1.0 - alpha;
    }
    else
    {
        b0 = (1.0 - cs) / 2.0;
        b1 = 1.0 - cs;
        b2 = (1.0 - cs) / 2.0;
        a0 = 1.0 + alpha;
        a1 = -2.0 * cs;
        a2 = 1.0 - alpha;
    }
    Coefficients c;
    c.b0 = b0 / a0;
    c.b1 = b1 / a0;
    c.b2 = b2 / a0;
    c.a1 = a1 / a0;
    c.a2 = a2 / a0;
    return c;
}
