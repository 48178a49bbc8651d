#pragma once

#include <cstddef>

// The embedded images, as generated from the PNG files at build time.
namespace resources
{
struct ResourceEntry
{
    int id;
    const unsigned char* data;
    std::size_t size;
};

extern const ResourceEntry kEntries[];
extern const std::size_t kEntryCount;
} // namespace resources
