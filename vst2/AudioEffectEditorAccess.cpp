#include "AudioEffectEditorAccess.h"

#include "AudioEffectX.h"

float AudioEffectEditorAccess::parameter(VstInt32 index)
{
    return effect.getParameter(index);
}

void AudioEffectEditorAccess::setParameterFromEditor(VstInt32 index, float value)
{
    effect.setParameterAutomated(index, value);
}

void AudioEffectEditorAccess::beginEdit(VstInt32 index)
{
    effect.beginEdit(index);
}

void AudioEffectEditorAccess::endEdit(VstInt32 index)
{
    effect.endEdit(index);
}

float AudioEffectEditorAccess::meterValue(MeterValueIndex which)
{
    return effect.getParameter(which);
}

bool AudioEffectEditorAccess::resizeWindow(std::int32_t width, std::int32_t height)
{
    return effect.sizeWindow(width, height);
}

void AudioEffectEditorAccess::hostIdle()
{
    effect.masterIdle();
}
