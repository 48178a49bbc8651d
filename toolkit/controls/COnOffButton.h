#pragma once

#include "CControl.h"

// Button styles: when the listener hears of a click relative to the button's own repaint.
enum COnOffButtonStyle : int32_t
{
    kPreListenerUpdate = 0,  // repaint (idle work) first, then tell the listener
    kPostListenerUpdate = 1, // tell the listener, then repaint
};

// A two-state button; its image holds the off state above the on state. A left click
// toggles between 0.0 and 1.0 inside one begin/end edit.
class COnOffButton : public CControl
{
  public:
    COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 int32_t style = kPreListenerUpdate);
    COnOffButton(const COnOffButton& other) = default;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;

    int32_t getStyle() const { return style; }
    virtual void setStyle(int32_t val) { style = val; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new COnOffButton(*this); }

  private:
    int32_t style;
};
