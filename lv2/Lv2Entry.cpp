// The LV2 plug-in library's one export, lv2_descriptor, and the callbacks behind it.

#include "ExportMacro.h"
#include "Lv2Compressor.h"

#include <lv2/core/lv2.h>

namespace
{
Lv2Compressor* self(LV2_Handle handle)
{
    return static_cast<Lv2Compressor*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*)
{
    return Lv2Compressor::create(rate).release();
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

const void* extensionData(const char*)
{
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
