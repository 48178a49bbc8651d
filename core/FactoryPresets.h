#pragma once

#include "ParameterIds.h"

struct FactoryPreset
{
    const char* name;
    float values[kNumParams];
};

// The nine factory programs, in program order.
extern const FactoryPreset (&kFactoryPresets)[kNumPrograms];
