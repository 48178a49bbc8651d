#pragma once

#include "CControl.h"

// Shows one frame of a vertical film strip chosen by the value (0 the first, 1 the last);
// takes no input.
class CMovieBitmap : public CControl
{
  public:
    CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 const CPoint& offset = CPoint(0, 0));
    CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                 int32_t heightOfOneImage, CBitmap* background,
                 const CPoint& offset = CPoint(0, 0));
    CMovieBitmap(const CMovieBitmap& other) = default;

    void draw(CDrawContext* context) override;
    int32_t frameIndex() const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CMovieBitmap(*this); }

  private:
    CPoint offset;
    int32_t subPixmaps;
    int32_t heightOfOneImage;
};
