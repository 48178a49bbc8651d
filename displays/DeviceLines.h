#pragma once

#include "drawing/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The displays draw their data (bar lengths, level rows, the curve) on the device's own grid,
// so a meter at scale 2 moves in half-pixel steps instead of showing doubled pixels. A line one
// logical pixel thick is this many device pixels thick: 1 at scale 1, 2 at scale 2.
inline int32_t deviceLineWidth(const CDrawContext& context)
{
    return static_cast<int32_t>(std::max(1.0, std::round(context.getScale())));
}
