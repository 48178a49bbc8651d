#pragma once

#include "CControl.h"
#include "ValueTextLook.h"

// Shows the value as one line of text, from a value-to-text function or as "%2.2f".
class CParamDisplay : public CControl
{
  public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, const int32_t style = 0);
    CParamDisplay(const CParamDisplay& other);

    void draw(CDrawContext* context) override;

    virtual void setFont(CFontDesc* font) { look.setFont(font); }
    const CFontDesc* getFont() const { return look.getFont(); }
    virtual void setFontColor(CColor color) { look.setFontColor(color); }
    CColor getFontColor() const { return look.getFontColor(); }
    virtual void setBackColor(CColor color) { look.setBackColor(color); }
    CColor getBackColor() const { return look.getBackColor(); }
    virtual void setFrameColor(CColor color) { look.setFrameColor(color); }
    CColor getFrameColor() const { return look.getFrameColor(); }
    virtual void setShadowColor(CColor color) { look.setShadowColor(color); }
    CColor getShadowColor() const { return look.getShadowColor(); }
    virtual void setHoriAlign(CHoriTxtAlign align) { look.setHoriAlign(align); }
    CHoriTxtAlign getHoriAlign() const { return look.getHoriAlign(); }
    virtual void setStyle(int32_t val) { look.setStyle(val); }
    int32_t getStyle() const { return look.getStyle(); }
    virtual void setAntialias(bool state) { look.setAntialias(state); }
    bool getAntialias() const { return look.getAntialias(); }
    // On: no fill behind the text.
    virtual void setTextTransparency(bool val) { look.setTextTransparency(val); }
    bool getTextTransparency() const { return look.getTextTransparency(); }

    // A function with user data takes precedence over one without.
    virtual void setStringConvert(CParamDisplayValueToString convert)
    {
        look.setStringConvert(convert);
    }
    virtual void setStringConvert(CParamDisplayValueToStringUserData convert, void* userData)
    {
        look.setStringConvert(convert, userData);
    }
    virtual void setString2FloatConvert(CParamDisplayStringToValue convert)
    {
        look.setString2FloatConvert(convert);
    }

    static constexpr int kTextBufferSize = ValueTextLook::kTextBufferSize;
    // The text the display shows for its current value (at most 255 characters).
    void formatValue(char* string) const { look.formatValue(value, string); }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CParamDisplay(*this); }

  protected:
    // Paints background, optional bevel and text; a replacement bitmap stands in for the
    // background bitmap.
    virtual void drawText(CDrawContext* context, const char* string, CBitmap* newBack = nullptr);

    ValueTextLook look;
};
