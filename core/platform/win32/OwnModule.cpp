#include "ModuleHandle.h"

#include <windows.h>

bool ModuleHandle::findOwnModule(void*& handle, char* path, std::size_t pathSize)
{
    HMODULE h = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&ModuleHandle::findOwnModule), &h))
        return false;
    handle = h;
    path[0] = '\0';
    GetModuleFileNameA(h, path, static_cast<DWORD>(pathSize));
    path[pathSize - 1] = '\0';
    return true;
}
