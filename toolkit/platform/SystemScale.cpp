#include "SystemScale.h"

#include "drawing/DeviceScale.h"

#include <cstdlib>
#include <cstring>

double scaleFromXResources(const char* resources)
{
    if (!resources) return 1.0;
    constexpr char kName[] = "Xft.dpi:";
    for (const char* line = resources; line && *line;)
    {
        if (std::strncmp(line, kName, sizeof kName - 1) == 0)
        {
            char* end = nullptr;
            const double dpi = std::strtod(line + sizeof kName - 1, &end);
            if (end == line + sizeof kName - 1) return 1.0;
            return clampScaleFactor(dpi / 96.0);
        }
        line = std::strchr(line, '\n');
        if (line) ++line;
    }
    return 1.0;
}
