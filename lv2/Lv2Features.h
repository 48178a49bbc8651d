#pragma once

#include <lv2/core/lv2.h>

#include <cstring>

// The data of the host feature named `uri`, or null where the host does not offer it.
template <typename T = void> T* findFeature(const LV2_Feature* const* features, const char* uri)
{
    for (; features && *features; ++features)
        if (!std::strcmp((*features)->URI, uri)) return static_cast<T*>((*features)->data);
    return nullptr;
}
