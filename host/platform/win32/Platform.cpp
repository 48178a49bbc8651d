#include "Platform.h"

#include "WideText.h"

#include <windows.h>

#include <cstdio>
#include <io.h>
#include <malloc.h>
#include <psapi.h>
#include <shellapi.h>
#include <wchar.h>

namespace ofchost::platform
{
namespace
{

std::string systemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty()) return "error " + std::to_string(code);
    return narrow(message);
}

// LoadLibraryW searches the system folders before the current one for a relative name, and
// takes only backslashes: an absolute path with backslashes loads exactly the file meant.
std::wstring absolutePath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return path;
    full.resize(written);
    return full;
}

struct FileIdentity
{
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

bool identify(const std::string& path, FileIdentity& identity)
{
    // Backup semantics open folders too; no access rights are needed to read the identity.
    HANDLE file =
        CreateFileW(widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known) return false;
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

} // namespace

std::wstring widen(const std::string& utf8)
{
    if (utf8.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) // not UTF-8: the system's code page is the best guess left
    {
        const int ansi =
            MultiByteToWideChar(CP_ACP, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(ansi > 0 ? ansi : 0), L'\0');
        if (ansi > 0)
            MultiByteToWideChar(CP_ACP, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                ansi);
        return wide;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), length);
    return wide;
}

std::string narrow(const std::wstring& utf16)
{
    if (utf16.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(),
                            length, nullptr, nullptr);
    return text;
}

void* loadLibrary(const std::string& path, std::string& error)
{
    if (path.empty())
    {
        error = "no library named";
        return nullptr;
    }
    // A missing dependency answers an error code here instead of a message box.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    // The file named, never one found by searching: a bare name is in the current directory.
    HMODULE library = LoadLibraryW(absolutePath(widen(path)).c_str());
    const DWORD code = library ? 0 : GetLastError();
    SetThreadErrorMode(previousMode, nullptr);
    if (!library) error = path + ": " + systemMessage(code);
    return reinterpret_cast<void*>(library);
}

void* findSymbol(void* library, const char* name)
{
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unloadLibrary(void* library)
{
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

bool sameFile(const std::string& a, const std::string& b)
{
    FileIdentity ia, ib;
    if (!identify(a, ia) || !identify(b, ib)) return false;
    return ia.volume == ib.volume && ia.indexHigh == ib.indexHigh && ia.indexLow == ib.indexLow;
}

bool samePlace(const std::string& a, const std::string& b)
{
    if (sameFile(a, b)) return true;
    // File names on Windows ignore case.
    return _wcsicmp(absolutePath(widen(a)).c_str(), absolutePath(widen(b)).c_str()) == 0;
}

bool removeFile(const std::string& path)
{
    return DeleteFileW(widen(path).c_str()) != 0;
}

std::string followLinks(const std::string& path)
{
    return path;
}

bool createNewFile(const std::string& path, std::string& error)
{
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
    {
        CloseHandle(file);
        return true;
    }
    const DWORD code = GetLastError();
    const std::size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    if (code == ERROR_PATH_NOT_FOUND)
        error = "the folder " + folder + " does not exist";
    else if (code == ERROR_ACCESS_DENIED)
        error = "cannot create files in the folder " + folder + ": " + systemMessage(code);
    else
        error = "cannot create " + path + ": " + systemMessage(code);
    return false;
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error)
{
    if (MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = "cannot put the finished file in place as " + to + ": " + systemMessage(GetLastError());
    return false;
}

namespace
{
volatile LONG caughtSignal = 0;

BOOL WINAPI noteInterruption(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    // The second one ends the process as usual.
    if (InterlockedExchange(&caughtSignal, 2) != 0) return FALSE;
    return TRUE;
}
} // namespace

void catchInterruptions()
{
    SetConsoleCtrlHandler(noteInterruption, TRUE);
}

int interruption()
{
    return static_cast<int>(caughtSignal);
}

long processId()
{
    return static_cast<long>(GetCurrentProcessId());
}

bool stderrIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

long long residentBytes()
{
    _heapmin();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return static_cast<long long>(counters.WorkingSetSize);
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    // The C runtime's own splitting, in the code page, if the system's cannot be had.
    if (!wide || count != argc)
    {
        if (wide) LocalFree(wide);
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

// The C runtime's copy and the process's own block both: a library initialises its copy from
// the process's block when it is loaded.
void setEnvironment(const std::string& name, const std::string& value)
{
    _putenv_s(name.c_str(), value.c_str());
    SetEnvironmentVariableA(name.c_str(), value.c_str());
}

} // namespace ofchost::platform
