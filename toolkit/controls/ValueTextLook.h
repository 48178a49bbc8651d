#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"
#include "ToolkitTypes.h"

#include <cstdint>

class CBitmap;
class CDrawContext;
class CFontDesc;
class CView;

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

// How the views that show a value as one line of text look: font, colours, alignment, style
// bits and value-to-text functions, and the drawing of panel, bevel and text. A setter that
// changes what is shown marks the owning view dirty.
class ValueTextLook
{
  public:
    ValueTextLook(CView& owner, int32_t style);
    // The look of `other`, for a copy of its owner.
    ValueTextLook(CView& owner, const ValueTextLook& other);
    ValueTextLook(const ValueTextLook&) = delete;
    ValueTextLook& operator=(const ValueTextLook&) = delete;
    ~ValueTextLook();

    void setFont(CFontDesc* font);
    const CFontDesc* getFont() const { return fontID; }
    void setFontColor(CColor color) { change(fontColor, color); }
    CColor getFontColor() const { return fontColor; }
    void setBackColor(CColor color) { change(backColor, color); }
    CColor getBackColor() const { return backColor; }
    void setFrameColor(CColor color) { change(frameColor, color); }
    CColor getFrameColor() const { return frameColor; }
    void setShadowColor(CColor color) { change(shadowColor, color); }
    CColor getShadowColor() const { return shadowColor; }
    void setHoriAlign(CHoriTxtAlign align) { change(horiTxtAlign, align); }
    CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
    void setStyle(int32_t val) { change(style, val); }
    int32_t getStyle() const { return style; }
    void setAntialias(bool state) { bAntialias = state; }
    bool getAntialias() const { return bAntialias; }
    void setTextTransparency(bool val) { bTextTransparencyEnabled = val; }
    bool getTextTransparency() const { return bTextTransparencyEnabled; }

    // A function with user data takes precedence over one without.
    void setStringConvert(CParamDisplayValueToString convert) { stringConvert = convert; }
    void setStringConvert(CParamDisplayValueToStringUserData convert, void* data);
    void setString2FloatConvert(CParamDisplayStringToValue convert)
    {
        string2FloatConvert = convert;
    }

    static constexpr int kTextBufferSize = 256;
    // The text for `value` (at most kTextBufferSize - 1 characters), "%2.2f" without a function.
    void formatValue(float value, char* string) const;

    // What the owner shows behind its text.
    struct Backdrop
    {
        CBitmap* image; // when set, its part from `offset` on fills the owner's rectangle
        CPoint offset;
        bool blendImage; // the owner's transparency flag
        bool fill;       // without an image: fill with the back colour and, unless a bevel
                         // or no-frame style says otherwise, outline in the frame colour
        bool opaqueText; // fill behind the text with the back colour
    };
    // Panel, bevel and text, as the style bits allow, inside `area`.
    void drawText(CDrawContext* context, const CRect& area, const Backdrop& backdrop,
                  const char* text) const;

  private:
    template <typename T> void change(T& field, const T& val)
    {
        if (val != field) markOwnerDirty();
        field = val;
    }
    void markOwnerDirty();
    void drawBackdrop(CDrawContext& context, const CRect& area, const Backdrop& backdrop) const;
    void drawBevel(CDrawContext& context, const CRect& area) const;

    CView& owner;
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
