#pragma once

#include "CColor.h"
#include "CControl.h"
#include "KnobGestures.h"

// A rotary control. Dragging is linear (up or right raises the value, 600 pixels for the
// whole range, 3000 with shift) when the knob mode is linear without alt or circular with
// alt; otherwise the value follows the pointer's angle around the centre, from lower left
// (minimum) clockwise to lower right (maximum). Control + left click restores the default.
class CKnob : public CControl
{
  public:
    CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
          CBitmap* handle, const CPoint& offset = CPoint(0, 0));
    CKnob(const CKnob& other);
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;

    // Angles in radians, counter-clockwise from 3 o'clock; the range runs clockwise when
    // negative.
    virtual void setStartAngle(float val) { startAngle = val; }
    float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float val) { rangeAngle = val; }
    float getRangeAngle() const { return rangeAngle; }
    // Drag-range multiplier while shift is held.
    virtual void setZoomFactor(float val) { zoomFactor = val; }
    float getZoomFactor() const { return zoomFactor; }
    virtual void setColorHandle(const CColor color) { colorHandle = color; }
    CColor getColorHandle() const { return colorHandle; }
    virtual void setInsetValue(int32_t val) { inset = val; }
    int32_t getInsetValue() const { return inset; }

    // The value a pointer position stands for in circular mode.
    float valueFromPoint(const CPoint& where) const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CKnob(*this); }

    static constexpr float kDragRange = 600.f;

  protected:
    bool isLinearDrag(int32_t buttons) const;

    CPoint offset;
    CBitmap* pHandle;
    CColor colorHandle = kWhiteCColor;
    int32_t inset = 3;
    float startAngle;
    float rangeAngle;
    float zoomFactor = 5.f;

    LinearDrag drag{kDragRange};
    bool modeLinear = false;
};
