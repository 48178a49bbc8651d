#include "MeterScale.h"

int meterscale::settingOf(float value)
{
    if (value < 0.25f) return 0;
    if (value < 0.5f) return 1;
    if (value < 0.75f) return 2;
    return 3;
}

float meterscale::meterFactor(float value)
{
    static constexpr float kFactors[] = {4.0f, 2.0f, 1.0f, 0.5f};
    return kFactors[settingOf(value)];
}

int meterscale::tickLabel(float value, int tick)
{
    switch (settingOf(value))
    {
    case 0:
        return tick / 4;
    case 1:
        return tick / 2;
    case 2:
        return tick;
    default:
        return 2 * tick;
    }
}
