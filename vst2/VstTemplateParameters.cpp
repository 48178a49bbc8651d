#include "VstTemplate.h"

#include "ParameterIds.h"

void VstTemplate::setParameter(VstInt32 index, float value)
{
    effect->setParameter(index, value);
}

float VstTemplate::getParameter(VstInt32 index)
{
    return isParameterIndex(index) ? effect->getParameter(index) : effect->meterValue(index);
}

VstInt32 VstTemplate::getProgram()
{
    return effect->currentProgram();
}

void VstTemplate::setProgram(VstInt32 program)
{
    if (program < 0 || program >= kNumPrograms) return;
    AudioEffectX::setProgram(program);
    effect->setProgram(program);
}

void VstTemplate::setProgramName(char* name)
{
    effect->setProgramName(name);
}

void VstTemplate::getProgramName(char* name)
{
    effect->programName(name);
}

bool VstTemplate::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
    return effect->programNameIndexed(index, text);
}

void VstTemplate::fillFactoryPresets()
{
    effect->fillFactoryPresets();
}
