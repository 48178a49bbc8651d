#include "ModuleHandle.h"

#include <dlfcn.h>

#include <cstring>

bool ModuleHandle::findOwnModule(void*& handle, char* path, std::size_t pathSize)
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ModuleHandle::findOwnModule), &info) || !info.dli_fname)
        return false;
    // RTLD_NOLOAD only finds the already loaded module; the extra reference is dropped at
    // once, the module stays loaded for as long as this code runs.
    void* h = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    // Only the main program cannot be found again by its path; its handle is the null name's.
    if (!h) h = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    if (h) dlclose(h);
    handle = h;
    std::strncpy(path, info.dli_fname, pathSize - 1);
    path[pathSize - 1] = '\0';
    return true;
}
