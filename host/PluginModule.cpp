#include "PluginModule.h"

#include <dlfcn.h>
#include <unistd.h>

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
    // A bare file name would make dlopen search the library path; a plug-in named on the
    // command line means the file in the current directory.
    const bool bareName = path.find('/') == std::string::npos;
    const std::string file = (bareName && access(path.c_str(), F_OK) == 0) ? "./" + path : path;
    library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
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
