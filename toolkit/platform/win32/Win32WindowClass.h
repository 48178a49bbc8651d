#pragma once

#include <windows.h>

// The window class of our editor windows. Its name carries this module's handle, so two
// copies of the plug-in loaded side by side (or two builds of it) never share a class whose
// window procedure lives in the other one. Registered with the first window, unregistered
// when the last one has gone, so nothing of ours stays behind in the host after an unload.
class Win32WindowClass
{
  public:
    // Registers the class if no live lease holds it; `valid()` says whether that worked.
    explicit Win32WindowClass(WNDPROC procedure);
    ~Win32WindowClass();
    Win32WindowClass(const Win32WindowClass&) = delete;
    Win32WindowClass& operator=(const Win32WindowClass&) = delete;

    bool valid() const { return held; }
    const wchar_t* name() const;
    static HINSTANCE module();

  private:
    bool held = false;
};
