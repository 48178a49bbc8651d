#pragma once

#include <string>

// UTF-8 inside the host, UTF-16 at the Windows API.
namespace ofchost::platform
{

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

} // namespace ofchost::platform
