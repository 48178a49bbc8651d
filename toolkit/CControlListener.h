#pragma once

#include <cstdint>

class CControl;

// Receives a control's changes and gestures; the editor is the listener of its controls.
class CControlListener
{
  public:
    virtual ~CControlListener() = default;

    // The user changed the control's value.
    virtual void valueChanged(CControl* control) = 0;
    // A press with right, shift, control, alt or command; non-zero consumes the press before
    // it reaches the control.
    virtual int32_t controlModifierClicked(CControl* /*control*/, int32_t /*buttons*/) { return 0; }
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
};
