#include "TransferCurve.h"

#include "RatioSteps.h"

#include <cmath>

namespace
{
constexpr double kDbToLog = 0.11512925464970228; // ln 10 / 20
constexpr double kLogToDb = 8.685889638065037;   // 20 / ln 10
} // namespace

double transferSlopeForRatio(double n)
{
    double ratio;
    if (n > ratioSteps::kEightAbove)
        ratio = 8.0;
    else if (n > ratioSteps::kContinuousUpTo)
        ratio = 4.0;
    else
        ratio = 1.0 + (n / ratioSteps::kContinuousUpTo) * 2.0;
    return 1.0 / ratio;
}

double transferCurveRow(const TransferCurveSettings& s, double pixelsFromRight)
{
    const double d = pixelsFromRight / 2.0;
    const double input = -d;
    const double knee = s.knee;
    const double overshoot = (input - (s.threshold - knee)) - knee;

    // Inside the knee the overshoot is bent quadratically, (o + K)^2 / 4K; with K = 0 the knee
    // branch is unreachable, so there is no division by zero.
    double bent;
    if (overshoot < -knee)
        bent = 0.0;
    else if (overshoot < knee)
        bent = overshoot * overshoot / (4.0 * knee) + overshoot * 0.5 + knee * 0.25;
    else
        bent = overshoot;

    const double wet = input + bent * (s.slope - 1.0) + s.makeUp;
    const double dry = input - s.dryAttenuation;
    const double out = kLogToDb * std::log(std::exp(wet * kDbToLog) + std::exp(dry * kDbToLog));
    return -2.0 * out;
}
