#include "VstTemplate.h"

#include "AEffEditor.h"
#include "ParameterText.h"
#include "ProductIdentity.h"
#include "StringCopy.h"

#include <cstring>
#include <utility>

namespace
{
// The name and value-text buffers hosts pass hold at least these many characters.
constexpr std::size_t kNameChars = 63;
} // namespace

// The effect is complete, program 0 loaded, before the editor is made, so the editor is not
// told of the initial load.
VstTemplate::VstTemplate(audioMasterCallback audioMaster,
                         std::unique_ptr<CompressorEngine> compressorEngine,
                         const EditorMaker& makeEditor)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams),
      effect(std::make_unique<OrvaneEffect>(std::move(compressorEngine)))
{
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(identity::kVst2UniqueId);
    noTail(false);

    if (makeEditor)
        if (AEffEditor* created = makeEditor(this)) setEditor(created);
    effect->setListener(this);

    canProcessReplacing();
    canDoubleReplacing();
    suspend();
}

VstTemplate::~VstTemplate()
{
    // A host may close the plug-in with its editor still open: the window goes first, while
    // the whole effect still exists for the gestures its frame ends on the way out.
    if (AEffEditor* openEditor = getEditor(); openEditor && openEditor->isOpen())
        openEditor->close();
    effect->setListener(nullptr);
}

void VstTemplate::parameterChanged(std::int32_t index, float value)
{
    if (editor) editor->setParameter(index, value);
}

// Units are part of the value texts.
void VstTemplate::getParameterLabel(VstInt32, char* label)
{
    label[0] = '\0';
}

void VstTemplate::getParameterDisplay(VstInt32 index, char* text)
{
    if (isParameterIndex(index))
        parameterValueText(index, effect->getParameter(index), text, kVstMaxParamStrLen + 1);
}

void VstTemplate::getParameterName(VstInt32 index, char* text)
{
    if (const char* name = parameterName(index)) copyString(text, name, kNameChars);
}

bool VstTemplate::getInputProperties(VstInt32 index, VstPinProperties* properties)
{
    if (index != 0 && index != 1) return false;
    copyString(properties->label, index == 0 ? "Input Left (1)" : "Input Right (2)",
               kVstMaxLabelLen - 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

VstInt32 VstTemplate::processEvents(VstEvents*)
{
    return 1;
}

bool VstTemplate::getEffectName(char* name)
{
    copyString(name, identity::kProductName, kVstMaxEffectNameLen);
    return true;
}

bool VstTemplate::getVendorString(char* text)
{
    copyString(text, identity::kVendorName, kVstMaxVendorStrLen);
    return true;
}

bool VstTemplate::getProductString(char* text)
{
    copyString(text, identity::kProductName, kVstMaxProductStrLen);
    return true;
}

VstInt32 VstTemplate::getVendorVersion()
{
    return identity::kVendorVersion;
}

VstInt32 VstTemplate::canDo(const char* text)
{
    static const char* const kYes[] = {"receiveVstTimeInfo", "receiveVstMidiEvent",
                                       "sendVstMidiEvent"};
    for (const char* yes : kYes)
        if (std::strcmp(text, yes) == 0) return 1;
    return 0;
}

VstPlugCategory VstTemplate::getPlugCategory()
{
    return kPlugCategMastering;
}
