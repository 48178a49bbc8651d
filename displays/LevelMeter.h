#pragma once

#include "CControl.h"

// The detector level meter: a bar rising from the bottom of a narrow well at two pixels per
// dB (0 dB at the top), the fast level pale behind the slow level, and a red line at the
// threshold. It does not follow the meter scale.
class LevelMeter : public CControl
{
  public:
    LevelMeter(const CRect& size, CControlListener* listener, int32_t tag);
    LevelMeter(const LevelMeter& other) = default;
    ~LevelMeter() override;

    void draw(CDrawContext* context) override;

    // dB; shown at the next redraw, which a change of the fast level (the value) brings.
    void setSlowLevel(float db) { slowLevel = db; }
    float getSlowLevel() const { return slowLevel; }
    // Takes the normalised "Threshold" value and keeps it as dB (0 to -50).
    void setThresholdMarker(float normalisedThreshold)
    {
        thresholdMarker = normalisedThreshold * -50.0f;
    }
    float getThresholdMarker() const { return thresholdMarker; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new LevelMeter(*this); }

  private:
    float slowLevel = -80.0f;
    float thresholdMarker = -10.0f;
};
