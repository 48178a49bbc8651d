#include "AudioEffectX.h"

#include "AEffEditor.h"

#include <cmath>

bool AudioEffectX::beginEdit(VstInt32 index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

VstIntPtr AudioEffectX::dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                          float opt)
{
    if (!editor) return 0;
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<unsigned char>(value);
    // The modifiers arrive as a float; anything that is no small whole number means none.
    key.modifier =
        (std::isfinite(opt) && opt >= 0.0f && opt < 256.0f) ? static_cast<unsigned char>(opt) : 0;
    const bool used = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    return used ? 1 : 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
{
    char* const text = static_cast<char*>(ptr);
    switch (opcode)
    {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        return 0;
    case effGetProgramNameIndexed:
        return (text && getProgramNameIndexed(static_cast<VstInt32>(value), index, text)) ? 1 : 0;
    case effGetInputProperties:
        return (ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr))) ? 1 : 0;
    case effGetOutputProperties:
        return (ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr))) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        return (text && getEffectName(text)) ? 1 : 0;
    case effGetVendorString:
        return (text && getVendorString(text)) ? 1 : 0;
    case effGetProductString:
        return (text && getProductString(text)) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effCanDo:
        return text ? canDo(text) : 0;
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return 0;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
        return dispatchEditorKey(opcode, index, value, opt);
    case effSetEditKnobMode:
        return (editor && editor->setKnobMode(static_cast<VstInt32>(value))) ? 1 : 0;
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram();
    case effGetSpeakerArrangement:
        // No arrangement of our own: both answers are "none".
        if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = nullptr;
        if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = nullptr;
        return 0;
    case effSetTotalSampleToProcess:
        return value;
    case effVendorSpecific:
        // The convention several hosts follow to pass the editor's scale factor.
        if (index == vstFourCC('P', 'r', 'e', 'S') && value == vstFourCC('A', 'e', 'C', 's'))
            return (editor && editor->setScaleFactor(opt)) ? 1 : 0;
        return 0;
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}
