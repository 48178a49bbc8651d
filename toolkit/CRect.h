#pragma once

#include "CPoint.h"

#include <algorithm>
#include <cstdint>

// A pixel rectangle; right and bottom are exclusive, so (0, 0, 2, 2) covers four pixels.
struct CRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b)
        : left(l), top(t), right(r), bottom(b)
    {
    }
    constexpr CRect(const CPoint& origin, const CPoint& extent)
        : left(origin.h), top(origin.v), right(origin.h + extent.h), bottom(origin.v + extent.v)
    {
    }

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr int32_t getWidth() const { return width(); }
    constexpr int32_t getHeight() const { return height(); }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr CPoint getTopLeft() const { return CPoint(left, top); }

    CRect& offset(int32_t dh, int32_t dv)
    {
        left += dh;
        right += dh;
        top += dv;
        bottom += dv;
        return *this;
    }
    // Moves the rectangle so its top left corner lies at (h, v), keeping its size.
    CRect& moveTo(int32_t h, int32_t v) { return offset(h - left, v - top); }
    CRect& inset(int32_t dh, int32_t dv)
    {
        left += dh;
        right -= dh;
        top += dv;
        bottom -= dv;
        return *this;
    }
    // Intersection with r; an empty result keeps right >= left and bottom >= top.
    CRect& bound(const CRect& r)
    {
        left = std::max(left, r.left);
        top = std::max(top, r.top);
        right = std::max(left, std::min(right, r.right));
        bottom = std::max(top, std::min(bottom, r.bottom));
        return *this;
    }
    // Smallest rectangle covering both; an empty operand adds nothing.
    CRect& unite(const CRect& r)
    {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return *this = r;
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
        return *this;
    }
    // Right and bottom excluded.
    constexpr bool pointInside(const CPoint& p) const
    {
        return p.h >= left && p.h < right && p.v >= top && p.v < bottom;
    }
    constexpr bool rectOverlap(const CRect& r) const
    {
        return r.left < right && left < r.right && r.top < bottom && top < r.bottom;
    }
    constexpr bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator!=(const CRect& o) const { return !(*this == o); }
};
