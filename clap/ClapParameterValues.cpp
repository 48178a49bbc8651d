#include "ClapParameterValues.h"

#include "ParameterTable.h"
#include "ParameterText.h"
#include "StringCopy.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace clapvalues
{
namespace
{
double maximum(const ParameterInfo& row)
{
    return row.kind == ParameterKind::List ? row.entryCount - 1 : 1.0;
}

clap_param_info_flags flagsOf(const ParameterInfo& row)
{
    clap_param_info_flags flags = 0;
    if (row.flags & kAutomatable) flags |= CLAP_PARAM_IS_AUTOMATABLE;
    if (row.flags & kHidden) flags |= CLAP_PARAM_IS_HIDDEN;
    if (row.flags & kBypassSwitch) flags |= CLAP_PARAM_IS_BYPASS;
    if (row.kind != ParameterKind::Continuous) flags |= CLAP_PARAM_IS_STEPPED;
    if (row.kind == ParameterKind::List) flags |= CLAP_PARAM_IS_ENUM;
    return flags;
}

// The entry whose label the value's host text is; the nearest entry if none is.
int entryShown(const ParameterInfo& row, float normalised)
{
    char text[64];
    parameterValueText(row.index, normalised, text, sizeof text);
    int nearest = 0;
    for (int e = 0; e < row.entryCount; ++e)
    {
        if (std::strcmp(text, row.entries[e].label) == 0) return e;
        if (std::fabs(row.entries[e].value - normalised) <
            std::fabs(row.entries[nearest].value - normalised))
            nearest = e;
    }
    return nearest;
}
} // namespace

bool isParameterId(clap_id id)
{
    return id < static_cast<clap_id>(kNumParams);
}

bool describe(clap_id id, clap_param_info_t& info)
{
    if (!isParameterId(id)) return false;
    const ParameterInfo& row = kParameterTable[id];
    info = clap_param_info_t{};
    info.id = id;
    info.flags = flagsOf(row);
    info.cookie = nullptr;
    copyString(info.name, row.name, CLAP_NAME_SIZE - 1);
    info.module[0] = '\0';
    info.min_value = 0.0;
    info.max_value = maximum(row);
    info.default_value = toClap(id, defaultValue(static_cast<std::int32_t>(id)));
    return true;
}

double toClap(clap_id id, float normalised)
{
    if (!isParameterId(id)) return 0.0;
    const ParameterInfo& row = kParameterTable[id];
    switch (row.kind)
    {
    case ParameterKind::Toggle:
        return normalised >= 1.0f ? 1.0 : 0.0;
    case ParameterKind::List:
        return entryShown(row, normalised);
    default:
        return normalised;
    }
}

bool toNormalised(clap_id id, double value, float& normalised)
{
    if (!isParameterId(id) || !std::isfinite(value)) return false;
    const ParameterInfo& row = kParameterTable[id];
    const double v = std::clamp(value, 0.0, maximum(row));
    switch (row.kind)
    {
    case ParameterKind::Toggle:
        normalised = std::round(v) >= 1.0 ? 1.0f : 0.0f;
        break;
    case ParameterKind::List:
        normalised = row.entries[static_cast<int>(std::lround(v))].value;
        break;
    default:
        normalised = static_cast<float>(v);
    }
    return true;
}

} // namespace clapvalues
