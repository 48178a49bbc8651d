#pragma once

#include "Vst3Base.h"

#include <cstddef>
#include <string>

// The interface's texts are UTF-16; ours are ASCII. These copy between the two, always
// terminated and never beyond the field.
namespace vst3text
{

// Copies `text` into a UTF-16 field of `capacity` units (capacity >= 1).
void copy(vst3::char16* field, std::size_t capacity, const char* text);

template <std::size_t N> void copy(vst3::char16 (&field)[N], const char* text)
{
    copy(field, N, text);
}

// Copies into an 8-bit field of `capacity` bytes.
void copy(char* field, std::size_t capacity, const char* text);

template <std::size_t N> void copy(char (&field)[N], const char* text)
{
    copy(field, N, text);
}

// A host's UTF-16 text, read up to its terminator or `capacity` units, as 8-bit text; units
// beyond ASCII become '?', so no text of the host's can masquerade as one of ours.
std::string toAscii(const vst3::char16* text, std::size_t capacity);

} // namespace vst3text
