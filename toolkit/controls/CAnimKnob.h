#pragma once

#include "CKnob.h"

// A knob drawn from a film strip: the background image stacks its frames vertically, each as
// tall as the view, frame 0 for the minimum at the top.
class CAnimKnob : public CKnob
{
  public:
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint(0, 0));
    // An explicit frame count and frame height instead of those derived from the image.
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
              int32_t heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
    CAnimKnob(const CAnimKnob& other) = default;

    void draw(CDrawContext* context) override;
    // The frame shown for the current value.
    int32_t frameIndex() const;

    int32_t getNumSubPixmaps() const { return subPixmaps; }
    int32_t getHeightOfOneImage() const { return heightOfOneImage; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CAnimKnob(*this); }

  private:
    int32_t subPixmaps;
    int32_t heightOfOneImage;
};
