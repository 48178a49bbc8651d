#pragma once

#include "Canvas.h"
#include "ImageIds.h"

#include <map>
#include <memory>

// The editor's images, keyed by resource id (image::kFirst to image::kLast), each at its shipped
// size times the scale it was painted at.
using ArtworkSet = std::map<int, std::unique_ptr<Canvas>>;

struct ImageSpec
{
    int id;
    int width;
    int height;
};

constexpr int kImageCount = image::kLast - image::kFirst + 1;
// Every image's size, in id order.
extern const ImageSpec kImageSpecs[kImageCount];

// Paints every image at `scale` times its size (1 or 2) from the same geometry.
ArtworkSet paintArtwork(int scale = 1);
