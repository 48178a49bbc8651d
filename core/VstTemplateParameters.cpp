#include "VstTemplate.h"

#include "AEffEditor.h"
#include "CompressorEngine.h"
#include "Interlocks.h"
#include "ParameterMapping.h"
#include "ParameterTable.h"

#include <cmath>

Program& VstTemplate::currentProgram()
{
    // curProgram only ever holds 0..8 (setProgram is reached for those alone).
    return programs[curProgram.load(std::memory_order_relaxed)];
}

// Store, hand the physical value over, apply the exclusive switches, then tell the editor.
// Values outside 0..1 are kept as they come; only non-finite ones are refused, because they
// would reach the engine's state and stay there.
void VstTemplate::setParameter(VstInt32 index, float value)
{
    if (!isParameterIndex(index) || !std::isfinite(value)) return;
    currentProgram().setValue(index, value);
    applyToEngine(index, value);
    applyInterlocks(index, value);
    if (editor) editor->setParameter(index, value);
}

void VstTemplate::applyToEngine(VstInt32 index, float v)
{
    if (index == kBypass) bypass.store(switchOn(v), std::memory_order_relaxed);
    if (const auto toEngine = kParameterTable[index].toEngine) toEngine(*engine, v);
}

// Switching one of the exclusive switches on switches the others off through the whole
// procedure, so the program, the engine and the editor all follow.
void VstTemplate::applyInterlocks(VstInt32 index, float v)
{
    const SwitchesForcedOff forced = switchesForcedOff(index, v);
    for (VstInt32 k = 0; k < forced.count; ++k)
        setParameter(forced.index[k], 0.0f);
}

float VstTemplate::getParameter(VstInt32 index)
{
    if (isParameterIndex(index)) return currentProgram().value(index);
    constexpr auto relaxed = std::memory_order_relaxed;
    switch (index)
    {
    case kMeterConstantOne:
        return static_cast<float>(meterConstantOne.load(relaxed));
    case kMeterGain:
        return static_cast<float>(meterGain.load(relaxed));
    case kMeterLevelSlow:
        return static_cast<float>(meterLevelSlow.load(relaxed));
    case kMeterLevelFast:
        return static_cast<float>(meterLevelFast.load(relaxed));
    case kMeterActive:
        return processingActive.load(relaxed);
    default:
        return 0.0f; // 504, 505 and every index nothing is stored for
    }
}
