#include "ValueTextLook.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include "CView.h"

#include <cstdio>

ValueTextLook::ValueTextLook(CView& owner, int32_t style)
    : owner(owner), style(style), fontID(kNormalFont)
{
    fontID->remember();
}

ValueTextLook::ValueTextLook(CView& owner, const ValueTextLook& other)
    : owner(owner), stringConvert(other.stringConvert), stringConvert2(other.stringConvert2),
      string2FloatConvert(other.string2FloatConvert), userData(other.userData),
      horiTxtAlign(other.horiTxtAlign), style(other.style), fontID(other.fontID),
      fontColor(other.fontColor), backColor(other.backColor), frameColor(other.frameColor),
      shadowColor(other.shadowColor), bTextTransparencyEnabled(other.bTextTransparencyEnabled),
      bAntialias(other.bAntialias)
{
    fontID->remember();
}

ValueTextLook::~ValueTextLook()
{
    fontID->forget();
}

void ValueTextLook::setFont(CFontDesc* font)
{
    if (!font) return;
    markOwnerDirty();
    font->remember();
    fontID->forget();
    fontID = font;
}

void ValueTextLook::markOwnerDirty()
{
    owner.setDirty(true);
}

void ValueTextLook::setStringConvert(CParamDisplayValueToStringUserData convert, void* data)
{
    stringConvert2 = convert;
    userData = data;
}

void ValueTextLook::formatValue(float value, char* string) const
{
    string[0] = 0;
    if (stringConvert2)
        stringConvert2(value, string, userData);
    else if (stringConvert)
        stringConvert(value, string);
    else
        std::snprintf(string, kTextBufferSize, "%2.2f", double(value));
    string[kTextBufferSize - 1] = 0;
}

void ValueTextLook::drawText(CDrawContext* context, const CRect& area, const Backdrop& backdrop,
                             const char* text) const
{
    if (!context || (style & kNoDrawStyle)) return;
    drawBackdrop(*context, area, backdrop);
    if (style & (k3DIn | k3DOut)) drawBevel(*context, area);
    if ((style & kNoTextStyle) || !text || !*text) return;

    const CRect previousClip = context->getClipRect();
    CRect clip = area;
    context->setClipRect(clip.bound(previousClip));
    context->setFont(fontID);
    context->setFillColor(backColor);
    short opaque = backdrop.opaqueText ? 1 : 0;
    if (style & kShadowText)
    {
        CRect shadowRect = area;
        shadowRect.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadowRect, opaque, horiTxtAlign, bAntialias);
        opaque = 0; // the shadow's pass already filled behind the text
    }
    context->setFontColor(fontColor);
    context->drawString(text, area, opaque, horiTxtAlign, bAntialias);
    context->setClipRect(previousClip);
}

void ValueTextLook::drawBackdrop(CDrawContext& context, const CRect& area,
                                 const Backdrop& backdrop) const
{
    if (backdrop.image)
    {
        CRect r = area;
        if (backdrop.blendImage)
            backdrop.image->drawTransparent(&context, r, backdrop.offset);
        else
            backdrop.image->draw(&context, r, backdrop.offset);
        return;
    }
    if (!backdrop.fill) return;
    context.setFillColor(backColor);
    context.fillRect(area);
    if (style & (k3DIn | k3DOut | kNoFrame)) return;
    context.setFrameColor(frameColor);
    context.setLineWidth(1);
    context.drawRect(area, kDrawStroked);
}

// A one-pixel bevel: top and left edges in one colour, bottom and right in the other.
void ValueTextLook::drawBevel(CDrawContext& context, const CRect& area) const
{
    const bool sunken = (style & k3DIn) != 0;
    const int32_t l = area.left, t = area.top, r = area.right - 1, b = area.bottom - 1;
    context.setLineWidth(1);
    context.setFrameColor(sunken ? frameColor : backColor);
    context.moveTo(CPoint(l, b));
    context.lineTo(CPoint(l, t));
    context.lineTo(CPoint(r, t));
    context.setFrameColor(sunken ? backColor : frameColor);
    context.moveTo(CPoint(r, t + 1));
    context.lineTo(CPoint(r, b));
    context.lineTo(CPoint(l + 1, b));
}
