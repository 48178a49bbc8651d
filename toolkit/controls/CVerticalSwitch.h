#pragma once

#include "CControl.h"

// A switch with a number of positions stacked vertically; a press or drag picks the position
// under the pointer, values 0 to 1 in equal steps. Its image holds one picture per position.
class CVerticalSwitch : public CControl
{
  public:
    CVerticalSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                    int32_t heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));
    CVerticalSwitch(const CVerticalSwitch& other) = default;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;

    // The picture shown for the current value.
    int32_t frameIndex() const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CVerticalSwitch(*this); }

  private:
    CPoint offset;
    int32_t subPixmaps;
    int32_t heightOfOneImage;
    int32_t iMaxPositions;
};
