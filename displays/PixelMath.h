#pragma once

#include <cmath>
#include <cstdint>

// Truncation toward zero of a drawing coordinate. The displays draw whatever the editor hands
// them, and converting a NaN or a huge value to int would be undefined, so the result is
// limited to a range far outside any bitmap and NaN becomes `nanValue`.
inline int32_t truncatePixels(double value, int32_t nanValue = 0)
{
    constexpr double kLimit = 1.0e6;
    if (std::isnan(value)) return nanValue;
    if (value > kLimit) return static_cast<int32_t>(kLimit);
    if (value < -kLimit) return static_cast<int32_t>(-kLimit);
    return static_cast<int32_t>(value);
}
