#include "Interlocks.h"

#include "ParameterMapping.h"

SwitchesForcedOff switchesForcedOff(std::int32_t index, float v)
{
    switch (index)
    {
    case kDelta:
        if (switchOn(v)) return {2, {kBypass, kScPreview}};
        break;
    case kBypass:
        if (switchOn(v)) return {2, {kScPreview, kDelta}};
        break;
    case kScPreview:
        if (sideChainPreviewOn(v)) return {2, {kBypass, kDelta}};
        break;
    default:
        break;
    }
    return {};
}
