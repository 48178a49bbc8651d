#include "PluginFactory.h"

#include "AudioEffectEditorAccess.h"
#include "CompressorEngine.h"
#include "VstTemplate.h"
#include "VstTemplateGUI.h"

#include <memory>
#include <new>

AEffEditor* makeEditor(AudioEffectX* effect)
{
    // Nothing may throw into the effect's constructor, so a failed editor allocation leaves the
    // effect without an editor rather than without itself.
    try
    {
        return new VstTemplateGUI(std::make_unique<AudioEffectEditorAccess>(*effect));
    }
    catch (...)
    {
        return nullptr;
    }
}

VstTemplate* createPlugin(audioMasterCallback audioMaster)
{
    return new VstTemplate(audioMaster, std::make_unique<CompressorEngine>(), makeEditor);
}
