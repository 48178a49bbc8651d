#include "GainComputer.h"

#include <algorithm>
#include <cmath>

void GainComputer::Settings::setCurve(double thresholdDb, double kneeDb, double ratioSlope)
{
    ratio = ratioSlope;
    slopeFactor = ratioSlope - 1.0;
    knee = kneeDb;
    twiceKnee = 2.0 * kneeDb;
    kneeSlope = kneeDb > 0.0 ? slopeFactor * 0.25 / kneeDb : 0.0;
    kneeSlopeSteps = kneeSlope * fastexp::kStepsPerDecibel;
    slopeFactorSteps = slopeFactor * fastexp::kStepsPerDecibel;
    threshold = thresholdDb;
    thresholdMinusKnee = thresholdDb - kneeDb;
}

void GainComputer::Settings::setRate(double hz)
{
    releaseSlow.setRate(hz);
    attack.setRate(hz);
    release.setRate(hz);
    rise.setRate(hz);
}

void GainComputer::Settings::setRelease(double ms)
{
    release.setTime(ms);
    slowPathOn = releaseSlow.getTime() > release.getTime();
}

void GainComputer::Settings::setReleaseSlow(double ms)
{
    releaseSlow.setTime(ms);
    slowPathOn = releaseSlow.getTime() > release.getTime();
}

bool GainComputer::sanitize()
{
    if (std::isfinite(fast + slow + gain))
    {
        fast = std::clamp(fast, -kBoundedSteps, kBoundedSteps);
        slow = std::clamp(slow, -kBoundedSteps, kBoundedSteps);
        gain = std::clamp(gain, -kBoundedSteps, kBoundedSteps);
        return false;
    }
    reset();
    return true;
}
