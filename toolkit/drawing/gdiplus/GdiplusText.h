#pragma once

#include <string>

// UTF-8 to the UTF-16 that Windows text calls take; invalid sequences become U+FFFD.
std::wstring widen(const char* utf8);
