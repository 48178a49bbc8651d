#include "CTextSplash.h"

#include "CDefaultSplashScreenView.h"
#include "CFrame.h"

#include <cstring>

CTextSplash::CTextSplash(const CRect& size, CControlListener* listener, int32_t tag,
                         CBitmap* background, const CRect& displayArea, const CPoint& offset)
    : CControl(size, listener, tag, background), displayArea(displayArea), panelOffset(offset)
{
    panel = new CDefaultSplashScreenView(displayArea, this, background, offset);
}

CTextSplash::CTextSplash(const CTextSplash& other)
    : CControl(other), CControlListener(other), displayArea(other.displayArea),
      panelOffset(other.panelOffset)
{
    panel = new CDefaultSplashScreenView(displayArea, this, other.getBackground(), panelOffset);
}

CTextSplash::~CTextSplash()
{
    if (panel) panel->forget();
}

void CTextSplash::draw(CDrawContext*)
{
    setDirty(false);
}

bool CTextSplash::hitTest(const CPoint& where, const int32_t buttons)
{
    const bool inside = where.h >= size.left && where.h <= size.right && where.v >= size.top &&
                        where.v <= size.bottom;
    return inside && buttons != -1 && (buttons & kLButton);
}

CMouseEventResult CTextSplash::onMouseDown(CPoint&, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    value = value == 0.0f ? 1.0f : 0.0f;
    // A frame that already shows another modal view refuses the panel; the value then stays
    // 1 without a panel, and the next click sets it back.
    if (value == 1.0f && panel && getFrame() && getFrame()->setModalView(panel) && listener)
        listener->valueChanged(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextSplash::unSplash()
{
    value = 0.0f;
    CFrame* frame = getFrame();
    if (frame && panel && frame->getModalView() == panel)
    {
        panel->invalid();
        frame->setModalView(nullptr);
    }
}

void CTextSplash::valueChanged(CControl* control)
{
    if (control != panel) return;
    unSplash();
    if (listener) listener->valueChanged(this);
}

bool CTextSplash::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CTextSplash") == 0 || CControl::isTypeOf(name);
}
