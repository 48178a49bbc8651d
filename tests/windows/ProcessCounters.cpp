#include "ProcessCounters.h"

#include <windows.h>

#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{
// The layout of the GDI handle table and of the system's handle list, as Windows documents
// them and wine keeps them.
struct GdiHandleEntry
{
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
constexpr int kGdiTableSize = 0x10000;

struct SystemHandleEntry
{
    ULONG process;
    UCHAR type;
    UCHAR flags;
    USHORT value;
    void* object;
    ACCESS_MASK access;
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

long gdiTableCount()
{
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof(basic), nullptr) != 0)
        return -1;
    auto* peb = reinterpret_cast<uint8_t*>(basic.PebBaseAddress);
    const std::size_t offset = sizeof(void*) == 8 ? 0xf8 : 0x94; // GdiSharedHandleTable
    const auto* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + offset);
    if (!table) return -1;
    long count = 0;
    for (int i = 0; i < kGdiTableSize; ++i)
        count += table[i].type != 0;
    return count;
}

long systemHandleCount()
{
    std::vector<unsigned char> buffer(1 << 20);
    for (;;)
    {
        ULONG length = 0;
        const NTSTATUS status = NtQuerySystemInformation(
            kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length);
        if (status == kInfoLengthMismatch && buffer.size() < (1u << 28))
        {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) return -1;
        break;
    }
    const ULONG entries = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entry = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(void*));
    long count = 0;
    for (ULONG i = 0; i < entries; ++i)
        count += entry[i].process == GetCurrentProcessId();
    return count;
}

BOOL CALLBACK countChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, &countChild, count);
    return TRUE;
}

long windowCount()
{
    long count = 0;
    EnumWindows(&countTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

ProcessCounters::ProcessCounters()
{
    const HANDLE self = GetCurrentProcess();
    DWORD handles = 0;
    systemGdi = GetGuiResources(self, GR_GDIOBJECTS) != 0;
    systemUser = GetGuiResources(self, GR_USEROBJECTS) != 0;
    systemHandles = GetProcessHandleCount(self, &handles) && handles != 0;
    sources = std::string("GDI: ") + (systemGdi ? "GetGuiResources" : "GDI handle table") +
              ", USER: " + (systemUser ? "GetGuiResources" : "windows of the process") +
              ", handles: " + (systemHandles ? "GetProcessHandleCount" : "system handle list") +
              "\n";
}

ProcessCounts ProcessCounters::now() const
{
    const HANDLE self = GetCurrentProcess();
    ProcessCounts counts;
    counts.gdiObjects =
        systemGdi ? static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS)) : gdiTableCount();
    counts.userObjects =
        systemUser ? static_cast<long>(GetGuiResources(self, GR_USEROBJECTS)) : windowCount();
    DWORD handles = 0;
    counts.kernelHandles = systemHandles && GetProcessHandleCount(self, &handles)
                               ? static_cast<long>(handles)
                               : systemHandleCount();
    return counts;
}

bool ProcessCounters::selfCheck()
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = &plainProc;
    description.hInstance = GetModuleHandleW(nullptr);
    description.lpszClassName = L"OfcCounterProbe";
    RegisterClassExW(&description);

    const ProcessCounts before = now();
    HBRUSH brushes[3];
    HANDLE events[3];
    HWND windows[3];
    for (int i = 0; i < 3; ++i)
    {
        brushes[i] = CreateSolidBrush(RGB(i, 0, 0));
        events[i] = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        windows[i] = CreateWindowExW(0, L"OfcCounterProbe", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    const ProcessCounts during = now();
    for (int i = 0; i < 3; ++i)
    {
        DeleteObject(brushes[i]);
        CloseHandle(events[i]);
        DestroyWindow(windows[i]);
    }
    const ProcessCounts after = now();
    UnregisterClassW(L"OfcCounterProbe", GetModuleHandleW(nullptr));
    checkLog =
        "probe of 3 each: " + describe(before, during) + "; freed: " + describe(during, after);
    auto follows = [](long a, long b, long c) { return a >= 0 && b >= a + 3 && c <= b - 3; };
    // 32-bit wine keeps no GDI handle table: there GDI objects cannot be counted at all (-1),
    // and the leak check says so instead of comparing a count that cannot move.
    gdiCountable = before.gdiObjects >= 0;
    return (!gdiCountable || follows(before.gdiObjects, during.gdiObjects, after.gdiObjects)) &&
           follows(before.userObjects, during.userObjects, after.userObjects) &&
           follows(before.kernelHandles, during.kernelHandles, after.kernelHandles);
}

std::string ProcessCounters::describe(const ProcessCounts& before, const ProcessCounts& after)
{
    char text[160];
    std::snprintf(text, sizeof(text), "GDI %ld -> %ld, USER %ld -> %ld, handles %ld -> %ld",
                  before.gdiObjects, after.gdiObjects, before.userObjects, after.userObjects,
                  before.kernelHandles, after.kernelHandles);
    return text;
}
