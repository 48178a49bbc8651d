#pragma once

// The module's exported C functions, found by name. GetPluginFactory returns the factory with a
// reference the host releases. On Linux the host calls ModuleEntry with the library's handle
// before anything else and ModuleExit last; both are required there. On Windows InitDll and
// ExitDll are optional counterparts taking nothing. On 32-bit Windows GetPluginFactory is
// __stdcall, whose decorated name (_GetPluginFactory@0) the module's export list must map back
// to the plain one; without arguments the convention changes nothing else.

#include "Vst3Factory.h"

extern "C"
{
    vst3::IPluginFactory* VST3_CALL GetPluginFactory();
#if defined(_WIN32)
    bool InitDll();
    bool ExitDll();
#else
    bool ModuleEntry(void* sharedLibraryHandle);
    bool ModuleExit();
#endif
}

namespace vst3
{
// The host's view of the entry points, to look them up with and call.
using GetFactoryProc = IPluginFactory*(VST3_CALL*)();
#if defined(_WIN32)
using InitDllProc = bool (*)();
using ExitDllProc = bool (*)();
#else
using ModuleEntryProc = bool (*)(void*);
using ModuleExitProc = bool (*)();
#endif
} // namespace vst3
