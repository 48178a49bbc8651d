// ofc-host info PLUGIN.so: what a host learns about a plug-in when it scans and opens it.

#include "HostCommand.h"
#include "PluginInstance.h"

#include <cinttypes>
#include <cstdio>

namespace
{
using ofchost::PluginInstance;

void printIdentity(const PluginInstance& plugin)
{
    const AEffect* e = plugin.effect();
    std::printf("Effect name:     %s\n", plugin.effectName().c_str());
    std::printf("Vendor:          %s\n", plugin.vendorString().c_str());
    std::printf("Product:         %s\n", plugin.productString().c_str());
    std::printf("Vendor version:  %" PRIdPTR "\n", plugin.dispatch(effGetVendorVersion));
    std::printf("Unique id:       '%s' (0x%08" PRIX32 ")\n",
                ofchost::fourCharCode(e->uniqueID).c_str(),
                static_cast<std::uint32_t>(e->uniqueID));
    std::printf("Effect version:  %" PRId32 "\n", e->version);
    std::printf("VST version:     %" PRIdPTR "\n", plugin.dispatch(effGetVstVersion));
    const VstIntPtr category = plugin.dispatch(effGetPlugCategory);
    std::printf("Category:        %" PRIdPTR " (%s)\n", category, ofchost::categoryName(category));
    std::printf("Flags:           %" PRId32 " (0x%04" PRIX32 ": %s)\n", e->flags,
                static_cast<std::uint32_t>(e->flags), ofchost::flagNames(e->flags).c_str());
    std::printf("Inputs:          %" PRId32 "\n", e->numInputs);
    std::printf("Outputs:         %" PRId32 "\n", e->numOutputs);
}

void printLatency(const PluginInstance& plugin)
{
    const VstInt32 before = plugin.effect()->initialDelay;
    plugin.resume();
    const VstInt32 after = plugin.effect()->initialDelay;
    plugin.suspend();
    std::printf("Latency:         %" PRId32 " samples (before resume: %" PRId32 ")\n", after,
                before);
}

void printParameters(const PluginInstance& plugin)
{
    const VstInt32 count = plugin.effect()->numParams;
    std::printf("\nParameters (%" PRId32 "):\n", count);
    std::printf("  %5s  %-24s %10s  %s\n", "index", "name", "value", "text");
    for (VstInt32 i = 0; i < count; ++i)
    {
        const std::string label = plugin.parameterLabel(i);
        const std::string text = plugin.parameterDisplay(i) + (label.empty() ? "" : " " + label);
        std::printf("  %5" PRId32 "  %-24s %10.6f  %s\n", i, plugin.parameterName(i).c_str(),
                    static_cast<double>(plugin.parameter(i)), text.c_str());
    }
}

void printPrograms(const PluginInstance& plugin)
{
    const VstInt32 count = plugin.effect()->numPrograms;
    std::printf("\nPrograms (%" PRId32 ", current %" PRIdPTR "):\n", count,
                plugin.dispatch(effGetProgram));
    for (VstInt32 p = 0; p < count; ++p)
        std::printf("  %5" PRId32 "  %s\n", p, plugin.programName(p).c_str());
}

int runInfo(int argc, char** argv)
{
    if (argc != 1)
    {
        std::fprintf(stderr, "usage: ofc-host info PLUGIN.so\n");
        return 2;
    }
    ofchost::PluginModule module;
    if (!module.load(argv[0]))
    {
        std::fprintf(stderr, "ofc-host: %s\n", module.error().c_str());
        return 1;
    }
    std::string error;
    auto plugin = PluginInstance::create(module, error);
    if (!plugin)
    {
        std::fprintf(stderr, "ofc-host: %s: %s\n", argv[0], error.c_str());
        return 1;
    }
    const auto& settings = ofchost::hostSettings();
    plugin->open(settings.sampleRate, settings.blockSize);

    std::printf("Plug-in:         %s (entry point %s)\n", argv[0], module.entryName().c_str());
    printIdentity(*plugin);
    printLatency(*plugin);
    printParameters(*plugin);
    printPrograms(*plugin);
    std::fflush(stdout);
    return 0;
}

} // namespace

OFC_HOST_COMMAND(info, "info PLUGIN.so", "identity, flags, latency, parameters and programs",
                 runInfo);
