#include "CTextKnob.h"

#include "CFontDesc.h"
#include "drawing/CBitmap.h"
#include "drawing/CDrawContext.h"

#include <cstdio>
#include <cstring>

CTextKnob::CTextKnob(const CRect& size, CControlListener* listener, CBitmap* background,
                     int32_t tag, int32_t style)
    : CControl(size, listener, tag, background), style(style), fontID(kNormalFont)
{
    fontID->remember();
    if (style & kNoDrawStyle) setDirty(false);
}

CTextKnob::CTextKnob(const CTextKnob& other)
    : CControl(other), stringConvert(other.stringConvert), stringConvert2(other.stringConvert2),
      string2FloatConvert(other.string2FloatConvert), userData(other.userData),
      horiTxtAlign(other.horiTxtAlign), style(other.style), fontID(other.fontID),
      fontColor(other.fontColor), backColor(other.backColor), frameColor(other.frameColor),
      shadowColor(other.shadowColor), bTextTransparencyEnabled(other.bTextTransparencyEnabled),
      bAntialias(other.bAntialias), zoomFactor(other.zoomFactor)
{
    fontID->remember();
}

CTextKnob::~CTextKnob()
{
    fontID->forget();
}

void CTextKnob::setFont(CFontDesc* font)
{
    if (!font) return;
    setDirty();
    font->remember();
    fontID->forget();
    fontID = font;
}

void CTextKnob::setFontColor(CColor color)
{
    if (color != fontColor) setDirty();
    fontColor = color;
}

void CTextKnob::setBackColor(CColor color)
{
    if (color != backColor) setDirty();
    backColor = color;
}

void CTextKnob::setFrameColor(CColor color)
{
    if (color != frameColor) setDirty();
    frameColor = color;
}

void CTextKnob::setShadowColor(CColor color)
{
    if (color != shadowColor) setDirty();
    shadowColor = color;
}

void CTextKnob::setHoriAlign(CHoriTxtAlign align)
{
    if (align != horiTxtAlign) setDirty();
    horiTxtAlign = align;
}

void CTextKnob::setStyle(int32_t newStyle)
{
    if (newStyle != style) setDirty();
    style = newStyle;
}

void CTextKnob::setStringConvert(CParamDisplayValueToStringUserData convert, void* data)
{
    stringConvert2 = convert;
    userData = data;
}

void CTextKnob::setStringConvert(CParamDisplayValueToString convert)
{
    stringConvert = convert;
}

void CTextKnob::setString2FloatConvert(CParamDisplayStringToValue convert)
{
    string2FloatConvert = convert;
}

void CTextKnob::formatValue(char* text) const
{
    text[0] = '\0';
    if (stringConvert2)
        stringConvert2(value, text, userData);
    else if (stringConvert)
        stringConvert(value, text);
    else
        std::snprintf(text, kTextBufferSize, "%2.2f", double(value));
}

void CTextKnob::draw(CDrawContext* context)
{
    char text[kTextBufferSize];
    formatValue(text);
    drawText(context, text, nullptr);
}

void CTextKnob::drawText(CDrawContext* context, const char* text, CBitmap* newBack)
{
    setDirty(false);
    if (style & kNoDrawStyle) return;
    drawBackground(context, newBack);
    if (style & (k3DIn | k3DOut)) drawBevel(context);
    if ((style & kNoTextStyle) || text[0] == '\0') return;

    const CRect previousClip = context->getClipRect();
    CRect clip = size;
    clip.bound(previousClip);
    context->setClipRect(clip);
    context->setFont(fontID);
    if (style & kShadowText)
    {
        CRect shadowRect = size;
        shadowRect.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadowRect, 0, horiTxtAlign, bAntialias);
    }
    context->setFontColor(fontColor);
    context->drawString(text, size, 0, horiTxtAlign, bAntialias);
    context->setClipRect(previousClip);
}

void CTextKnob::drawBackground(CDrawContext* context, CBitmap* newBack)
{
    CBitmap* image = newBack ? newBack : pBackground;
    CRect area = size;
    if (image)
    {
        if (bTransparencyEnabled)
            image->drawTransparent(context, area, backOffset);
        else
            image->draw(context, area, backOffset);
        return;
    }
    if (bTextTransparencyEnabled) return;
    context->setFillColor(backColor);
    context->fillRect(size);
    if (!(style & (k3DIn | k3DOut | kNoFrame)))
    {
        context->setFrameColor(frameColor);
        context->drawRect(size, kDrawStroked);
    }
}

// A one-pixel bevel: top and left edges in one colour, bottom and right in the other.
void CTextKnob::drawBevel(CDrawContext* context)
{
    const bool sunken = (style & k3DIn) != 0;
    const CColor topLeft = sunken ? frameColor : backColor;
    const CColor bottomRight = sunken ? backColor : frameColor;
    const CPoint corner(size.left, size.bottom - 1);
    context->setFrameColor(topLeft);
    context->moveTo(corner);
    context->lineTo(CPoint(size.left, size.top));
    context->lineTo(CPoint(size.right - 1, size.top));
    context->setFrameColor(bottomRight);
    context->moveTo(CPoint(size.right - 1, size.top + 1));
    context->lineTo(CPoint(size.right - 1, size.bottom - 1));
    context->lineTo(CPoint(size.left + 1, size.bottom - 1));
}

float CTextKnob::rangeFor(int32_t buttons) const
{
    return (buttons & kShift) ? kDragRange * zoomFactor : kDragRange;
}

CMouseEventResult CTextKnob::onMouseDown(CPoint& where, const int32_t& buttons)
{
    beginEdit();
    if (checkDefaultValue(buttons))
    {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    firstPoint = where;
    lastPoint = CPoint(-1, -1);
    startValue = oldValue;
    fEntryState = value;
    range = kDragRange;
    coef = (vmax - vmin) / range;
    oldButton = buttons;
    if (buttons & kLButton)
    {
        range = rangeFor(buttons);
        lastPoint = where;
        coef = (vmax - vmin) / range;
    }
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CTextKnob::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    if (where == lastPoint) return kMouseEventHandled;
    lastPoint = where;

    // Up and right both count positive, so a diagonal drag adds up.
    const float distance = float((firstPoint.v - where.v) + (where.h - firstPoint.h));
    if (buttons != oldButton)
    {
        // Re-base the entry value so that changing Shift mid-drag changes the rate, not the value.
        range = rangeFor(buttons);
        const float newCoef = (vmax - vmin) / range;
        fEntryState += distance * (coef - newCoef);
        coef = newCoef;
        oldButton = buttons;
    }
    value = fEntryState + distance * coef;
    bounceValue();
    if (value != oldValue && listener) listener->valueChanged(this);
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CTextKnob::onMouseUp(CPoint&, const int32_t&)
{
    endEdit();
    return kMouseEventHandled;
}

void CTextKnob::stepBy(float step)
{
    value += step * wheelInc;
    bounceValue();
    if (isDirty() && listener)
    {
        beginEdit();
        listener->valueChanged(this);
        endEdit();
    }
}

bool CTextKnob::onWheel(const CPoint&, const float& distance, const int32_t& buttons)
{
    if (!getMouseEnabled()) return false;
    stepBy((buttons & kShift) ? distance * 0.1f : distance);
    return true;
}

int32_t CTextKnob::onKeyDown(CKeyCode& keyCode)
{
    float step;
    switch (keyCode.virt)
    {
    case kVKeyUp:
    case kVKeyRight:
        step = 1.f;
        break;
    case kVKeyDown:
    case kVKeyLeft:
        step = -1.f;
        break;
    default:
        return -1;
    }
    if (keyCode.modifier & kKeyModShift) step *= 0.1f;
    stepBy(step);
    return 1;
}

bool CTextKnob::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CTextKnob") == 0 || CControl::isTypeOf(name);
}
