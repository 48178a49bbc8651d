#include "OrvaneEffect.h"

#include "EffectState.h"
#include "EngineInputs.h"
#include "FactoryPresets.h"
#include "Interlocks.h"
#include "ParameterMapping.h"
#include "ParameterTable.h"
#include "StringCopy.h"

#include <cmath>
#include <utility>

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;
std::atomic<OrvaneEffect::WriteHook> writeHook{nullptr};
} // namespace

// The engine must exist before program 0 is pushed into it; no listener is attached yet, so
// nobody is told of the initial load.
OrvaneEffect::OrvaneEffect(std::unique_ptr<CompressorEngine> compressorEngine)
    : engine(std::move(compressorEngine))
{
    // A host that never names its rate gets 44100 Hz, oversampled: the engine alone starts
    // designed for 44100 Hz inside, which is half the rate its oversampled path runs at.
    engine->setSampleRate(44100.0);
    fillFactoryPresets();
    setProgram(0);
    suspend();
}

OrvaneEffect::~OrvaneEffect() = default;

void OrvaneEffect::setWriteHook(WriteHook hook)
{
    writeHook.store(hook);
}

// Store, hand the physical value over, apply the exclusive switches, then tell the listener.
// Values outside 0..1 are kept as they come; only non-finite ones are refused, because they
// would reach the engine's state and stay there.
void OrvaneEffect::setParameter(std::int32_t index, float value)
{
    if (!isParameterIndex(index) || !std::isfinite(value)) return;
    current().setValue(index, value);
    if (const WriteHook hook = writeHook.load(relaxed)) hook(index);
    applyToEngine(index, value);
    applyInterlocks(index, value);
    if (listener) listener->parameterChanged(index, value);
}

void OrvaneEffect::applyToEngine(std::int32_t index, float v)
{
    const ParameterInfo& row = kParameterTable[index];
    if (row.flags & kBypassSwitch) bypass.store(switchOn(v), relaxed);
    if (row.toEngine) applyEngineInput(*engine, row.engineInput, row.toEngine(v));
}

// Switching one of the exclusive switches on switches the others off through the whole
// procedure, so the program, the engine and the listener all follow.
void OrvaneEffect::applyInterlocks(std::int32_t index, float v)
{
    const SwitchesForcedOff forced = switchesForcedOff(index, v);
    for (std::int32_t k = 0; k < forced.count; ++k)
        setParameter(forced.index[k], 0.0f);
}

float OrvaneEffect::getParameter(std::int32_t index) const
{
    return isParameterIndex(index) ? current().value(index) : 0.0f;
}

float OrvaneEffect::programParameter(std::int32_t p, std::int32_t index) const
{
    if (p < 0 || p >= kNumPrograms || !isParameterIndex(index)) return 0.0f;
    return programs[p].value(index);
}

float OrvaneEffect::meterValue(std::int32_t which) const
{
    switch (which)
    {
    case kMeterConstantOne:
        return 1.0f;
    case kMeterGain:
        return static_cast<float>(meterGain.load(relaxed));
    case kMeterLevelSlow:
        return static_cast<float>(meterLevelSlow.load(relaxed));
    case kMeterLevelFast:
        return static_cast<float>(meterLevelFast.load(relaxed));
    case kMeterActive:
        return active.load(relaxed) ? 1.0f : 0.0f;
    default:
        return 0.0f; // 504, 505 and every index nothing is published for
    }
}

// Loading runs the whole parameter procedure for each index in order, reading the program's
// record at the moment of each call, so an interlock forced by an earlier index is already in
// the record when a later index is loaded.
void OrvaneEffect::setProgram(std::int32_t index)
{
    if (index < 0 || index >= kNumPrograms) return;
    program.store(index, relaxed);
    for (std::int32_t i = 0; i < kNumParams; ++i)
        setParameter(i, programs[index].value(i));
}

void OrvaneEffect::fillFactoryPresets()
{
    for (std::int32_t p = 0; p < kNumPrograms; ++p)
    {
        programs[p].setName(kFactoryPresets[p].name);
        for (std::int32_t i = 0; i < kNumParams; ++i)
            programs[p].setValue(i, kFactoryPresets[p].values[i]);
    }
}

void OrvaneEffect::setProgramName(const char* name)
{
    current().setName(name);
}

void OrvaneEffect::programName(char* name) const
{
    copyString(name, current().name, Program::kNameChars);
}

bool OrvaneEffect::programNameIndexed(std::int32_t index, char* name) const
{
    if (index < 0 || index >= kNumPrograms) return false;
    copyString(name, programs[index].name, Program::kNameChars);
    return true;
}

std::vector<std::uint8_t> OrvaneEffect::saveState() const
{
    EffectStateData state;
    state.currentProgram = currentProgram();
    for (std::int32_t p = 0; p < kNumPrograms; ++p)
    {
        copyString(state.names[p], programs[p].name, Program::kNameChars);
        for (std::int32_t i = 0; i < kNumParams; ++i)
            state.values[p][i] = programs[p].value(i);
    }
    return encodeState(state);
}

// Every program is written before the current one is loaded, so the load sees the saved
// values and runs the whole parameter procedure on them, as a program change does.
bool OrvaneEffect::loadState(const void* data, std::size_t size)
{
    EffectStateData state;
    if (!decodeState(data, size, state)) return false;
    for (std::int32_t p = 0; p < kNumPrograms; ++p)
    {
        programs[p].setName(state.names[p]);
        for (std::int32_t i = 0; i < kNumParams; ++i)
            programs[p].setValue(i, state.values[p][i]);
    }
    setProgram(state.currentProgram);
    return true;
}
