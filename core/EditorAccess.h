#pragma once

#include "ParameterIds.h"

// What the editor needs of the effect it shows, whatever carries the two: read and write a
// parameter, bracket a mouse gesture, read the published meter values. Each plug-in format
// implements it once; the editor and the displays know nothing else of the effect.
class EditorAccess
{
  public:
    virtual ~EditorAccess() = default;

    // The stored normalised value of parameter 0..20.
    virtual float parameter(std::int32_t index) = 0;
    // A change made in the editor: the effect takes it and the host learns of it. The effect
    // then tells the editor of it, and of any parameter its interlocks changed.
    virtual void setParameterFromEditor(std::int32_t index, float value) = 0;
    // A mouse gesture on a parameter begins or ends.
    virtual void beginEdit(std::int32_t index) = 0;
    virtual void endEdit(std::int32_t index) = 0;
    // One of the values the meters read: gain, slow level, fast level, and the active flag.
    virtual float meterValue(MeterValueIndex which) = 0;
    // Asks the host to resize the editor's window to this many device pixels; false if it
    // will not.
    virtual bool resizeWindow(std::int32_t /*width*/, std::int32_t /*height*/) { return false; }
    // Lets the host run its own idle work while a mouse drag holds its event loop.
    virtual void hostIdle() {}
};
