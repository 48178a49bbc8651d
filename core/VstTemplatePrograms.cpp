#include "VstTemplate.h"

#include "FactoryPresets.h"

// Loading runs the whole parameter procedure for each index in order, reading the program's
// record at the moment of each call, so an interlock forced by an earlier index is already in
// the record when a later index is loaded.
void VstTemplate::setProgram(VstInt32 program)
{
    if (program < 0 || program >= kNumPrograms) return;
    curProgram.store(program, std::memory_order_relaxed);
    for (VstInt32 i = 0; i < kNumParams; ++i)
        setParameter(i, programs[program].value(i));
}

void VstTemplate::setProgramName(char* name)
{
    currentProgram().setName(name);
}

void VstTemplate::getProgramName(char* name)
{
    copyString(name, currentProgram().name, Program::kNameChars);
}

bool VstTemplate::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
    if (index < 0 || index >= kNumPrograms) return false;
    copyString(text, programs[index].name, Program::kNameChars);
    return true;
}

void VstTemplate::fillFactoryPresets()
{
    for (VstInt32 p = 0; p < kNumPrograms; ++p)
    {
        programs[p].setName(kFactoryPresets[p].name);
        for (VstInt32 i = 0; i < kNumParams; ++i)
            programs[p].setValue(i, kFactoryPresets[p].values[i]);
    }
}
