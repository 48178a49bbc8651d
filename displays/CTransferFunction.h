#pragma once

#include "CControl.h"
#include "TransferPicture.h"

// The transfer-curve display: the static input-to-output law of the current settings over a
// dark unity diagonal, a red line at threshold plus make-up, a faint band over the lower half
// of the knee, and the wet and dry shares of the output. The control's value carries the
// "Meter Scale" parameter and is not drawn.
class CTransferFunction : public CControl
{
  public:
    CTransferFunction(const CRect& size, CControlListener* listener, int32_t tag);
    CTransferFunction(const CTransferFunction& other) = default;
    ~CTransferFunction() override;

    void draw(CDrawContext* context) override;

    // dB values; plain stores, the editor marks the display dirty after a change.
    void setThreshold(double db) { settings.threshold = db; }
    void setKnee(double db) { settings.knee = db; }
    void setMakeUp(double db) { settings.makeUp = db; }
    void setAttenuationOfDry(double db) { settings.dryAttenuation = db; }
    // From the normalised "Ratio" value.
    void setRatio(double normalisedRatio)
    {
        settings.slope = transferSlopeForRatio(normalisedRatio);
    }
    const TransferCurveSettings& getSettings() const { return settings; }

    // The two labels' texts and whether the dry share is audible (labels at full strength).
    struct Shares
    {
        char wet[24];
        char dry[24];
        bool dryAudible;
    };
    Shares shares() const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CTransferFunction(*this); }

    static constexpr int32_t kSide = kTransferSide;

  private:
    void drawShares(CDrawContext& context) const;

    TransferCurveSettings settings;
};
