#include "PluginFactory.h"

#include "CompressorEngine.h"
#include "VstTemplate.h"
#include "VstTemplateGUI.h"

#include <memory>
#include <new>

VstTemplate* createPlugin(audioMasterCallback audioMaster)
{
    // Nothing may throw into the effect's constructor, so a failed editor allocation leaves the
    // effect without an editor rather than without itself.
    auto makeEditor = [](AudioEffectX* effect) -> AEffEditor*
    { return new (std::nothrow) VstTemplateGUI(effect); };
    return new VstTemplate(audioMaster, std::make_unique<CompressorEngine>(), makeEditor);
}
