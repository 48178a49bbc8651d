#include "Lv2Ports.h"

#include "ParameterText.h"

#include <cctype>

std::string lv2ports::parameterSymbol(std::int32_t index)
{
    std::string symbol;
    bool gap = false;
    for (const char* c = parameterName(index); c && *c; ++c)
    {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (std::isalnum(u))
        {
            if (gap && !symbol.empty()) symbol += '_';
            symbol += static_cast<char>(std::tolower(u));
            gap = false;
        }
        else
            gap = true;
    }
    if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0])))
        symbol = "unused_" + std::to_string(index);
    return symbol;
}

std::string lv2uri::preset(int program)
{
    return std::string(kPlugin) + "/preset/" + std::to_string(program);
}
