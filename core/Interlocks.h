#pragma once

#include "ParameterIds.h"

// Delta, Bypass and SC Preview exclude each other: switching one on switches the other two
// off, in this order. Switching one off leaves the others alone.
struct SwitchesForcedOff
{
    std::int32_t count = 0;
    std::int32_t index[2] = {};
};

SwitchesForcedOff switchesForcedOff(std::int32_t index, float value);
