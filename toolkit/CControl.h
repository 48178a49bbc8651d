#pragma once

#include "CControlListener.h"
#include "CView.h"
#include "ControlHost.h"

#include <cstdint>

// A view with a float value that reports changes to its listener. The value is not clamped
// on setting; bounceValue() clamps it into [min, max].
class CControl : public CView
{
  public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);
    // A copy belongs to no frame until one attaches it.
    CControl(const CControl& other);

    virtual void setValue(float val) { value = val; }
    virtual float getValue() const { return value; }
    virtual void setMin(float val) { vmin = val; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float val) { vmax = val; }
    virtual float getMax() const { return vmax; }
    virtual void setDefaultValue(float val) { defaultValue = val; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setOldValue(float val) { oldValue = val; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setWheelInc(float val) { wheelInc = val; }
    virtual float getWheelInc() const { return wheelInc; }

    virtual void setTag(int32_t val) { tag = val; }
    int32_t getTag() const { return tag; }
    virtual void setListener(CControlListener* l) { listener = l; }
    CControlListener* getListener() const { return listener; }

    // Offset into the background bitmap where drawing starts.
    virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
    const CPoint& getBackOffset() const { return backOffset; }

    // Dirty while the value differs from the value at the last draw or while the view's
    // dirty flag is set. setDirty(false) records the current value as drawn; setDirty(true)
    // sets the drawn value to -1.0 (0.0 when the value is -1.0) so the control counts as changed.
    bool isDirty() const override;
    void setDirty(const bool val = true) override;

    // Clamps the value into [min, max].
    virtual void bounceValue();
    // The reset gesture: exactly left button + control restores the default value inside one
    // begin/end edit and answers true.
    virtual bool checkDefaultValue(int32_t buttons);

    // Set by the frame that attaches the control (null when detached).
    void setControlHost(ControlHost* host) { controlHost = host; }
    ControlHost* getControlHost() const { return controlHost; }

    // Start and end of a mouse gesture: tells the listener and, through the frame, the editor.
    virtual void beginEdit();
    virtual void endEdit();
    // Lets the frame and the editor run their idle work during a gesture.
    void doIdleStuff();

    // The system's double-click interval, never below 250 ms.
    uint32_t getDoubleClickInterval() const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CControl(*this); }

  protected:
    CControlListener* listener;
    int32_t tag;
    float value = 0.f;
    float vmin = 0.f;
    float vmax = 1.f;
    float defaultValue = 0.5f;
    float oldValue = 1.f;
    float wheelInc = 0.1f;
    CPoint backOffset;
    ControlHost* controlHost = nullptr;
};
