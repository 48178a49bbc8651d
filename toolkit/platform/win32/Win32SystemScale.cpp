#include "platform/SystemScale.h"

#include "drawing/DeviceScale.h"

#include <windows.h>

namespace
{
// Both calls came with Windows 10 (1607); older systems have only the screen's DPI.
using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

template <typename Function> Function user32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

double fromDpi(UINT dpi)
{
    return dpi ? clampScaleFactor(dpi / 96.0) : 1.0;
}
} // namespace

double systemScaleFactor()
{
    if (auto forSystem = user32Function<DpiForSystem>("GetDpiForSystem"))
        return fromDpi(forSystem());
    HDC screen = GetDC(nullptr);
    if (!screen) return 1.0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return fromDpi(dpi > 0 ? static_cast<UINT>(dpi) : 0u);
}

double windowScaleFactor(void* parent)
{
    auto forWindow = user32Function<DpiForWindow>("GetDpiForWindow");
    if (forWindow && parent && IsWindow(static_cast<HWND>(parent)))
        return fromDpi(forWindow(static_cast<HWND>(parent)));
    return systemScaleFactor();
}
