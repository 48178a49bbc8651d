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
    virtual float parameter(VstInt32 index) = 0;
    // A change made in the editor: the effect takes it and the host learns of it. The effect
    // then tells the editor of it, and of any parameter its interlocks changed.
    virtual void setParameterFromEditor(VstInt32 index, float value) = 0;
    // A mouse gesture on a parameter begins or ends.
    virtual void beginEdit(VstInt32 index) = 0;
    virtual void endEdit(VstInt32 index) = 0;
    // One of the values the meters read: gain, slow level, fast level, and the active flag.
    virtual float meterValue(MeterValueIndex which) = 0;
};
