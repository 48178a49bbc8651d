#pragma once

#include "CControl.h"
#include "CControlListener.h"

class CDefaultSplashScreenView;

// An invisible control over the version text: a left click shows the about panel as the
// frame's modal view in the display area; a click on the panel hides it again. Its value is
// 1 while the panel is meant to be up.
class CTextSplash : public CControl, public CControlListener
{
  public:
    CTextSplash(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                const CRect& displayArea, const CPoint& offset);
    CTextSplash(const CTextSplash& other);
    ~CTextSplash() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    bool hitTest(const CPoint& where, const int32_t buttons = -1) override;
    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CTextSplash(*this); }

    // Hides the panel if it is showing.
    virtual void unSplash();
    virtual void setDisplayArea(const CRect& area) { displayArea = area; }
    const CRect& getDisplayArea() const { return displayArea; }
    CDefaultSplashScreenView* getPanel() const { return panel; }

    // CControlListener: the panel was clicked.
    void valueChanged(CControl* control) override;

  private:
    CRect displayArea;
    CPoint panelOffset;
    CDefaultSplashScreenView* panel = nullptr;
};
