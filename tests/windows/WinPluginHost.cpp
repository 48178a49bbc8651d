#include "WinPluginHost.h"

#include <cwchar>
#include <sstream>

namespace
{
VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*,
                                   float opt)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return 2400;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        hostCalls().push_back({opcode, index, opt});
        return opcode == audioMasterAutomate ? 0 : 1;
    default:
        return 0;
    }
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

std::vector<HostCall>& hostCalls()
{
    static std::vector<HostCall> calls;
    return calls;
}

std::string describeCalls(const std::vector<HostCall>& calls)
{
    std::ostringstream text;
    for (const HostCall& call : calls)
    {
        text << (call.opcode == audioMasterAutomate    ? "automate "
                 : call.opcode == audioMasterBeginEdit ? "begin "
                                                       : "end ")
             << call.index;
        if (call.opcode == audioMasterAutomate) text << " " << call.value;
        text << "; ";
    }
    return text.str();
}

PluginDll::PluginDll(const std::string& path)
{
    std::string windowsPath = path.size() > 0 && path[0] == '/' ? "Z:" + path : path;
    std::wstring wide(windowsPath.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, windowsPath.c_str(), -1, &wide[0],
                                           static_cast<int>(wide.size()));
    if (length <= 0) return;
    handle = LoadLibraryW(wide.c_str());
    if (!handle) return;
    entry = reinterpret_cast<AEffect*(VSTCALLBACK*)(audioMasterCallback)>(
        reinterpret_cast<void*>(GetProcAddress(handle, "VSTPluginMain")));
    snapshot = reinterpret_cast<SnapshotFunction>(
        reinterpret_cast<void*>(GetProcAddress(handle, "OrvaneEditorSnapshot")));
}

PluginDll::~PluginDll()
{
    if (handle) FreeLibrary(handle);
}

AEffect* PluginDll::createEffect() const
{
    if (!entry) return nullptr;
    AEffect* effect = entry(&hostCallback);
    if (!effect || effect->magic != kEffectMagic) return nullptr;
    dispatch(effect, effOpen);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, 512);
    return effect;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

HWND createHostWindow(const wchar_t* title, int x, int y, int width, int height)
{
    static ATOM windowClass = 0;
    if (!windowClass)
    {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.lpfnWndProc = &hostWindowProc;
        description.hInstance = GetModuleHandleW(nullptr);
        description.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        description.lpszClassName = L"OfcTestHostWindow";
        windowClass = RegisterClassExW(&description);
    }
    return CreateWindowExW(0, L"OfcTestHostWindow", title, WS_POPUP | WS_VISIBLE, x, y, width,
                           height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void runMessages(unsigned milliseconds, AEffect* effect)
{
    const DWORD start = GetTickCount();
    DWORD lastIdle = start;
    for (;;)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD now = GetTickCount();
        if (effect && now - lastIdle >= 20)
        {
            dispatch(effect, effEditIdle);
            lastIdle = now;
        }
        if (now - start >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

std::wstring editorClassName(HMODULE plugin)
{
    wchar_t name[64];
    std::swprintf(name, 64, L"OrvaneEditor%p", static_cast<void*>(plugin));
    return name;
}

std::vector<HWND> editorWindowsIn(HWND parent, HMODULE plugin)
{
    std::vector<HWND> found;
    if (!IsWindow(parent)) return found;
    const std::wstring name = editorClassName(plugin);
    for (HWND child = FindWindowExW(parent, nullptr, name.c_str(), nullptr); child;
         child = FindWindowExW(parent, child, name.c_str(), nullptr))
        found.push_back(child);
    return found;
}
