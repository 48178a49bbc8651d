#pragma once

#include "VstInterface.h"

#include <windows.h>

#include <string>
#include <vector>

// A small Windows host for the built plug-in DLL, loaded the way hosts load it (LoadLibraryW,
// VSTPluginMain) with a callback that records the parameter gestures the plug-in reports.
// Single-threaded: everything runs on the thread with the windows.

struct HostCall
{
    VstInt32 opcode; // audioMasterAutomate, audioMasterBeginEdit or audioMasterEndEdit
    VstInt32 index;
    float value; // automation only
};

std::vector<HostCall>& hostCalls();
// "begin 3; automate 3 0.6; end 3; " for messages and the test host's replies.
std::string describeCalls(const std::vector<HostCall>& calls);

class PluginDll
{
  public:
    // `path` may be a Linux path (seen through wine's Z: drive).
    explicit PluginDll(const std::string& path);
    ~PluginDll();
    PluginDll(const PluginDll&) = delete;
    PluginDll& operator=(const PluginDll&) = delete;

    bool isLoaded() const { return entry != nullptr; }
    HMODULE module() const { return handle; }
    // A new effect after effOpen, or null.
    AEffect* createEffect() const;
    using SnapshotFunction = int (*)(AEffect*, const char*, unsigned int);
    SnapshotFunction snapshot = nullptr;

  private:
    HMODULE handle = nullptr;
    AEffect*(VSTCALLBACK* entry)(audioMasterCallback) = nullptr;
};

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f);

// A visible top-level window without frame or caption, so that its client area is all of it.
HWND createHostWindow(const wchar_t* title, int x, int y, int width, int height);
// Runs the thread's messages for `milliseconds`, with an effEditIdle every 20 ms if `effect`.
void runMessages(unsigned milliseconds, AEffect* effect = nullptr);
// The child windows of `parent` made by the plug-in (class name of the plug-in's module).
std::vector<HWND> editorWindowsIn(HWND parent, HMODULE plugin);
std::wstring editorClassName(HMODULE plugin);
