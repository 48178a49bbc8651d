#include "GdiplusFonts.h"

#include "GdiplusText.h"

#include <windows.h>

#include <gdiplus.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace
{
std::mutex cacheMutex;
std::map<std::string, std::unique_ptr<Gdiplus::FontFamily>> cache;

std::unique_ptr<Gdiplus::FontFamily> openFamily(const wchar_t* name)
{
    auto family = std::make_unique<Gdiplus::FontFamily>(name);
    if (family->GetLastStatus() != Gdiplus::Ok || !family->IsAvailable()) return nullptr;
    return family;
}

std::unique_ptr<Gdiplus::FontFamily> resolve(const std::string& name)
{
    if (auto family = openFamily(widen(name.c_str()).c_str())) return family;
    if (auto family = openFamily(L"Liberation Sans")) return family;
    const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
    if (!generic || generic->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return std::unique_ptr<Gdiplus::FontFamily>(generic->Clone());
}
} // namespace

const Gdiplus::FontFamily* gdiplusfonts::find(const char* name)
{
    const std::string key = name ? name : "";
    std::lock_guard<std::mutex> lock(cacheMutex);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, resolve(key)).first;
    return it->second.get();
}

void gdiplusfonts::releaseAll()
{
    std::lock_guard<std::mutex> lock(cacheMutex);
    cache.clear();
}
