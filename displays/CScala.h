#pragma once

#include "CControl.h"

// The dB scale beside the gain-reduction meter, and the control of the "Meter Scale"
// parameter: a left click steps the setting forward (6, 12, 24, 48 dB), a right click back.
// Its mouse area reaches over both meters, so a click on them steps it too.
class CScala : public CControl
{
  public:
    CScala(const CRect& size, CControlListener* listener, int32_t tag);
    CScala(const CScala& other) = default;
    ~CScala() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CScala(*this); }

    // The value a click leads to: forward for the left button, backward for the right.
    static float nextStep(float value);
    static float previousStep(float value);

    // Setting 0 to 3 (6, 12, 24, 48 dB full scale) of a "Meter Scale" value.
    static int settingOf(float value);
    // What the meters multiply gain reduction in dB by before halving: 4, 2, 1 or 0.5.
    static float meterFactor(float value);
    // Label of tick i (every fourth tick is labelled) in dB of gain reduction.
    static int tickLabel(float value, int tick);

    static constexpr int32_t kTickCount = 34;
    static constexpr int32_t kTickSpacing = 5;
    static constexpr int32_t kFirstTickRow = 7;
};
