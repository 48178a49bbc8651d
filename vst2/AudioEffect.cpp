#include "AudioEffect.h"

#include "AEffEditor.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = vstFourCC('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingClass;
    cEffect.processDoubleReplacing = processDoubleReplacingClass;
    recordOffset.store(reinterpret_cast<char*>(&cEffect) - reinterpret_cast<char*>(this),
                       std::memory_order_relaxed);
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterVersion));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    // Only a value the effect could take is worth recording in the host's automation.
    if (index >= 0 && index < numParams && std::isfinite(value))
        callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt)
{
    switch (opcode)
    {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (ptr) setProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetProgramName:
        if (ptr) getProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetParamLabel:
        if (ptr) getParameterLabel(index, static_cast<char*>(ptr));
        return 0;
    case effGetParamDisplay:
        if (ptr) getParameterDisplay(index, static_cast<char*>(ptr));
        return 0;
    case effGetParamName:
        if (ptr) getParameterName(index, static_cast<char*>(ptr));
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        // Nothing is sized by the block length; an absurd value is simply not stored.
        if (value > 0 && value <= INT_MAX) setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
        return (editor && ptr && editor->getRect(static_cast<ERect**>(ptr))) ? 1 : 0;
    case effEditOpen:
        // No host opens an editor without a parent window; a null one is refused here.
        return (editor && ptr && editor->open(ptr)) ? 1 : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify:
        return vstFourCC('N', 'v', 'E', 'f');
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        return (ptr && value > 0 && value <= INT_MAX)
                   ? setChunk(ptr, static_cast<VstInt32>(value), index != 0)
                   : 0;
    default:
        return 0;
    }
}

AudioEffect* AudioEffect::fromRecord(AEffect* e)
{
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}

// Where the record sits inside every effect; learnt from the first effect made (it is the same
// for all), -1 while none exists, when no record can be ours.
std::atomic<std::ptrdiff_t> AudioEffect::recordOffset{-1};

// A record of ours has our dispatcher and lives inside the effect it names, so that effect's
// address follows from the record's own: a record naming anything else is refused before the
// object it names is read.
AudioEffect* AudioEffect::ownEffect(AEffect* e)
{
    if (!e || e->magic != kEffectMagic || e->dispatcher != dispatchEffectClass) return nullptr;
    const std::ptrdiff_t offset = recordOffset.load(std::memory_order_relaxed);
    if (offset < 0) return nullptr;
    void* expected = reinterpret_cast<char*>(e) - offset;
    return e->object == expected ? static_cast<AudioEffect*>(expected) : nullptr;
}

// Nothing may throw into the host; a failure inside an operation answers 0.
VstIntPtr AudioEffect::dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                           VstIntPtr value, void* ptr, float opt)
{
    AudioEffect* effect = fromRecord(e);
    if (!effect) return 0;
    try
    {
        if (opcode == effClose)
        {
            effect->dispatcher(opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }
        return effect->dispatcher(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

void AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value)
{
    if (AudioEffect* effect = fromRecord(e))
    {
        try
        {
            effect->setParameter(index, value);
        }
        catch (...)
        {
        }
    }
}

float AudioEffect::getParameterClass(AEffect* e, VstInt32 index)
{
    AudioEffect* effect = fromRecord(e);
    return effect ? effect->getParameter(index) : 0.0f;
}

// The accumulating entry is obsolete; hosts that still call it get nothing added.
void AudioEffect::processClass(AEffect*, float**, float**, VstInt32) {}

void AudioEffect::processReplacingClass(AEffect* e, float** inputs, float** outputs,
                                        VstInt32 sampleFrames)
{
    if (AudioEffect* effect = fromRecord(e))
        effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processDoubleReplacingClass(AEffect* e, double** inputs, double** outputs,
                                              VstInt32 sampleFrames)
{
    if (AudioEffect* effect = fromRecord(e))
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}
