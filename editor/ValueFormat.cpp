#include "ValueFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

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

    void finish()
    {
        if (size > 0) out[used] = '\0';
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

// An int conversion of a value outside int's range would be undefined; clamp instead.
int toIntTruncated(double value)
{
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);
}

// Converts one "%...f" or "%...d" specification (spec points at '%', length n) into sink.
void convert(TextSink& sink, const char* spec, std::size_t n, char conversion, double value)
{
    char specCopy[32];
    char number[128];
    if (n + 1 > sizeof specCopy) return;
    std::memcpy(specCopy, spec, n);
    specCopy[n] = '\0';
    if (conversion == 'f')
        std::snprintf(number, sizeof number, specCopy, value);
    else
        std::snprintf(number, sizeof number, specCopy, toIntTruncated(value));
    sink.put(number);
}

} // namespace

void formatValue(char* out, std::size_t size, const char* format, double value)
{
    TextSink sink(out, size);
    const char* p = format;
    while (*p)
    {
        if (*p != '%')
        {
            sink.put(*p++);
            continue;
        }
        const char* spec = p++;
        if (*p == '%')
        {
            sink.put('%');
            ++p;
            continue;
        }
        while (isFlag(*p))
            ++p;
        while (isDigit(*p))
            ++p;
        if (*p == '.')
        {
            ++p;
            while (isDigit(*p))
                ++p;
        }
        if (*p == '\0') break; // a trailing percent (with or without flags) prints nothing
        const char conversion = *p++;
        if (conversion == 'f' || conversion == 'd')
            convert(sink, spec, static_cast<std::size_t>(p - spec), conversion, value);
        else
            sink.put(conversion); // unknown conversion: only the character itself survives
    }
    sink.finish();
}
