// The module's exports: the factory, and the load and unload calls hosts make around it.
#include "ExportMacro.h"
#include "PluginFactory.h"
#include "Vst3Entry.h"

#include <new>

namespace
{
// Made on the first request and kept: the host's references come and go with its scans.
PluginFactory* theFactory()
{
    static PluginFactory* const factory = new (std::nothrow) PluginFactory();
    return factory;
}
} // namespace

OFC_EXPORT vst3::IPluginFactory* VST3_CALL GetPluginFactory();

vst3::IPluginFactory* GetPluginFactory()
{
    PluginFactory* factory = theFactory();
    if (!factory) return nullptr;
    factory->addRef();
    return factory;
}
