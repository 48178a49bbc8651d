#pragma once

#include <cstdint>

class CView;

// What a control needs from the frame it sits in. The frame implements it and hands it to each
// control it attaches, so controls depend on this small interface and never on the frame.
class ControlHost
{
  public:
    // The control under a gesture takes the keyboard focus.
    virtual void setFocusView(CView* view) = 0;
    // A gesture on the parameter `tag` starts and ends; nested calls for one tag count once.
    virtual void beginEdit(int32_t tag) = 0;
    virtual void endEdit(int32_t tag) = 0;
    // Lets the frame and the editor run their idle work during a gesture.
    virtual void doIdleStuff() = 0;
    virtual uint32_t getDoubleClickTime() const = 0;
    virtual int32_t getKnobMode() const = 0;

  protected:
    ~ControlHost() = default;
};
