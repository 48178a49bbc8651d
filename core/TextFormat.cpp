#include "TextFormat.h"

#include <cstdio>

namespace
{

class TextSink
{
  public:
    TextSink(char* out, std::size_t size) : out(out), size(size) {}

    void put(char c)
    {
        if (used + 1 < size) out[used++] = c;
    }

    void put(const char* text)
    {
        while (*text)
            put(*text++);
    }

    std::size_t finish()
    {
        if (size > 0) out[used] = '\0';
        return used;
    }

  private:
    char* out;
    std::size_t size;
    std::size_t used = 0;
};

bool isFlag(char c)
{
    return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads flags, width and precision after a percent sign. Answers where the conversion
// character is; directive receives them as a C format without the conversion character.
const char* readSpecification(const char* p, char* directive, std::size_t directiveSize)
{
    std::size_t n = 0;
    auto keep = [&](char c)
    {
        if (n + 2 < directiveSize) // leave room for the conversion and the terminator
            directive[n++] = c;
    };
    keep('%');
    while (isFlag(*p))
        keep(*p++);
    while (isDigit(*p))
        keep(*p++);
    if (*p == '.')
    {
        keep(*p++);
        while (isDigit(*p))
            keep(*p++);
    }
    directive[n] = '\0';
    return p;
}

void putNumber(TextSink& sink, const char* directive, double value)
{
    // The widest double in fixed notation needs a little over 310 characters.
    char number[512];
    std::snprintf(number, sizeof number, directive, value);
    sink.put(number);
}

} // namespace

std::size_t formatText(char* out, std::size_t size, const char* format, double value)
{
    TextSink sink(out, size);
    bool converted = false;
    for (const char* p = format; *p;)
    {
        if (*p != '%')
        {
            sink.put(*p++);
            continue;
        }
        ++p;
        if (*p == '%')
        {
            sink.put('%');
            ++p;
            continue;
        }
        char directive[32];
        p = readSpecification(p, directive, sizeof directive - 1);
        if (*p == 'f' && !converted)
        {
            std::size_t n = 0;
            while (directive[n])
                ++n;
            directive[n] = 'f';
            directive[n + 1] = '\0';
            putNumber(sink, directive, value);
            converted = true;
            ++p;
        }
        // Otherwise no conversion: the directive prints nothing, and whatever follows
        // (possibly the end of the format) prints as it stands.
    }
    return sink.finish();
}
