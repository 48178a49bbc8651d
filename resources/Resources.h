#pragma once

#include <cstddef>

// The editor's images are compiled into the plug-in itself, so nothing beside the library is
// needed at run time. Looks up the PNG data of image `id` (an id of ImageIds.h, or that id +
// image::kDoubleSize for the image at twice its size).
struct ResourceBlob
{
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// An unknown id gives an empty blob.
ResourceBlob findResource(int id);
