#include "TurtleText.h"

#include <cstdio>
#include <cstdlib>

// Fixed notation while it is short enough; a value beyond it (none of ours) falls back to nine
// significant digits, which always read back exactly.
std::string turtle::number(float v)
{
    auto readsBack = [v](const char* text) {
        return std::strtof(text, nullptr) == v &&
               static_cast<float>(std::strtod(text, nullptr)) == v;
    };
    char text[64] = {};
    for (int decimals = 1; decimals <= 12; ++decimals)
    {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(v));
        if (readsBack(text)) return text;
    }
    std::snprintf(text, sizeof text, "%.9e", static_cast<double>(v));
    return text;
}

std::string turtle::quoted(const std::string& text)
{
    std::string s = "\"";
    for (const char c : text)
    {
        if (c == '"' || c == '\\') s += '\\';
        s += c;
    }
    return s + "\"";
}

std::string turtle::uri(const std::string& address)
{
    return "<" + address + ">";
}
