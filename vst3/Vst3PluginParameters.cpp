// The controller's side: the parameter list, its texts both ways, the program choice, and the
// edits the editor reports to the host.
#include "Vst3Plugin.h"

#include "ParameterTable.h"
#include "ParameterText.h"
#include "ParameterTextInput.h"
#include "Vst3Text.h"

#include <cmath>
#include <cstring>

using namespace vst3;

namespace
{
constexpr int32 kParameterListSize = kNumParams + 1; // the table, then the program choice
constexpr int32 kLastProgram = kNumPrograms - 1;

bool isTableId(ParamID id)
{
    return id < static_cast<ParamID>(kNumParams);
}

int32 programOf(ParamValue value)
{
    if (!(value >= 0.0)) return 0;
    if (value >= 1.0) return kLastProgram;
    return static_cast<int32>(std::lround(value * kLastProgram));
}

ParamValue valueOfProgram(int32 program)
{
    return static_cast<ParamValue>(program) / kLastProgram;
}

int32 flagsOf(const ::ParameterInfo& row)
{
    int32 flags = 0;
    if (row.flags & kAutomatable) flags |= vst3::ParameterInfo::kCanAutomate;
    if (row.flags & kHidden) flags |= vst3::ParameterInfo::kIsHidden;
    if (row.flags & kBypassSwitch) flags |= vst3::ParameterInfo::kIsBypass;
    if (row.kind == ParameterKind::List) flags |= vst3::ParameterInfo::kIsList;
    return flags;
}

void describeTableParameter(int32 index, vst3::ParameterInfo& info)
{
    const ::ParameterInfo& row = kParameterTable[index];
    info.id = static_cast<ParamID>(index);
    vst3text::copy(info.title, row.name);
    vst3text::copy(info.shortTitle, row.shortName);
    // The value texts carry their units, as the VST 2.4 build's do; a unit here would show twice.
    vst3text::copy(info.units, "");
    info.stepCount = stepCount(index);
    info.defaultNormalizedValue = defaultValue(index);
    info.unitId = kRootUnitId;
    info.flags = flagsOf(row);
}

void describeProgramChoice(vst3::ParameterInfo& info)
{
    info.id = Vst3Plugin::kProgramParameterId;
    vst3text::copy(info.title, "Program");
    vst3text::copy(info.shortTitle, "Program");
    vst3text::copy(info.units, "");
    info.stepCount = kLastProgram;
    info.defaultNormalizedValue = 0.0;
    info.unitId = kRootUnitId;
    info.flags = vst3::ParameterInfo::kCanAutomate | vst3::ParameterInfo::kIsList |
                 vst3::ParameterInfo::kIsProgramChange;
}
} // namespace

int32 Vst3Plugin::getParameterCount()
{
    return kParameterListSize;
}

tresult Vst3Plugin::getParameterInfo(int32 paramIndex, vst3::ParameterInfo& info)
{
    if (paramIndex < 0 || paramIndex >= kParameterListSize) return kInvalidArgument;
    std::memset(&info, 0, sizeof info);
    if (paramIndex < kNumParams)
        describeTableParameter(paramIndex, info);
    else
        describeProgramChoice(info);
    return kResultOk;
}

tresult Vst3Plugin::getParamStringByValue(ParamID id, ParamValue value, String128 string)
{
    if (!string) return kInvalidArgument;
    char text[64] = {};
    if (id == kProgramParameterId)
    {
        effect->programNameIndexed(programOf(value), text);
    }
    else
    {
        if (!isTableId(id) || !std::isfinite(value)) return kInvalidArgument;
        const auto v = static_cast<float>(value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value));
        parameterValueText(static_cast<std::int32_t>(id), v, text, sizeof text);
    }
    vst3text::copy(string, 128, text);
    return kResultOk;
}

tresult Vst3Plugin::getParamValueByString(ParamID id, TChar* string, ParamValue& value)
{
    if (!string) return kInvalidArgument;
    const std::string text = vst3text::toAscii(string, 128);
    if (id == kProgramParameterId)
    {
        char name[Program::kNameChars + 1] = {};
        for (int32 p = 0; p < kNumPrograms; ++p)
            if (effect->programNameIndexed(p, name) && text == name)
                return value = valueOfProgram(p), kResultOk;
        return kResultFalse;
    }
    float read = 0.0f;
    if (!isTableId(id) ||
        !parameterValueFromText(static_cast<std::int32_t>(id), text.c_str(), read))
        return kResultFalse;
    value = read;
    return kResultOk;
}

// Plain values are the normalised ones, except the program choice, which counts programs.
ParamValue Vst3Plugin::normalizedParamToPlain(ParamID id, ParamValue value)
{
    return id == kProgramParameterId ? programOf(value) : value;
}

ParamValue Vst3Plugin::plainParamToNormalized(ParamID id, ParamValue plain)
{
    if (id != kProgramParameterId) return plain;
    if (!(plain >= 0.0)) return 0.0;
    return plain >= kLastProgram ? 1.0 : std::round(plain) / kLastProgram;
}

ParamValue Vst3Plugin::getParamNormalized(ParamID id)
{
    if (id == kProgramParameterId) return valueOfProgram(effect->currentProgram());
    return isTableId(id) ? effect->getParameter(static_cast<std::int32_t>(id)) : 0.0;
}

// The host tells the controller what it sent the processor (or what the user chose in its own
// controls); with one object the effect takes it directly, which the processor's copy of the
// same change then repeats harmlessly.
tresult Vst3Plugin::setParamNormalized(ParamID id, ParamValue value)
{
    if (!std::isfinite(value)) return kInvalidArgument;
    if (id == kProgramParameterId)
    {
        selectProgram(programOf(value));
        return kResultOk;
    }
    if (!isTableId(id)) return kInvalidArgument;
    const double clamped = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    effect->setParameter(static_cast<std::int32_t>(id), static_cast<float>(clamped));
    return kResultOk;
}

// A program chosen from the host's controls. The host hears of the new values from the processor,
// which gets the same choice in its next block and reports them; asking the host to re-read
// them from inside this call would make Ardour 7 wait on itself for ever.
void Vst3Plugin::selectProgram(int32 program)
{
    if (program != effect->currentProgram()) effect->setProgram(program);
}

void Vst3Plugin::parameterEdited(std::int32_t index, float value)
{
    if (handler) handler->performEdit(static_cast<ParamID>(index), value);
}

void Vst3Plugin::beginEdit(std::int32_t index)
{
    if (handler) handler->beginEdit(static_cast<ParamID>(index));
}

void Vst3Plugin::endEdit(std::int32_t index)
{
    if (handler) handler->endEdit(static_cast<ParamID>(index));
}
