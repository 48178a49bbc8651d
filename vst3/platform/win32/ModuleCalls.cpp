// Windows hosts may call these after loading and before unloading the module.
#include "ExportMacro.h"
#include "Vst3Entry.h"

OFC_EXPORT bool InitDll();
OFC_EXPORT bool ExitDll();

bool InitDll()
{
    return true;
}

bool ExitDll()
{
    return true;
}
