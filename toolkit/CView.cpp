#include "CView.h"

#include "CBitmap.h"
#include "CFrame.h"

#include <cstring>

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::CView(const CView& other)
    : CBaseObject(other), size(other.size), mouseableArea(other.mouseableArea),
      pBackground(other.pBackground), bDirty(other.bDirty), bVisible(other.bVisible),
      bMouseEnabled(other.bMouseEnabled), bTransparencyEnabled(other.bTransparencyEnabled)
{
    if (pBackground) pBackground->remember();
}

CView::~CView()
{
    if (pBackground) pBackground->forget();
}

void CView::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect r(size);
        if (bTransparencyEnabled)
            pBackground->drawTransparent(context, r);
        else
            pBackground->draw(context, r);
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
}

bool CView::checkUpdate(const CRect& updateRect) const
{
    return updateRect.rectOverlap(size);
}

void CView::invalidRect(const CRect& rect)
{
    if (pParentFrame) pParentFrame->invalidRect(rect);
}

void CView::invalid()
{
    setDirty(false);
    invalidRect(size);
}

CMouseEventResult CView::onMouseDown(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const int32_t&)
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint&, const float&, const int32_t&)
{
    return false;
}

int32_t CView::onKeyDown(CKeyCode&)
{
    return -1;
}

int32_t CView::onKeyUp(CKeyCode&)
{
    return -1;
}

bool CView::hitTest(const CPoint& where, const int32_t)
{
    return where.h >= mouseableArea.left && where.h <= mouseableArea.right &&
           where.v >= mouseableArea.top && where.v <= mouseableArea.bottom;
}

void CView::setVisible(bool state)
{
    if (bVisible == state) return;
    bVisible = state;
    setDirty(true);
}

void CView::setBackground(CBitmap* background)
{
    if (background) background->remember();
    if (pBackground) pBackground->forget();
    pBackground = background;
    setDirty(true);
}

void CView::setViewSize(const CRect& rect)
{
    invalidRect(size);
    size = rect;
    setDirty(true);
}

bool CView::isTypeOf(const char* name) const
{
    return name && std::strcmp(name, "CView") == 0;
}
