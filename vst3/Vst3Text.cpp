#include "Vst3Text.h"

namespace vst3text
{

void copy(vst3::char16* field, std::size_t capacity, const char* text)
{
    std::size_t i = 0;
    for (; text && text[i] && i + 1 < capacity; ++i)
        field[i] = static_cast<vst3::char16>(static_cast<unsigned char>(text[i]));
    field[i] = 0;
}

void copy(char* field, std::size_t capacity, const char* text)
{
    std::size_t i = 0;
    for (; text && text[i] && i + 1 < capacity; ++i)
        field[i] = text[i];
    field[i] = '\0';
}

std::string toAscii(const vst3::char16* text, std::size_t capacity)
{
    std::string out;
    for (std::size_t i = 0; text && i < capacity && text[i]; ++i)
        out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return out;
}

} // namespace vst3text
