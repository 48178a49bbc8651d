#pragma once

#include "KnobMode.h"

#include <cstdint>

class CFrame;

// What a frame needs from the editor that owns it. The plug-in's editor class derives from
// this and from the effect's editor base, so the toolkit needs nothing of the effect.
class VSTGUIEditorInterface
{
  public:
    virtual ~VSTGUIEditorInterface() = default;

    // A mouse gesture on parameter `index` starts or ends; the frame forwards only the
    // outermost begin and end of nested calls for the same index.
    virtual void beginEdit(int32_t index) = 0;
    virtual void endEdit(int32_t index) = 0;
    // Lets the editor run its idle work (meters, repaint) while a control tracks the mouse.
    virtual void doIdleStuff() = 0;
    // The knob mode the host chose; by default the process-wide setting.
    virtual int32_t getKnobMode() const { return getGlobalKnobMode(); }
    // Device pixels per logical pixel for a frame made now (1 to 2).
    virtual double getScaleFactor() const { return 1.0; }

    CFrame* getFrame() const { return frame; }

  protected:
    CFrame* frame = nullptr;
};
