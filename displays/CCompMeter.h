#pragma once

#include "CControl.h"
#include "CompMeterPicture.h"

// The gain-reduction meter: a bar hanging from the top of a narrow well, ten pixels per unit
// of value, with a translucent hold bar behind it and a red strip when the hold overflows.
// It only draws what the editor hands it (dB already multiplied by the meter-scale factor).
class CCompMeter : public CControl
{
  public:
    CCompMeter(const CRect& size, CControlListener* listener, int32_t tag);
    CCompMeter(const CCompMeter& other) = default;
    ~CCompMeter() override;

    void draw(CDrawContext* context) override;

    void setHold(double newHold);
    double getHold() const { return hold; }
    // Whether the compressor is in the signal path; kept for the editor, not drawn.
    void setActive(bool state) { active = state; }
    bool isActive() const { return active; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CCompMeter(*this); }

    // Rows 2 to 127 of the 130-pixel well.
    static constexpr int32_t kMaxBarPixels = kCompMeterMaxBar;

  private:
    double hold = 0.0;
    bool active = true;
};
