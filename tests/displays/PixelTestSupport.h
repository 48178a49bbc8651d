#pragma once

#include "CColor.h"
#include "CRect.h"
#include "drawing/COffscreenContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class CView;

// A stand-in for the window: a bitmap painted magenta, so any pixel a view leaves untouched
// stands out, into which a view draws itself at its own rectangle.
class Screen
{
  public:
    Screen(int32_t width = 690, int32_t height = 270);
    void draw(CView& view);
    // Colour at a point relative to `origin` (a view's top left corner).
    CColor at(const CRect& origin, int32_t x, int32_t y) const;
    COffscreenContext& context() { return *bitmap; }

    static constexpr CColor kUntouched = {255, 0, 255, 255};

  private:
    std::unique_ptr<COffscreenContext> bitmap;
};

// `top` blended with alpha over the opaque `bottom`, as the drawing context does.
CColor over(CColor top, CColor bottom);

std::string describe(CColor c);
::testing::AssertionResult sameColour(CColor actual, CColor expected, int tolerance = 1);

// Renders `text` as the displays do (Arial 9, left or right aligned) onto black in a
// width x height bitmap, for comparison with a display's label.
std::unique_ptr<COffscreenContext> referenceText(int32_t width, int32_t height, const char* text,
                                                 const CRect& rect, CColor colour, int32_t align);

// Whether every pixel of `rect` (in the bitmaps' own coordinates) matches between the screen at
// `origin` and the reference; counts lit pixels in `lit`.
::testing::AssertionResult sameRegion(const Screen& screen, const CRect& origin,
                                      const COffscreenContext& reference, const CRect& rect,
                                      int* lit = nullptr);
