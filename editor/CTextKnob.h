#pragma once

#include "CControl.h"
#include "KnobGestures.h"
#include "ValueTextLook.h"

// A value shown as text only, operated like a knob: dragging up or right raises the value,
// 500 pixels for the whole range (1000 with Shift). It draws like a value display: a small
// background image and the centred text of its value-text function.
class CTextKnob : public CControl
{
  public:
    CTextKnob(const CRect& size, CControlListener* listener, CBitmap* background, int32_t tag,
              int32_t style = 0);
    CTextKnob(const CTextKnob& other);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;
    int32_t onKeyDown(CKeyCode& keyCode) override;
    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CTextKnob(*this); }

    virtual void setFont(CFontDesc* font) { look.setFont(font); }
    const CFontDesc* getFont() const { return look.getFont(); }
    virtual void setFontColor(CColor color) { look.setFontColor(color); }
    CColor getFontColor() const { return look.getFontColor(); }
    virtual void setBackColor(CColor color) { look.setBackColor(color); }
    virtual void setFrameColor(CColor color) { look.setFrameColor(color); }
    virtual void setShadowColor(CColor color) { look.setShadowColor(color); }
    virtual void setAntialias(bool state) { look.setAntialias(state); }
    virtual void setHoriAlign(CHoriTxtAlign align) { look.setHoriAlign(align); }
    virtual void setStringConvert(CParamDisplayValueToStringUserData convert, void* data)
    {
        look.setStringConvert(convert, data);
    }
    virtual void setStringConvert(CParamDisplayValueToString convert)
    {
        look.setStringConvert(convert);
    }
    virtual void setString2FloatConvert(CParamDisplayStringToValue convert)
    {
        look.setString2FloatConvert(convert);
    }
    virtual void setStyle(int32_t newStyle) { look.setStyle(newStyle); }
    int32_t getStyle() const { return look.getStyle(); }
    virtual void setTextTransparency(bool state) { look.setTextTransparency(state); }
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    float getZoomFactor() const { return zoomFactor; }

    static constexpr int kTextBufferSize = ValueTextLook::kTextBufferSize;
    // The text shown for the current value.
    void formatValue(char* text) const { look.formatValue(value, text); }

    static constexpr float kDragRange = 500.f;

  protected:
    virtual void drawText(CDrawContext* context, const char* text, CBitmap* newBack = nullptr);

  private:
    ValueTextLook look;
    float zoomFactor = 2.f;
    LinearDrag drag{kDragRange};
};
