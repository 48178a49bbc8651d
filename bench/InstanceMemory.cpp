#include "InstanceMemory.h"

#include "PluginInstance.h"
#include "platform/Platform.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace
{
using Instances = std::vector<std::unique_ptr<ofchost::PluginInstance>>;
using SnapshotFunction = int (*)(AEffect*, const char*, unsigned int);

bool addInstances(const ofchost::PluginModule& module, int count, Instances& instances)
{
    float silence[512] = {};
    float out[2][512];
    float* inputs[2] = {silence, silence};
    float* outputs[2] = {out[0], out[1]};
    for (int i = 0; i < count; ++i)
    {
        std::string error;
        auto instance = ofchost::PluginInstance::create(module, error);
        if (!instance) return false;
        instance->open(44100.0, 512);
        instance->resume();
        instance->processReplacing(inputs, outputs, 512);
        instances.push_back(std::move(instance));
    }
    return true;
}

void printGrowth(const std::string& label, const char* what, long long before, long long after,
                 int count)
{
    const std::size_t slash = label.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? label : label.substr(slash + 1);
    std::printf("memory: %-34.34s %-14s %8.1f KiB per instance (%d more: %.1f -> %.1f MiB)\n",
                name.c_str(), what, (after - before) / 1024.0 / count, count, before / 1048576.0,
                after / 1048576.0);
}
} // namespace

void printInstanceMemory(const ofchost::PluginModule& module, const std::string& label, int count)
{
    Instances instances;
    if (!addInstances(module, 1, instances)) return;
    const long long before = ofchost::platform::residentBytes();
    if (before <= 0 || !addInstances(module, count, instances)) return;
    const long long closed = ofchost::platform::residentBytes();
    printGrowth(label, "editor closed", before, closed, count);
    const auto snapshot = reinterpret_cast<SnapshotFunction>(module.symbol("OrvaneEditorSnapshot"));
    if (!snapshot) return;
    // Each step starts with the first instance alone, so that what the process loads once for
    // all editors (the images, the fonts) is there before the others are counted.
    snapshot(instances.front()->effect(), nullptr, 0);
    const long long firstOpen = ofchost::platform::residentBytes();
    for (std::size_t i = 1; i < instances.size(); ++i)
        snapshot(instances[i]->effect(), nullptr, 0);
    printGrowth(label, "editor open", firstOpen, ofchost::platform::residentBytes(), count);
    // Then what drawing itself adds to an open editor, as one on screen has drawn.
    instances.front()->dispatch(effEditIdle);
    const long long firstPainted = ofchost::platform::residentBytes();
    for (std::size_t i = 1; i < instances.size(); ++i)
        instances[i]->dispatch(effEditIdle);
    printGrowth(label, "+ painted", firstPainted, ofchost::platform::residentBytes(), count);
}
