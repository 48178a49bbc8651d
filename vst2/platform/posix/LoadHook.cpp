// The library's load hook, and the entry point's second name.
#include "ExportMacro.h"
#include "ModuleHandle.h"
#include "VstInterface.h"

#include <dlfcn.h>

OFC_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster);

// Older hosts look for the same routine under the name "main".
OFC_EXPORT AEffect* mainEntryAlias(audioMasterCallback audioMaster) __asm__("main");
AEffect* mainEntryAlias(audioMasterCallback audioMaster)
{
    return VSTPluginMain(audioMaster);
}

namespace
{
__attribute__((constructor)) void recordOwnModule()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&recordOwnModule), &info) || !info.dli_fname) return;
    void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (handle) dlclose(handle); // keep no extra reference: unloading stays the host's decision
    ModuleHandle::record(handle, info.dli_fname);
}
} // namespace
