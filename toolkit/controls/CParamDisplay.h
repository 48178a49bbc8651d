#pragma once

#include "CColor.h"
#include "CControl.h"

class CFontDesc;

// Style bits of value displays and text knobs.
enum CParamDisplayStyle : int32_t
{
    kShadowText = 0x04,
    k3DIn = 0x80,
    k3DOut = 0x100,
    kNoTextStyle = 0x800,
    kNoDrawStyle = 0x1000,
    kNoFrame = 0x4000,
};

typedef void (*CParamDisplayValueToString)(float value, char* string);
typedef void (*CParamDisplayValueToStringUserData)(float value, char* string, void* userData);
typedef void (*CParamDisplayStringToValue)(char* string, float& output);

// Shows the value as one line of text, from a value-to-text function or as "%2.2f".
class CParamDisplay : public CControl
{
  public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, const int32_t style = 0);
    CParamDisplay(const CParamDisplay& other);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;

    virtual void setFont(CFontDesc* font);
    const CFontDesc* getFont() const { return fontID; }
    virtual void setFontColor(CColor color);
    CColor getFontColor() const { return fontColor; }
    virtual void setBackColor(CColor color);
    CColor getBackColor() const { return backColor; }
    virtual void setFrameColor(CColor color);
    CColor getFrameColor() const { return frameColor; }
    virtual void setShadowColor(CColor color);
    CColor getShadowColor() const { return shadowColor; }
    virtual void setHoriAlign(CHoriTxtAlign align);
    CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
    virtual void setStyle(int32_t val);
    int32_t getStyle() const { return style; }
    virtual void setAntialias(bool state) { bAntialias = state; }
    bool getAntialias() const { return bAntialias; }
    // On: no fill behind the text.
    virtual void setTextTransparency(bool val) { bTextTransparencyEnabled = val; }
    bool getTextTransparency() const { return bTextTransparencyEnabled; }

    // A function with user data takes precedence over one without.
    virtual void setStringConvert(CParamDisplayValueToString convert);
    virtual void setStringConvert(CParamDisplayValueToStringUserData convert, void* userData);
    virtual void setString2FloatConvert(CParamDisplayStringToValue convert);

    // The text the display shows for its current value (at most 255 characters).
    void formatValue(char* string) const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CParamDisplay(*this); }

    static constexpr int kTextBufferSize = 256;

  protected:
    // Paints background, optional bevel and text; a replacement bitmap stands in for the
    // background bitmap.
    virtual void drawText(CDrawContext* context, const char* string, CBitmap* newBack = nullptr);

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
};
