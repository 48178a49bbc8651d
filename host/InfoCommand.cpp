// ofc-host info PLUGIN.so: what a host learns about a plug-in when it scans and opens it.

#include "CommandLine.h"
#include "HostCommand.h"
#include "OutputFile.h"
#include "PluginInstance.h"

#include <cinttypes>
#include <cstdio>

namespace
{
using ofchost::PluginInstance;

constexpr const char* kUsage = "usage: ofc-host info PLUGIN.so\n"
                               "Prints what a host learns about the plug-in: identity, flags, "
                               "latency,\nparameters and programs.\n";

// Said when a record claims more than a host lists.
void noteUnlisted(VstInt32 claimed, VstInt32 listed, const char* what)
{
    if (claimed > listed)
        std::printf("  (the plug-in reports %" PRId32 " %s; only the first %" PRId32
                    " are listed)\n",
                    claimed, what, listed);
}

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
    const VstInt32 count = plugin.parameterCount();
    std::printf("\nParameters (%" PRId32 "):\n", plugin.effect()->numParams);
    std::printf("  %5s  %-24s %10s  %s\n", "index", "name", "value", "text");
    for (VstInt32 i = 0; i < count; ++i)
    {
        const std::string label = plugin.parameterLabel(i);
        const std::string text = plugin.parameterDisplay(i) + (label.empty() ? "" : " " + label);
        std::printf("  %5" PRId32 "  %-24s %10.6f  %s\n", i, plugin.parameterName(i).c_str(),
                    static_cast<double>(plugin.parameter(i)), text.c_str());
    }
    noteUnlisted(plugin.effect()->numParams, count, "parameters");
}

void printPrograms(const PluginInstance& plugin)
{
    const VstInt32 count = plugin.programCount();
    std::printf("\nPrograms (%" PRId32 ", current %" PRIdPTR "):\n", plugin.effect()->numPrograms,
                plugin.dispatch(effGetProgram));
    for (VstInt32 p = 0; p < count; ++p)
        std::printf("  %5" PRId32 "  %s\n", p, plugin.programName(p).c_str());
    noteUnlisted(plugin.effect()->numPrograms, count, "programs");
}

int runInfo(int argc, char** argv)
{
    ofchost::CommandLine line;
    std::string error;
    if (!ofchost::parseCommandLine(argc, argv, {}, line, error) ||
        (!line.help && line.positional.size() != 1))
    {
        std::fprintf(stderr, "ofc-host info: %s\n%s",
                     error.empty() ? "expected one PLUGIN.so" : error.c_str(), kUsage);
        return ofchost::kExitUsage;
    }
    if (line.help)
    {
        std::fputs(kUsage, stdout);
        return ofchost::kExitOk;
    }
    const std::string& path = line.positional[0];
    ofchost::PluginModule module;
    if (!module.load(path))
    {
        std::fprintf(stderr, "ofc-host info: %s\n", module.error().c_str());
        return ofchost::kExitFailed;
    }
    auto plugin = PluginInstance::create(module, error);
    if (!plugin)
    {
        std::fprintf(stderr, "ofc-host info: %s: %s\n", path.c_str(), error.c_str());
        return ofchost::kExitFailed;
    }
    const auto& settings = ofchost::hostSettings();
    plugin->open(settings.sampleRate, settings.blockSize);

    std::printf("Plug-in:         %s (entry point %s)\n", path.c_str(), module.entryName().c_str());
    printIdentity(*plugin);
    printLatency(*plugin);
    printParameters(*plugin);
    printPrograms(*plugin);
    return ofchost::kExitOk;
}

} // namespace

OFC_HOST_COMMAND(info, "info PLUGIN.so", "identity, flags, latency, parameters and programs",
                 runInfo);
