// The library's load hook: it records where the library is, for the editor's images.
#include "ModuleHandle.h"

#include <dlfcn.h>

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
