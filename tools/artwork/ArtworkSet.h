#pragma once

#include "Canvas.h"

#include <map>
#include <memory>

// The sixteen editor images, keyed by resource id (201 to 216), each at its shipped size times
// the scale it was painted at.
using ArtworkSet = std::map<int, std::unique_ptr<Canvas>>;

struct ImageSpec
{
    int id;
    int width;
    int height;
};

extern const ImageSpec kImageSpecs[16];

// Paints every image at `scale` times its size (1 or 2) from the same geometry.
ArtworkSet paintArtwork(int scale = 1);
