#pragma once

#include <lv2/core/lv2.h>

#include <cstdint>

// Two extensions Ardour (and Mixbus) offer LV2 plug-ins, declared from their public
// documentation: the small picture in the mixer strip, and a port through which the host's own
// bypass button drives the plug-in's.
namespace ardourlv2
{
constexpr const char* kInlineDisplayInterface =
    "http://harrisonconsoles.com/lv2/inlinedisplay#interface";
constexpr const char* kQueueDraw = "http://harrisonconsoles.com/lv2/inlinedisplay#queue_draw";
constexpr const char* kProcessingEnable = "http://ardour.org/lv2/processing#enable";

// A picture the plug-in owns: premultiplied ARGB32 rows, `stride` bytes apart.
struct ImageSurface
{
    unsigned char* data;
    int width;
    int height;
    int stride;
};

// extension_data(kInlineDisplayInterface): render is called off the audio thread with the
// width available and the greatest height allowed; it may answer null.
struct InlineDisplayInterface
{
    ImageSurface* (*render)(LV2_Handle instance, std::uint32_t width, std::uint32_t maxHeight);
};

// The host feature kQueueDraw: called from run to ask for a render later.
struct QueueDraw
{
    void* handle;
    void (*queueDraw)(void* handle);
};
} // namespace ardourlv2
