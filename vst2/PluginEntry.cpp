// The plug-in library's exported entry point. Compiled into the module itself (not a static
// library, whose symbols stay hidden); the load hook beside it, per platform, records the
// module handle.

#include "ExportMacro.h"
#include "PluginFactory.h"
#include "VstTemplate.h"

OFC_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster);

// A host that cannot answer audioMasterVersion (or has no callback at all) gets no effect.
AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    if (!audioMaster || !audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f))
        return nullptr;
    try
    {
        return createPlugin(audioMaster)->getAeffect();
    }
    catch (...)
    {
        return nullptr;
    }
}
