#include "Resources.h"

#include "ResourceTable.h"

ResourceBlob findResource(int id)
{
    for (std::size_t i = 0; i < resources::kEntryCount; ++i)
    {
        const resources::ResourceEntry& entry = resources::kEntries[i];
        if (entry.id == id) return {entry.data, entry.size};
    }
    return {};
}
