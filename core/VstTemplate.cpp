#include "VstTemplate.h"

#include "AEffEditor.h"
#include "CompressorEngine.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "StereoDelay.h"
#include "StringCopy.h"

#include <cstring>
#include <utility>

namespace
{
const char* const kEffectName = "Orvane Feedback Compressor";
const char* const kVendor = "Quenmoor";
const char* const kProduct = "Orvane Feedback Compressor";
constexpr VstInt32 kVendorVersion = 1000;
constexpr VstInt32 kUniqueId = vstFourCC('s', 'K', 'b', 'd');

// The name and value-text buffers hosts pass hold at least these many characters.
constexpr std::size_t kNameChars = 63;
} // namespace

// Later steps rely on earlier ones: the engine must exist before program 0 is pushed into it,
// and the editor is created only after that, so it is not told of the initial load.
VstTemplate::VstTemplate(audioMasterCallback audioMaster,
                         std::unique_ptr<CompressorEngine> compressorEngine,
                         const EditorMaker& makeEditor)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams), engine(std::move(compressorEngine))
{
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(kUniqueId);
    noTail(false);

    bypassDelay = std::make_unique<StereoDelay>(kBypassDelayCapacity);
    bypassDelay->setLength(kLatencyFrames);

    fillFactoryPresets();
    setProgram(0);

    // The editor's constructor attaches it to this effect; setting it again is harmless.
    if (makeEditor)
        if (AEffEditor* created = makeEditor(this))
            if (getEditor() != created) setEditor(created);

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
    engine.reset();
    bypassDelay.reset();
}

void VstTemplate::getParameterLabel(VstInt32 index, char* label)
{
    label[0] = '\0';
    if (isParameterIndex(index))
        copyString(label, kParameterTable[index].unitLabel, kVstMaxParamStrLen);
}

void VstTemplate::getParameterDisplay(VstInt32 index, char* text)
{
    if (isParameterIndex(index))
        parameterValueText(index, currentProgram().value(index), text, kVstMaxParamStrLen + 1);
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
    copyString(name, kEffectName, kVstMaxEffectNameLen);
    return true;
}

bool VstTemplate::getVendorString(char* text)
{
    copyString(text, kVendor, kVstMaxVendorStrLen);
    return true;
}

bool VstTemplate::getProductString(char* text)
{
    copyString(text, kProduct, kVstMaxProductStrLen);
    return true;
}

VstInt32 VstTemplate::getVendorVersion()
{
    return kVendorVersion;
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
