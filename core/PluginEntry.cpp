// The plug-in library's exported entry point and its load hook. Compiled into the module
// itself (not the core library) so that the hook is always linked in.

#include "ModuleHandle.h"
#include "VstTemplate.h"

#include <new>

#if defined(_WIN32)
#include <windows.h>
#define OFC_EXPORT extern "C" __declspec(dllexport)
#else
#include <dlfcn.h>
#define OFC_EXPORT extern "C" __attribute__((visibility("default")))
#endif

OFC_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster);

// Older hosts look for the same routine under the name "main".
#if !defined(_WIN32)
OFC_EXPORT AEffect* mainEntryAlias(audioMasterCallback audioMaster) __asm__("main");
AEffect* mainEntryAlias(audioMasterCallback audioMaster)
{
    return VSTPluginMain(audioMaster);
}
#endif

// A host that cannot answer audioMasterVersion (or has no callback at all) gets no effect.
AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    if (!audioMaster || !audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f))
        return nullptr;
    try
    {
        VstTemplate* effect = new VstTemplate(audioMaster);
        return effect->getAeffect();
    }
    catch (...)
    {
        return nullptr;
    }
}

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(instance, path, MAX_PATH);
        ModuleHandle::record(instance, path);
    }
    return TRUE;
}
#else
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
#endif
