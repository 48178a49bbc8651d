#include "PluginModule.h"

#include "Platform.h"

namespace ofchost
{

PluginModule::~PluginModule()
{
    platform::unloadLibrary(library);
}

bool PluginModule::load(const std::string& path)
{
    if (library)
    {
        lastError = "a library is already loaded";
        return false;
    }
    library = platform::loadLibrary(path, lastError);
    if (!library) return false;
    for (const char* name : {"VSTPluginMain", "main"})
    {
        if (void* found = platform::findSymbol(library, name))
        {
            entry = reinterpret_cast<VstEntryPoint>(found);
            entryNameFound = name;
            return true;
        }
    }
    lastError = path + " exports neither VSTPluginMain nor main";
    platform::unloadLibrary(library);
    library = nullptr;
    return false;
}

void* PluginModule::symbol(const char* name) const
{
    return platform::findSymbol(library, name);
}

} // namespace ofchost
