#pragma once

#include "EditorAccess.h"
#include "VstInterface.h"

class AudioEffectX;

// The editor's access to a VST 2.4 effect: its getParameter (the meter values are its reserved
// indices), setParameterAutomated, beginEdit and endEdit, and the host's window size and idle.
class AudioEffectEditorAccess : public EditorAccess
{
  public:
    explicit AudioEffectEditorAccess(AudioEffectX& effect) : effect(effect) {}

    float parameter(VstInt32 index) override;
    void setParameterFromEditor(VstInt32 index, float value) override;
    void beginEdit(VstInt32 index) override;
    void endEdit(VstInt32 index) override;
    float meterValue(MeterValueIndex which) override;
    bool resizeWindow(std::int32_t width, std::int32_t height) override;
    void hostIdle() override;

  private:
    AudioEffectX& effect;
};
