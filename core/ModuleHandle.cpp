#include "ModuleHandle.h"

#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace
{

struct Module
{
    bool known = false;
    void* handle = nullptr;
    char path[4096] = {};
};

Module& module()
{
    static Module m;
    return m;
}

void keep(void* handle, const char* path)
{
    Module& m = module();
    m.handle = handle;
    m.path[0] = '\0';
    if (path)
    {
        std::strncpy(m.path, path, sizeof m.path - 1);
        m.path[sizeof m.path - 1] = '\0';
    }
    m.known = true;
}

void lookUpOwnModule()
{
#if defined(_WIN32)
    HMODULE h = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&lookUpOwnModule), &h);
    char path[MAX_PATH] = {};
    if (h) GetModuleFileNameA(h, path, MAX_PATH);
    keep(h, path);
#else
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&lookUpOwnModule), &info) || !info.dli_fname)
    {
        keep(nullptr, nullptr);
        return;
    }
    // RTLD_NOLOAD only finds the already loaded module; the extra reference is dropped at
    // once, the module stays loaded for as long as this code runs.
    void* h = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    // Only the main program cannot be found again by its path; its handle is the null name's.
    if (!h) h = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    if (h) dlclose(h);
    keep(h, info.dli_fname);
#endif
}

} // namespace

void ModuleHandle::record(void* handle, const char* path)
{
    keep(handle, path);
}

void* ModuleHandle::handle()
{
    if (!module().known) lookUpOwnModule();
    return module().handle;
}

const char* ModuleHandle::path()
{
    if (!module().known) lookUpOwnModule();
    return module().path;
}
