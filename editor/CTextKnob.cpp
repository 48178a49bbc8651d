#include "CTextKnob.h"

#include <cstring>

CTextKnob::CTextKnob(const CRect& size, CControlListener* listener, CBitmap* background,
                     int32_t tag, int32_t style)
    : CControl(size, listener, tag, background), look(*this, style)
{
    if (style & kNoDrawStyle) setDirty(false);
}

CTextKnob::CTextKnob(const CTextKnob& other)
    : CControl(other), look(*this, other.look), zoomFactor(other.zoomFactor)
{
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
    // Unlike the value display, the view's transparency flag only changes how the image is
    // drawn, and the text never gets a fill of its own.
    const ValueTextLook::Backdrop backdrop{newBack ? newBack : pBackground, backOffset,
                                           bTransparencyEnabled, !look.getTextTransparency(),
                                           false};
    look.drawText(context, size, backdrop, text);
}

CMouseEventResult CTextKnob::onMouseDown(CPoint& where, const int32_t& buttons)
{
    beginEdit();
    if (checkDefaultValue(buttons))
    {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    drag.begin(where, buttons, value, oldValue, vmax - vmin, zoomFactor, (buttons & kLButton) != 0);
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CTextKnob::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    if (!drag.moveTo(where)) return kMouseEventHandled;
    value = drag.valueAt(where, buttons, vmax - vmin, zoomFactor);
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

bool CTextKnob::onWheel(const CPoint&, const float& distance, const int32_t& buttons)
{
    return turnKnobByWheel(*this, distance, buttons);
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
    stepKnobValue(*this, step);
    return 1;
}

bool CTextKnob::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CTextKnob") == 0) || CControl::isTypeOf(name);
}
