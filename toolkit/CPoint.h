#pragma once

#include <cstdint>

// A pixel position: h to the right, v downwards.
struct CPoint
{
    int32_t h = 0;
    int32_t v = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int32_t h, int32_t v) : h(h), v(v) {}

    CPoint& offset(int32_t dh, int32_t dv)
    {
        h += dh;
        v += dv;
        return *this;
    }
    constexpr bool operator==(const CPoint& o) const { return h == o.h && v == o.v; }
    constexpr bool operator!=(const CPoint& o) const { return !(*this == o); }
};
