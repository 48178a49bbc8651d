#pragma once

#include "CColor.h"
#include "CControl.h"
#include "controls/CParamDisplay.h"

class CFontDesc;

// A value shown as text only, operated like a knob: dragging up or right raises the value,
// 500 pixels for the whole range (1000 with Shift). It draws like a value display: a small
// background image and the centred text of its value-text function.
class CTextKnob : public CControl
{
  public:
    CTextKnob(const CRect& size, CControlListener* listener, CBitmap* background, int32_t tag,
              int32_t style = 0);
    CTextKnob(const CTextKnob& other);
    ~CTextKnob() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;
    int32_t onKeyDown(CKeyCode& keyCode) override;
    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CTextKnob(*this); }

    virtual void setFont(CFontDesc* font);
    const CFontDesc* getFont() const { return fontID; }
    virtual void setFontColor(CColor color);
    CColor getFontColor() const { return fontColor; }
    virtual void setBackColor(CColor color);
    virtual void setFrameColor(CColor color);
    virtual void setShadowColor(CColor color);
    virtual void setAntialias(bool state) { bAntialias = state; }
    virtual void setHoriAlign(CHoriTxtAlign align);
    virtual void setStringConvert(CParamDisplayValueToStringUserData convert, void* data);
    virtual void setStringConvert(CParamDisplayValueToString convert);
    virtual void setString2FloatConvert(CParamDisplayStringToValue convert);
    virtual void setStyle(int32_t newStyle);
    int32_t getStyle() const { return style; }
    virtual void setTextTransparency(bool state) { bTextTransparencyEnabled = state; }
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    float getZoomFactor() const { return zoomFactor; }

    // The text shown for the current value.
    void formatValue(char* text) const;

    static constexpr float kDragRange = 500.f;
    static constexpr int kTextBufferSize = 256;

  protected:
    virtual void drawText(CDrawContext* context, const char* text, CBitmap* newBack = nullptr);

  private:
    void drawBackground(CDrawContext* context, CBitmap* newBack);
    void drawBevel(CDrawContext* context);
    void stepBy(float step);
    float rangeFor(int32_t buttons) const;

    CParamDisplayValueToString stringConvert = nullptr;
    CParamDisplayValueToStringUserData stringConvert2 = nullptr;
    CParamDisplayStringToValue string2FloatConvert = nullptr;
    void* userData = nullptr;
    CHoriTxtAlign horiTxtAlign = kCenterText;
    int32_t style;
    CFontDesc* fontID;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    bool bTextTransparencyEnabled = true;
    bool bAntialias = true;
    float zoomFactor = 2.f;

    // The drag in progress.
    CPoint firstPoint;
    CPoint lastPoint;
    float startValue = 0.f;
    float fEntryState = 0.f;
    float range = kDragRange;
    float coef = 0.f;
    int32_t oldButton = 0;
};
