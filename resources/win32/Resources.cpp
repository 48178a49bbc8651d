#include "Resources.h"

#include "ModuleHandle.h"

#include <windows.h>

namespace
{
// English (United Kingdom), the language the images are stored under.
constexpr WORD kImageLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
} // namespace

// Resources stay mapped as long as the module is loaded, so the blob needs no owner.
ResourceBlob findResource(int id)
{
    if (id <= 0 || id > 0xffff) return {};
    auto* module = static_cast<HMODULE>(ModuleHandle::handle());
    if (!module) return {};
    HRSRC found = FindResourceExW(module, L"PNG", MAKEINTRESOURCEW(id), kImageLanguage);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0) return {};
    return {static_cast<const unsigned char*>(data), static_cast<std::size_t>(size)};
}
