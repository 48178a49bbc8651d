#pragma once

#include <string>

// Text as the renderer needs it: valid UTF-8 stays as it is; anything else (a Latin-1 name
// typed into a host, say) is read byte by byte as Latin-1 so that it can never stall drawing.
std::string toValidUtf8(const char* text);
