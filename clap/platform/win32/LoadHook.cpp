// The DLL's load hook. It records the module handle (the editor finds its images through it)
// and does nothing else: DllMain runs under the loader lock.
#include "ModuleHandle.h"

#include <windows.h>

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
