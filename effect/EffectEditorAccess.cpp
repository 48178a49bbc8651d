#include "EffectEditorAccess.h"

#include "OrvaneEffect.h"

float EffectEditorAccess::parameter(std::int32_t index)
{
    return effect.getParameter(index);
}

// The host hears of the edit only once the effect holds it, as VST 2.4's automation does; the
// switches the edit forced off are the effect's own doing and are not reported as edits.
void EffectEditorAccess::setParameterFromEditor(std::int32_t index, float value)
{
    if (!isParameterIndex(index)) return;
    effect.setParameter(index, value);
    host.parameterEdited(index, effect.getParameter(index));
}

void EffectEditorAccess::beginEdit(std::int32_t index)
{
    if (isParameterIndex(index)) host.beginEdit(index);
}

void EffectEditorAccess::endEdit(std::int32_t index)
{
    if (isParameterIndex(index)) host.endEdit(index);
}

float EffectEditorAccess::meterValue(MeterValueIndex which)
{
    return effect.meterValue(which);
}

bool EffectEditorAccess::resizeWindow(std::int32_t width, std::int32_t height)
{
    return host.resizeWindow(width, height);
}
