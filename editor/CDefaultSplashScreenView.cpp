#include "CDefaultSplashScreenView.h"

#include "CFrame.h"
#include "IdentityTexts.h"
#include "drawing/CBitmap.h"

#include <cstring>

const char* const kVersionLinkUrl = identity::kVersionLink.text;

void openVersionLink(CFrame* frame)
{
    if (frame) frame->openUrl(kVersionLinkUrl);
}

namespace
{
// The web address occupies image rows 39 to 48, left of the panel's last 60 columns.
constexpr int32_t kLinkTop = 38;
constexpr int32_t kLinkBottom = 101;
constexpr int32_t kLinkRight = 60;
} // namespace

CDefaultSplashScreenView::CDefaultSplashScreenView(const CRect& size, CControlListener* listener,
                                                   CBitmap* background, const CPoint& offset)
    : CControl(size, listener, 0, nullptr), offset(offset)
{
    setBackground(background);
}

CDefaultSplashScreenView::~CDefaultSplashScreenView() = default;

void CDefaultSplashScreenView::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect area = size;
        if (bTransparencyEnabled)
            pBackground->drawTransparent(context, area, offset);
        else
            pBackground->draw(context, area, offset);
    }
    setDirty(false);
}

bool CDefaultSplashScreenView::isOnLinkLine(const CPoint& p) const
{
    return p.h > size.left && p.v > size.top + kLinkTop && p.h < size.right - kLinkRight &&
           p.v < size.bottom - kLinkBottom;
}

CMouseEventResult CDefaultSplashScreenView::onMouseDown(CPoint& where, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    if (isOnLinkLine(where))
    {
        openVersionLink(getFrame());
        return kMouseEventNotHandled;
    }
    if (listener) listener->valueChanged(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CDefaultSplashScreenView::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CDefaultSplashScreenView") == 0 || CControl::isTypeOf(name);
}
