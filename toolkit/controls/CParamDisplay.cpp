#include "CParamDisplay.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFontDesc.h"

#include <cstdio>
#include <cstring>

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, const int32_t style)
    : CControl(size, nullptr, 0, background), style(style), fontID(kNormalFont)
{
    fontID->remember();
    if (style & kNoDrawStyle) setDirty(false);
}

CParamDisplay::CParamDisplay(const CParamDisplay& other)
    : CControl(other), stringConvert(other.stringConvert), stringConvert2(other.stringConvert2),
      string2FloatConvert(other.string2FloatConvert), userData(other.userData),
      horiTxtAlign(other.horiTxtAlign), style(other.style), fontID(other.fontID),
      fontColor(other.fontColor), backColor(other.backColor), frameColor(other.frameColor),
      shadowColor(other.shadowColor), bTextTransparencyEnabled(other.bTextTransparencyEnabled),
      bAntialias(other.bAntialias)
{
    fontID->remember();
}

CParamDisplay::~CParamDisplay()
{
    fontID->forget();
}

void CParamDisplay::setFont(CFontDesc* font)
{
    if (!font) return;
    setDirty(true);
    font->remember();
    fontID->forget();
    fontID = font;
}

void CParamDisplay::setFontColor(CColor color)
{
    if (color != fontColor) setDirty(true);
    fontColor = color;
}

void CParamDisplay::setBackColor(CColor color)
{
    if (color != backColor) setDirty(true);
    backColor = color;
}

void CParamDisplay::setFrameColor(CColor color)
{
    if (color != frameColor) setDirty(true);
    frameColor = color;
}

void CParamDisplay::setShadowColor(CColor color)
{
    if (color != shadowColor) setDirty(true);
    shadowColor = color;
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
    if (align != horiTxtAlign) setDirty(true);
    horiTxtAlign = align;
}

void CParamDisplay::setStyle(int32_t val)
{
    if (val != style) setDirty(true);
    style = val;
}

void CParamDisplay::setStringConvert(CParamDisplayValueToString convert)
{
    stringConvert = convert;
}

void CParamDisplay::setStringConvert(CParamDisplayValueToStringUserData convert, void* data)
{
    stringConvert2 = convert;
    userData = data;
}

void CParamDisplay::setString2FloatConvert(CParamDisplayStringToValue convert)
{
    string2FloatConvert = convert;
}

void CParamDisplay::formatValue(char* string) const
{
    string[0] = 0;
    if (stringConvert2)
        stringConvert2(value, string, userData);
    else if (stringConvert)
        stringConvert(value, string);
    else
        std::snprintf(string, kTextBufferSize, "%2.2f", value);
    string[kTextBufferSize - 1] = 0;
}

void CParamDisplay::draw(CDrawContext* context)
{
    char string[kTextBufferSize];
    formatValue(string);
    drawText(context, string);
}

void CParamDisplay::drawText(CDrawContext* context, const char* string, CBitmap* newBack)
{
    setDirty(false);
    if (!context || (style & kNoDrawStyle)) return;

    CBitmap* back = newBack ? newBack : pBackground;
    if (back)
    {
        CRect r(size);
        back->draw(context, r, backOffset);
    }
    else if (!bTransparencyEnabled && !bTextTransparencyEnabled)
    {
        // With either kind of transparency on the panel shows through: the editor's displays
        // all have text transparency on and expect no fill behind their text.
        context->setFillColor(backColor);
        context->fillRect(size);
        if (!(style & (k3DIn | k3DOut | kNoFrame)))
        {
            context->setFrameColor(frameColor);
            context->setLineWidth(1);
            context->drawRect(size);
        }
    }

    if (style & (k3DIn | k3DOut))
    {
        // A one-pixel bevel: top and left in one colour, bottom and right in the other.
        const CColor topLeft = (style & k3DIn) ? frameColor : backColor;
        const CColor bottomRight = (style & k3DIn) ? backColor : frameColor;
        const int32_t l = size.left, t = size.top, r = size.right - 1, b = size.bottom - 1;
        context->setLineWidth(1);
        context->setFrameColor(topLeft);
        context->moveTo(CPoint(l, b));
        context->lineTo(CPoint(l, t));
        context->lineTo(CPoint(r, t));
        context->setFrameColor(bottomRight);
        context->moveTo(CPoint(r, t + 1));
        context->lineTo(CPoint(r, b));
        context->lineTo(CPoint(l + 1, b));
    }

    if ((style & kNoTextStyle) || !string || !*string) return;
    CRect oldClip;
    context->getClipRect(oldClip);
    CRect textClip(size);
    context->setClipRect(textClip.bound(oldClip));
    context->setFont(fontID);
    context->setFillColor(backColor);
    short opaque = bTextTransparencyEnabled ? 0 : 1;
    if (style & kShadowText)
    {
        CRect shadowRect(size);
        shadowRect.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(string, shadowRect, opaque, horiTxtAlign, bAntialias);
        opaque = 0; // the shadow's pass already filled the background
    }
    context->setFontColor(fontColor);
    context->drawString(string, size, opaque, horiTxtAlign, bAntialias);
    context->setClipRect(oldClip);
}

bool CParamDisplay::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CParamDisplay") == 0) || CControl::isTypeOf(name);
}
