#pragma once

#include "VstInterface.h"

#include <string>
#include <vector>

// How a parameter reads to an LV2 host, found from its host texts alone: a switch (one text up
// to 1.0 and another at exactly 1.0), a few positions (a few texts, each over one range of
// values), or a continuous range.
struct ScalePoint
{
    float value;
    std::string label;
};

struct ParameterSteps
{
    bool toggled = false;
    // Set for a parameter of a few positions: each position's text, at a value inside it (the
    // ends for the outer positions, the middle of its range for the others).
    std::vector<ScalePoint> positions;
};

ParameterSteps parameterSteps(VstInt32 index);
