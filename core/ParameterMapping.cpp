#include "ParameterMapping.h"

#include "RatioSteps.h"

#include <cmath>

namespace
{
constexpr double kLn10Over20 = 0.11512925464970228;
}

double dbToGain(double dB)
{
    return std::exp(dB * kLn10Over20);
}

float logScale(float v, float lo, float hi)
{
    const float x = v + 0.000001f;
    const float f = std::exp(x * (std::log(hi) - std::log(lo)) + std::log(lo));
    if (f < lo) return lo;
    if (f > hi) return hi;
    return f;
}

double detectionTimeMs(float v)
{
    const double x = v;
    if (x == 0.0) return 0.0;
    if (x == 1.0) return 600.0;
    return 58.0 * (x * x) + 2.0;
}

float sideChainFrequencyHz(float v)
{
    return logScale(v, 30.0f, 300.0f);
}

double thresholdDb(float v)
{
    return -50.0 * static_cast<double>(v);
}

double kneeDb(float v)
{
    return 20.0 * static_cast<double>(v);
}

double ratioSlope(float v)
{
    const double x = v;
    if (x <= ratioSteps::kContinuousUpTo) return 1.0 - x / ratioSteps::kContinuousUpTo;
    if (x <= ratioSteps::kEightAbove) return -1.0;
    return -4.0;
}

double attackMs(float v)
{
    const double x = v;
    return 500.0 * (x * x * x) + 0.1;
}

double releaseMs(float v)
{
    const double x = v;
    return 2000.0 * (x * x * x) + 0.1;
}

double dryGain(float v)
{
    const double x = v;
    if (x == 0.0) return 0.0;
    return static_cast<float>(dbToGain(60.0 * x - 60.0));
}

double makeUpGain(float v)
{
    const double x = v;
    if (x < 0.5)
    {
        const double d = 1.0 - 2.0 * x;
        return dbToGain(-60.0 * d * d);
    }
    return dbToGain(36.0 * x - 18.0);
}

double harmonicsAmount(float v)
{
    const double x = v;
    return x * x;
}

bool switchOn(float v)
{
    return static_cast<double>(v) == 1.0;
}

bool sideChainPreviewOn(float v)
{
    return v > 0.5f;
}
