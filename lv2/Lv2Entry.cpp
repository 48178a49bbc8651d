// The LV2 plug-in library's one export, lv2_descriptor, and the callbacks behind it.

#include "ExportMacro.h"
#include "Lv2Compressor.h"

#include <lv2/core/lv2.h>

#include <cstring>

namespace
{
Lv2Compressor* self(LV2_Handle handle)
{
    return static_cast<Lv2Compressor*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features)
{
    return Lv2Compressor::create(rate, features).release();
}

void connectPort(LV2_Handle h, uint32_t port, void* data)
{
    self(h)->connect(port, data);
}

void activate(LV2_Handle h)
{
    self(h)->activate();
}

void run(LV2_Handle h, uint32_t frames)
{
    self(h)->run(frames);
}

void deactivate(LV2_Handle h)
{
    self(h)->deactivate();
}

void cleanup(LV2_Handle h)
{
    delete self(h);
}

LV2_State_Status save(LV2_Handle h, LV2_State_Store_Function store, LV2_State_Handle handle,
                      uint32_t, const LV2_Feature* const*)
{
    return self(h)->save(store, handle);
}

LV2_State_Status restore(LV2_Handle h, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle handle, uint32_t, const LV2_Feature* const*)
{
    return self(h)->restore(retrieve, handle);
}

ardourlv2::ImageSurface* renderInline(LV2_Handle h, uint32_t width, uint32_t maxHeight)
{
    return self(h)->renderInline(width, maxHeight);
}

const void* extensionData(const char* uri)
{
    static const LV2_State_Interface state = {save, restore};
    static const ardourlv2::InlineDisplayInterface inlineDisplay = {renderInline};
    if (!uri) return nullptr;
    if (!std::strcmp(uri, LV2_STATE__interface)) return &state;
    if (!std::strcmp(uri, ardourlv2::kInlineDisplayInterface)) return &inlineDisplay;
    return nullptr;
}

const LV2_Descriptor kDescriptor = {lv2uri::kPlugin, instantiate, connectPort,  activate, run,
                                    deactivate,      cleanup,     extensionData};
} // namespace

OFC_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index);

const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
