#include "ModuleHandle.h"

#include <cstdio>

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
    std::snprintf(m.path, sizeof m.path, "%s", path ? path : "");
    m.known = true;
}

void lookUpOwnModule()
{
    void* handle = nullptr;
    char path[sizeof(Module::path)] = {};
    if (ModuleHandle::findOwnModule(handle, path, sizeof path))
        keep(handle, path);
    else
        keep(nullptr, nullptr);
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
