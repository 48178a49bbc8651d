#pragma once

#include "CControl.h"

// The about panel: one image shown as the frame's modal view. A left click closes it (through
// its listener), except on the line with the maker's web address, which opens the version link
// and leaves the panel up.
class CDefaultSplashScreenView : public CControl
{
  public:
    CDefaultSplashScreenView(const CRect& size, CControlListener* listener, CBitmap* background,
                             const CPoint& offset);
    CDefaultSplashScreenView(const CDefaultSplashScreenView& other) = default;
    ~CDefaultSplashScreenView() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CDefaultSplashScreenView(*this); }

    // Whether a point lies on the web-address line of the panel's image (strict bounds).
    bool isOnLinkLine(const CPoint& where) const;

  private:
    CPoint offset;
};

// The maker's page for this version; plain HTTP, the query carries the version.
extern const char* const kVersionLinkUrl;

// Opens the version link in the user's browser; failures are ignored. Without a frame (a view
// not yet attached) nothing happens.
void openVersionLink(CFrame* frame);
