#include "PluginModule.h"

#include <dlfcn.h>

namespace ofchost
{

PluginModule::~PluginModule()
{
    if (library) dlclose(library);
}

bool PluginModule::load(const std::string& path)
{
    if (library)
    {
        lastError = "a library is already loaded";
        return false;
    }
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        const char* reason = dlerror();
        lastError = reason ? reason : "cannot load " + path;
        return false;
    }
    for (const char* name : {"VSTPluginMain", "main"})
    {
        if (void* symbol = dlsym(library, name))
        {
            entry = reinterpret_cast<VstEntryPoint>(symbol);
            entryNameFound = name;
            return true;
        }
    }
    lastError = path + " exports neither VSTPluginMain nor main";
    dlclose(library);
    library = nullptr;
    return false;
}

} // namespace ofchost
