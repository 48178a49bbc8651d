#include "CreationTime.h"

#include "PluginInstance.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace
{
// Milliseconds from the entry point to the end of effClose; negative if there was no effect.
double timeOneCycle(const ofchost::PluginModule& module)
{
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    {
        auto instance = ofchost::PluginInstance::create(module, error);
        if (!instance) return -1.0;
        instance->dispatch(effOpen);
    } // effClose
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::milli>(elapsed).count();
}
} // namespace

void printCreationTime(const ofchost::PluginModule& module, const std::string& label, int cycles)
{
    if (cycles < 1 || timeOneCycle(module) < 0.0) return;
    std::vector<double> ms;
    for (int i = 0; i < cycles; ++i)
        ms.push_back(timeOneCycle(module));
    std::sort(ms.begin(), ms.end());
    const std::size_t slash = label.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? label : label.substr(slash + 1);
    std::printf("creation: %-32.32s best %7.3f ms, median %7.3f ms per instance (%d cycles of "
                "entry point, effOpen, effClose)\n",
                name.c_str(), ms.front(), ms[ms.size() / 2], cycles);
}
