#include "CFrame.h"

#include "CBitmap.h"
#include "CControl.h"
#include "COffscreenContext.h"
#include "DeviceScale.h"
#include "PixelImage.h"
#include "VSTGUIEditorInterface.h"
#include "platform/PlatformWindow.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int32_t kModifierClickButtons = kRButton | kShift | kControl | kAlt | kApple;

// Merges overlapping rectangles until none overlap, so no pixel is painted twice.
void mergeOverlapping(std::vector<CRect>& rects)
{
    bool merged = true;
    while (merged)
    {
        merged = false;
        for (std::size_t i = 0; i < rects.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                if (rects[i].rectOverlap(rects[j]))
                {
                    rects[i].unite(rects[j]);
                    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                    break;
                }
    }
}
} // namespace

CFrame::CFrame(const CRect& rect, void* systemWindow, VSTGUIEditorInterface* editor)
    : CView(CRect(0, 0, rect.width(), rect.height())), systemWindow(systemWindow), editor(editor)
{
    pParentFrame = this;
    if (editor) scale = clampScaleFactor(editor->getScaleFactor());
    platformWindow = createPlatformWindow(systemWindow, getDeviceSize(), *this);
    invalidRects.push_back(size);
}

CRect CFrame::getDeviceSize() const
{
    return toDeviceRect(size, scale);
}

void CFrame::setScale(double factor)
{
    const double wanted = clampScaleFactor(factor);
    if (wanted == scale) return;
    scale = wanted;
    backBuffer.reset(); // the next paint makes one at the new size
    if (platformWindow) platformWindow->resize(getDeviceSize());
    invalidRect(size);
}

CPoint CFrame::toLogical(const CPoint& device) const
{
    return CPoint(toLogicalPixel(device.h, scale), toLogicalPixel(device.v, scale));
}

CFrame::~CFrame()
{
    // A gesture cut short by closing the window still ends for the host.
    for (const auto& [tag, depth] : editDepth)
        if (depth > 0 && editor) editor->endEdit(tag);
    editDepth.clear();
    mouseCaptureView = nullptr;
    focusView = nullptr;
    if (modalView)
    {
        CView* modal = modalView;
        modalView = nullptr;
        if (modal->getFrame() == this && !isChild(modal)) detach(modal);
        modal->forget();
    }
    removeAll(true);
    platformWindow.reset();
    pParentFrame = nullptr;
}

bool CFrame::addView(CView* view)
{
    if (!view || view == this || isChild(view)) return false;
    views.push_back(view);
    attach(view);
    invalidRect(view->getViewSize());
    return true;
}

void CFrame::dropView(CView* view, bool withForget)
{
    if (focusView == view) focusView = nullptr;
    if (mouseCaptureView == view) mouseCaptureView = nullptr;
    if (view != modalView) detach(view);
    if (withForget) view->forget();
}

void CFrame::attach(CView* view)
{
    view->setFrame(this);
    if (auto* control = dynamic_cast<CControl*>(view)) control->setControlHost(this);
}

void CFrame::detach(CView* view)
{
    view->setFrame(nullptr);
    if (auto* control = dynamic_cast<CControl*>(view)) control->setControlHost(nullptr);
}

bool CFrame::removeView(CView* view, bool withForget)
{
    auto it = std::find(views.begin(), views.end(), view);
    if (it == views.end()) return false;
    views.erase(it);
    invalidRect(view->getViewSize());
    dropView(view, withForget);
    return true;
}

void CFrame::removeAll(bool withForget)
{
    std::vector<CView*> old;
    old.swap(views);
    for (CView* view : old)
        dropView(view, withForget);
    invalidRect(size);
}

bool CFrame::isChild(const CView* view) const
{
    return std::find(views.begin(), views.end(), view) != views.end();
}

CView* CFrame::getView(int32_t index) const
{
    if (index < 0 || index >= getNbViews()) return nullptr;
    return views[static_cast<std::size_t>(index)];
}

bool CFrame::setModalView(CView* view)
{
    if (view == modalView) return true;
    if (view && modalView) return false;
    if (modalView)
    {
        CView* old = modalView;
        modalView = nullptr;
        invalidRect(old->getViewSize());
        if (mouseCaptureView == old) mouseCaptureView = nullptr;
        if (old->getFrame() == this && !isChild(old)) detach(old);
        old->forget();
    }
    if (view)
    {
        view->remember();
        if (!view->getFrame()) attach(view);
        modalView = view;
        mouseCaptureView = nullptr;
        invalidRect(view->getViewSize());
    }
    return true;
}

void CFrame::invalidRect(const CRect& rect)
{
    CRect r(rect);
    r.bound(size);
    if (!r.isEmpty()) invalidRects.push_back(r);
}

std::vector<CRect> CFrame::collectDirtyRegions()
{
    std::vector<CRect> regions;
    regions.swap(invalidRects);
    if (CView::isDirty())
    {
        regions.push_back(size);
        CView::setDirty(false);
    }
    for (CView* view : views)
    {
        if (!view->isDirty()) continue;
        regions.push_back(view->getViewSize());
        // A hidden view is not drawn, so nothing else would clear its flag.
        if (!view->isVisible()) view->setDirty(false);
    }
    if (modalView && modalView->isVisible() && modalView->isDirty())
        regions.push_back(modalView->getViewSize());
    for (CRect& r : regions)
        r.bound(size);
    regions.erase(
        std::remove_if(regions.begin(), regions.end(), [](const CRect& r) { return r.isEmpty(); }),
        regions.end());
    mergeOverlapping(regions);
    return regions;
}

void CFrame::paintRegion(const CRect& region)
{
    COffscreenContext* context = backBuffer.get();
    context->setClipLimit(region);
    context->setClipRect(region);
    context->setFillColor(kBlackCColor);
    context->fillRect(region);
    if (pBackground)
    {
        CRect all(size);
        pBackground->draw(context, all);
    }
    auto paint = [&](CView* view)
    {
        if (!view->isVisible() || !view->checkUpdate(region)) return;
        context->setClipRect(region);
        view->drawRect(context, region);
        // Fully repainted: whatever the view's own draw did, it now shows its state.
        CRect within(view->getViewSize());
        if (within.bound(region) == view->getViewSize()) view->setDirty(false);
    };
    for (std::size_t i = 0; i < views.size(); ++i)
        paint(views[i]);
    if (modalView) paint(modalView);
    context->setClipLimit(CRect());
    context->resetClipRect();
    if (platformWindow)
    {
        const PixelImage& image = context->getTarget();
        PixelView pixels{image.data(), image.getWidth(), image.getHeight(), image.getWidth()};
        platformWindow->present(pixels, toDeviceRect(region, scale));
    }
}

void CFrame::idle()
{
    if (!pumpingEvents && platformWindow)
    {
        pumpingEvents = true;
        platformWindow->pumpEvents();
        pumpingEvents = false;
    }
    if (painting) return;
    painting = true;
    if (!backBuffer)
    {
        // Made when first needed: an editor that is open but not yet painted holds no picture.
        backBuffer = std::make_unique<COffscreenContext>(this, size, kBlackCColor);
        invalidRects.push_back(size);
    }
    for (const CRect& region : collectDirtyRegions())
        paintRegion(region);
    painting = false;
}

void CFrame::draw(CDrawContext*)
{
    invalidRect(size);
    idle();
}

void CFrame::drawRect(CDrawContext*, const CRect& updateRect)
{
    invalidRect(updateRect);
    idle();
}

CView* CFrame::viewAt(const CPoint& where, int32_t buttons) const
{
    auto accepts = [&](CView* view)
    { return view->isVisible() && view->getMouseEnabled() && view->hitTest(where, buttons); };
    if (modalView) return accepts(modalView) ? modalView : nullptr;
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if (accepts(*it)) return *it;
    return nullptr;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const int32_t& buttons)
{
    // A press always starts afresh, even if the release of the last one never arrived.
    mouseCaptureView = nullptr;
    CView* view = viewAt(where, buttons);
    if (!view) return kMouseEventNotHandled;
    if (buttons & kModifierClickButtons)
    {
        auto* control = dynamic_cast<CControl*>(view);
        if (control && control->getListener() &&
            control->getListener()->controlModifierClicked(control, buttons) != 0)
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    CPoint point(where);
    const CMouseEventResult result = view->onMouseDown(point, buttons);
    if (result == kMouseEventHandled && (isChild(view) || view == modalView))
        mouseCaptureView = view;
    return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!mouseCaptureView) return kMouseEventNotHandled;
    CPoint point(where);
    return mouseCaptureView->onMouseMoved(point, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const int32_t& buttons)
{
    CView* view = mouseCaptureView;
    mouseCaptureView = nullptr;
    if (!view) return kMouseEventNotHandled;
    CPoint point(where);
    return view->onMouseUp(point, buttons);
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const int32_t& buttons)
{
    CView* view = mouseCaptureView ? mouseCaptureView : viewAt(where, buttons);
    return view && view->onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(CKeyCode& keyCode)
{
    if (modalView)
    {
        const int32_t result = modalView->onKeyDown(keyCode);
        if (result != -1) return result;
    }
    if (focusView && focusView->isVisible()) return focusView->onKeyDown(keyCode);
    return -1;
}

int32_t CFrame::onKeyUp(CKeyCode& keyCode)
{
    if (modalView)
    {
        const int32_t result = modalView->onKeyUp(keyCode);
        if (result != -1) return result;
    }
    if (focusView && focusView->isVisible()) return focusView->onKeyUp(keyCode);
    return -1;
}

void CFrame::beginEdit(int32_t tag)
{
    if (++editDepth[tag] == 1 && editor) editor->beginEdit(tag);
}

void CFrame::endEdit(int32_t tag)
{
    auto it = editDepth.find(tag);
    // An end without a begin is dropped rather than confusing the host.
    if (it == editDepth.end()) return;
    if (--it->second > 0) return;
    editDepth.erase(it);
    if (editor) editor->endEdit(tag);
}

void CFrame::doIdleStuff()
{
    if (editor)
        editor->doIdleStuff();
    else
        idle();
}

void CFrame::dispatchPendingPaint()
{
    if (platformWindow) platformWindow->dispatchPendingPaint();
}

int32_t CFrame::getKnobMode() const
{
    return editor ? editor->getKnobMode() : getGlobalKnobMode();
}

bool CFrame::openUrl(const char* url)
{
    if (!url || !*url || !platformWindow) return false;
    return platformWindow->openUrl(url);
}

uint32_t CFrame::getDoubleClickTime() const
{
    return platformWindow ? platformWindow->getDoubleClickTime() : 250;
}

bool CFrame::writePng(const char* path) const
{
    return backBuffer && backBuffer->writePng(path);
}

bool CFrame::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CFrame") == 0) || CView::isTypeOf(name);
}

// The window reports device pixels; everything behind the frame works in logical ones.
int32_t CFrame::platformMouseDown(CPoint where, int32_t buttons)
{
    CPoint point = toLogical(where);
    return onMouseDown(point, buttons);
}

int32_t CFrame::platformMouseMoved(CPoint where, int32_t buttons)
{
    CPoint point = toLogical(where);
    return onMouseMoved(point, buttons);
}

int32_t CFrame::platformMouseUp(CPoint where, int32_t buttons)
{
    CPoint point = toLogical(where);
    return onMouseUp(point, buttons);
}

bool CFrame::platformWheel(CPoint where, float distance, int32_t buttons)
{
    return onWheel(toLogical(where), distance, buttons);
}

int32_t CFrame::platformKeyDown(CKeyCode key)
{
    return onKeyDown(key);
}

int32_t CFrame::platformKeyUp(CKeyCode key)
{
    return onKeyUp(key);
}

void CFrame::platformExpose(const CRect& rect)
{
    invalidRect(toLogicalCover(rect, scale));
}
