#pragma once

#include <cstddef>

// Copies at most maxChars characters of text and always a terminator, so dest must have room
// for maxChars + 1 bytes. A null dest or text copies nothing.
inline void copyString(char* dest, const char* text, std::size_t maxChars)
{
    if (!dest || !text) return;
    std::size_t i = 0;
    for (; i < maxChars && text[i] != '\0'; ++i)
        dest[i] = text[i];
    dest[i] = '\0';
}
