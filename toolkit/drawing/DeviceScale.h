#pragma once

#include "CRect.h"

#include <cmath>
#include <cstdint>

// Views live in logical pixels (the editor's 690 x 270); a window at a device scale shows each
// logical pixel as `scale` device pixels. Edges go to the nearest device pixel (halves up), the
// same rule for every edge, so rectangles that share a logical edge share a device edge: no
// gaps, no overlaps, at any factor. At scale 1 every coordinate stays what it is.
inline int32_t toDevicePixel(int32_t logical, double scale)
{
    if (scale == 1.0) return logical;
    return static_cast<int32_t>(std::floor(logical * scale + 0.5));
}

// The logical pixel whose device pixels include `device`: the largest L with
// toDevicePixel(L) <= device, also left of and above 0.
inline int32_t toLogicalPixel(int32_t device, double scale)
{
    if (scale == 1.0) return device;
    return static_cast<int32_t>(std::ceil((device + 0.5) / scale)) - 1;
}

inline CRect toDeviceRect(const CRect& r, double scale)
{
    return CRect(toDevicePixel(r.left, scale), toDevicePixel(r.top, scale),
                 toDevicePixel(r.right, scale), toDevicePixel(r.bottom, scale));
}

// The logical rectangle that covers every logical pixel the device rectangle touches.
inline CRect toLogicalCover(const CRect& r, double scale)
{
    if (scale == 1.0) return r;
    return CRect(static_cast<int32_t>(std::floor(r.left / scale)),
                 static_cast<int32_t>(std::floor(r.top / scale)),
                 static_cast<int32_t>(std::ceil(r.right / scale)),
                 static_cast<int32_t>(std::ceil(r.bottom / scale)));
}

// The factors the editor accepts; anything else (not a number, below 1, above 2) gives the
// nearest of them, and NaN gives 1.
inline double clampScaleFactor(double factor)
{
    if (!(factor >= 1.0)) return 1.0;
    return factor > 2.0 ? 2.0 : factor;
}
