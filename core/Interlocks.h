#pragma once

#include "ParameterIds.h"

// Delta, Bypass and SC Preview exclude each other: switching one on switches the other two
// off, in this order. Switching one off leaves the others alone.
struct SwitchesForcedOff
{
    VstInt32 count = 0;
    VstInt32 index[2] = {};
};

SwitchesForcedOff switchesForcedOff(VstInt32 index, float value);
