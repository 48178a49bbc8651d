#include "Utf8Text.h"

#include <cstddef>

namespace
{
// Length of the well-formed sequence starting at s, or 0 if it is not one.
std::size_t sequenceLength(const unsigned char* s)
{
    const unsigned char c = s[0];
    std::size_t n;
    unsigned char lo = 0x80, hi = 0xbf;
    if (c < 0x80) return 1;
    if (c >= 0xc2 && c <= 0xdf)
        n = 2;
    else if (c >= 0xe0 && c <= 0xef)
    {
        n = 3;
        if (c == 0xe0) lo = 0xa0;
        if (c == 0xed) hi = 0x9f; // no surrogates
    }
    else if (c >= 0xf0 && c <= 0xf4)
    {
        n = 4;
        if (c == 0xf0) lo = 0x90;
        if (c == 0xf4) hi = 0x8f;
    }
    else
        return 0;
    for (std::size_t i = 1; i < n; ++i)
    {
        const unsigned char b = s[i];
        const unsigned char min = i == 1 ? lo : 0x80;
        const unsigned char max = i == 1 ? hi : 0xbf;
        if (b < min || b > max) // also stops at the terminating zero
            return 0;
    }
    return n;
}

bool isValidUtf8(const unsigned char* s)
{
    while (*s)
    {
        const std::size_t n = sequenceLength(s);
        if (n == 0) return false;
        s += n;
    }
    return true;
}
} // namespace

std::string toValidUtf8(const char* text)
{
    if (!text) return {};
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    if (isValidUtf8(s)) return text;
    std::string out;
    for (; *s; ++s)
    {
        if (*s < 0x80)
            out += static_cast<char>(*s);
        else
        {
            out += static_cast<char>(0xc0 | (*s >> 6));
            out += static_cast<char>(0x80 | (*s & 0x3f));
        }
    }
    return out;
}
