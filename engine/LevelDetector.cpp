#include "LevelDetector.h"

#include <cmath>

void LevelDetector::Settings::setDetection(double timeMs)
{
    detectionTime = timeMs;
    if (timeMs == 0.0)
    {
        dynRms = false;
        fast.setTime(0.0);
        slow.setTime(8.0);
        offset = 4.0;
    }
    else if (timeMs == 600.0)
    {
        dynRms = true;
        fast.setTime(1.0);
        slow.setTime(12.0);
        offset = 0.6;
    }
    else
    {
        dynRms = false;
        fast.setTime(timeMs);
        slow.setTime(1.8 * timeMs + 6.0);
        offset = 0.6;
    }
}

void LevelDetector::Settings::setRate(double hz)
{
    fast.setRate(hz);
    slow.setRate(hz);
    third.setRate(hz);
}

bool LevelDetector::sanitize()
{
    if (std::isfinite(e1 + e2 + e3)) return false;
    reset();
    return true;
}
