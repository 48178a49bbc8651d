#include "Win32WindowClass.h"

#include <cwchar>
#include <mutex>

namespace
{
std::mutex classMutex;
int leases = 0;
wchar_t className[64] = {};
} // namespace

HINSTANCE Win32WindowClass::module()
{
    HMODULE handle = nullptr;
    // The module this code is in (the plug-in's DLL), not the host's program.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Win32WindowClass::module), &handle);
    return handle;
}

Win32WindowClass::Win32WindowClass(WNDPROC procedure)
{
    std::lock_guard<std::mutex> lock(classMutex);
    if (leases > 0)
    {
        ++leases;
        held = true;
        return;
    }
    const HINSTANCE instance = module();
    std::swprintf(className, sizeof(className) / sizeof(className[0]), L"OrvaneEditor%p",
                  static_cast<void*>(instance));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // No CS_DBLCLKS: double clicks are recognised by the window itself, with a lower bound on
    // the interval that the system's setting does not have.
    windowClass.style = 0;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    // A shared system cursor: nothing to destroy.
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // No background brush: every pixel comes from the frame's back buffer.
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = className;
    // An earlier copy that could not unregister (one of its windows outlived it on another
    // thread) left the class behind with this same procedure: it can still be used.
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
    leases = 1;
    held = true;
}

Win32WindowClass::~Win32WindowClass()
{
    std::lock_guard<std::mutex> lock(classMutex);
    if (!held || --leases > 0) return;
    // Fails while a window of the class still exists; the next registration then reuses it.
    UnregisterClassW(className, module());
}

const wchar_t* Win32WindowClass::name() const
{
    return className;
}
