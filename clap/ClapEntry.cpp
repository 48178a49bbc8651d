#include "ClapCompressor.h"
#include "ClapTables.h"
#include "ProductIdentity.h"

#include <atomic>
#include <cstring>

// The library's one export: the entry, its factory and the one descriptor.
namespace
{
const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_COMPRESSOR,
                                 CLAP_PLUGIN_FEATURE_STEREO, nullptr};

const clap_plugin_descriptor_t kDescriptor = {CLAP_VERSION,
                                              identity::kClapId,
                                              identity::kProductName,
                                              identity::kVendorName,
                                              identity::kProductUrl,
                                              "",
                                              "",
                                              identity::kVersionText,
                                              "A stereo feedback compressor",
                                              kFeatures};

// init and deinit come in matched pairs, possibly several per load.
std::atomic<int> initialised{0};

std::uint32_t CLAP_ABI pluginCount(const clap_plugin_factory_t*)
{
    return 1;
}

const clap_plugin_descriptor_t* CLAP_ABI descriptor(const clap_plugin_factory_t*,
                                                    std::uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}

const clap_plugin_t* CLAP_ABI createPlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                           const char* id)
{
    if (initialised.load() <= 0 || !id || std::strcmp(id, identity::kClapId) != 0) return nullptr;
    return ClapCompressor::create(host);
}

const clap_plugin_factory_t kFactory = {pluginCount, descriptor, createPlugin};

bool CLAP_ABI entryInit(const char*)
{
    ++initialised;
    return true;
}

void CLAP_ABI entryDeinit()
{
    int now = initialised.load();
    while (now > 0 && !initialised.compare_exchange_weak(now, now - 1))
    {
    }
}

const void* CLAP_ABI factory(const char* id)
{
    if (initialised.load() <= 0 || !id || std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) != 0)
        return nullptr;
    return &kFactory;
}
} // namespace

const clap_plugin_descriptor_t& clapDescriptor()
{
    return kDescriptor;
}

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION, entryInit, entryDeinit,
                                                               factory};
