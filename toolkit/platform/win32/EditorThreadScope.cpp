#include "platform/EditorThreadScope.h"

#include <windows.h>

#include <ole2.h>

EditorThreadScope::EditorThreadScope()
{
    // S_OK or S_FALSE (already set up as single-threaded here) both want a matching
    // OleUninitialize; RPC_E_CHANGED_MODE (the host chose multi-threaded COM) does not.
    initialised = SUCCEEDED(OleInitialize(nullptr));
    thread = GetCurrentThreadId();
}

EditorThreadScope::~EditorThreadScope()
{
    if (initialised && thread == GetCurrentThreadId()) OleUninitialize();
}
