#pragma once

#include "CBaseObject.h"
#include "CPoint.h"
#include "CRect.h"
#include "ToolkitTypes.h"

#include <cstdint>

class CBitmap;
class CDrawContext;
class CFrame;

// A rectangle of the window that paints itself and may take mouse and key input. Rectangles
// are in frame coordinates. The frame owns the views added to it.
class CView : public CBaseObject
{
  public:
    explicit CView(const CRect& size);
    CView(const CView& other);
    ~CView() override;

    // Paints the view; the base draws the background bitmap and marks the view clean.
    virtual void draw(CDrawContext* context);
    // Paints the part `updateRect` of the view; by default the whole view.
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    // Whether the update rectangle touches the view.
    virtual bool checkUpdate(const CRect& updateRect) const;

    virtual bool isDirty() const { return bDirty; }
    virtual void setDirty(const bool val = true) { bDirty = val; }
    // Asks the frame to repaint `rect` at its next idle pass.
    virtual void invalidRect(const CRect& rect);
    // Marks the view clean and asks the frame to repaint its rectangle.
    virtual void invalid();

    virtual CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons);
    virtual bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons);
    // Key handlers answer 1 when they used the key and -1 otherwise.
    virtual int32_t onKeyDown(CKeyCode& keyCode);
    virtual int32_t onKeyUp(CKeyCode& keyCode);
    // Whether `where` lies in the mouse-sensitive area, right and bottom edges included.
    virtual bool hitTest(const CPoint& where, const int32_t buttons = -1);

    virtual void setVisible(bool state);
    bool isVisible() const { return bVisible; }
    virtual void setMouseEnabled(bool state) { bMouseEnabled = state; }
    bool getMouseEnabled() const { return bMouseEnabled; }
    virtual void setTransparency(bool val) { bTransparencyEnabled = val; }
    bool getTransparency() const { return bTransparencyEnabled; }

    // Remembers the new bitmap, forgets the old one and marks the view dirty.
    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return pBackground; }

    const CRect& getViewSize() const { return size; }
    void getViewSize(CRect& rect) const { rect = size; }
    virtual void setViewSize(const CRect& rect);
    const CRect& getMouseableArea() const { return mouseableArea; }
    void getMouseableArea(CRect& rect) const { rect = mouseableArea; }
    virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    int32_t getWidth() const { return size.width(); }
    int32_t getHeight() const { return size.height(); }

    CFrame* getFrame() const { return pParentFrame; }
    // Called by the frame when the view is added to or removed from it.
    virtual void setFrame(CFrame* frame) { pParentFrame = frame; }
    bool isAttached() const { return pParentFrame != nullptr; }

    // Whether the view is of class `name` or derives from it ("CView" for this class).
    virtual bool isTypeOf(const char* name) const;
    virtual CView* newCopy() const { return new CView(*this); }

  protected:
    CRect size;
    CRect mouseableArea;
    CFrame* pParentFrame = nullptr;
    CBitmap* pBackground = nullptr;
    bool bDirty = false;
    bool bVisible = true;
    bool bMouseEnabled = true;
    bool bTransparencyEnabled = false;
};
