// Linux hosts call these around every other use of the module; nothing needs doing in them.
#include "ExportMacro.h"
#include "Vst3Entry.h"

OFC_EXPORT bool ModuleEntry(void*);
OFC_EXPORT bool ModuleExit();

bool ModuleEntry(void*)
{
    return true;
}

bool ModuleExit()
{
    return true;
}
