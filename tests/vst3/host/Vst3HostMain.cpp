// ofc-vst3-host: a VST3 plug-in driven the way a host drives it, for the tests.
//   ofc-vst3-host texts BUNDLE     the factory, the class, every parameter and its texts, the
//                                  programs: everything a host shows, to compare two builds
//   ofc-vst3-host render BUNDLE --demo OUT [ofc-host render's options]
//                                  the demo through the plug-in, as ofc-host render writes it
#include "Platform.h"
#include "RenderOptions.h"
#include "StereoRender.h"
#include "Vst3Instance.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace vst3;

namespace
{
int fail(const std::string& message)
{
    std::fprintf(stderr, "ofc-vst3-host: %s\n", message.c_str());
    return 1;
}

std::string hex(const TUID id)
{
    std::string text;
    char digits[3];
    for (int i = 0; i < 16; ++i)
    {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(id[i]));
        text += digits;
    }
    return text;
}

void printClass(const Vst3Module& module)
{
    PFactoryInfo factory{};
    module.factory()->getFactoryInfo(&factory);
    std::printf("Factory: %s | %s | %s | flags %" PRId32 "\n", factory.vendor, factory.url,
                factory.email, factory.flags);
    void* found = nullptr;
    if (module.factory()->queryInterface(IPluginFactory2::iid.bytes, &found) != kResultOk) return;
    auto* factory2 = static_cast<IPluginFactory2*>(found);
    PClassInfo2 info{};
    if (factory2->getClassInfo2(0, &info) == kResultOk)
        std::printf("Class: %s | %s | %s | %s | %s | %s | %s | flags %" PRIu32 "\n",
                    hex(info.cid).c_str(), info.name, info.category, info.subCategories,
                    info.vendor, info.version, info.sdkVersion, info.classFlags);
    factory2->release();
}

void printParameters(const Vst3Instance& plugin)
{
    const std::vector<ParameterInfo> list = plugin.parameters();
    std::printf("Parameters: %zu\n", list.size());
    for (const ParameterInfo& p : list)
    {
        std::printf("  %" PRIu32 " | %s | %s | %s | steps %" PRId32
                    " | default %.9g | unit %" PRId32 " | flags 0x%" PRIx32 "\n",
                    p.id, fieldText(p.title).c_str(), fieldText(p.shortTitle).c_str(),
                    fieldText(p.units).c_str(), p.stepCount, p.defaultNormalizedValue, p.unitId,
                    static_cast<uint32>(p.flags));
        // Each value's text and what that text reads back as.
        for (int step = 0; step <= 40; ++step)
        {
            const double v = step / 40.0;
            const std::string shown = plugin.text(p.id, v);
            String128 field{};
            for (std::size_t i = 0; i < shown.size() && i < 127; ++i)
                field[i] = static_cast<char16>(shown[i]);
            ParamValue back = -1.0;
            const bool read =
                plugin.controller->getParamValueByString(p.id, field, back) == kResultOk;
            std::printf("    %.3f %s -> %s\n", v, shown.c_str(),
                        read ? plugin.text(p.id, back).c_str() : "(refused)");
        }
    }
}

int runTexts(int argc, char** argv)
{
    if (argc < 1) return fail("usage: texts BUNDLE");
    std::string error;
    static std::unique_ptr<Vst3Module> module; // loaded until the process ends
    module = Vst3Module::load(argv[0], error);
    if (!module) return fail(error);
    printClass(*module);
    auto plugin = Vst3Instance::create(*module, error);
    if (!plugin) return fail(error);
    printParameters(*plugin);
    std::printf("Programs:\n");
    for (const std::string& name : plugin->programNames())
        std::printf("  %s\n", name.c_str());
    if (!plugin->start(44100.0, 512, kSample32)) return fail("the plug-in refused to start");
    std::printf("Latency: %" PRIu32 "\nTail: %" PRIu32 "\n", plugin->processor->getLatencySamples(),
                plugin->processor->getTailSamples());
    return 0;
}

class ProcessorAdapter : public ofchost::StereoProcessor
{
  public:
    explicit ProcessorAdapter(Vst3Instance& plugin) : plugin(plugin) {}
    bool process(float* const* in, float* const* out, int frames) override
    {
        return plugin.process(in, out, frames);
    }
    bool process(double* const* in, double* const* out, int frames) override
    {
        return plugin.process(in, out, frames);
    }

  private:
    Vst3Instance& plugin;
};

// A program by number, or by name as the program list gives it.
bool selectProgram(Vst3Instance& plugin, const std::string& choice, std::string& error)
{
    const long id = plugin.programParameter();
    const std::vector<std::string> names = plugin.programNames();
    if (id < 0 || names.size() < 2) return error = "the plug-in offers no programs", false;
    char* end = nullptr;
    long program = std::strtol(choice.c_str(), &end, 10);
    if (end == choice.c_str() || *end)
    {
        program = -1;
        for (std::size_t p = 0; p < names.size(); ++p)
            if (names[p] == choice) program = static_cast<long>(p);
    }
    if (program < 0 || program >= static_cast<long>(names.size()))
        return error = "no program " + choice, false;
    const double value = static_cast<double>(program) / static_cast<double>(names.size() - 1);
    return plugin.controller->setParamNormalized(static_cast<ParamID>(id), value) == kResultOk;
}

int runRender(int argc, char** argv)
{
    ofchost::RenderOptions options;
    std::string error;
    if (!ofchost::parseRenderOptions(argc, argv, options, error)) return fail(error);
    if (!options.demo() || !options.settings.empty() || options.request.compensateLatency)
        return fail("only the demo renders here, without --set or --compensate-latency");
    static std::unique_ptr<Vst3Module> module;
    module = Vst3Module::load(options.pluginPath, error);
    if (!module) return fail(error);
    auto plugin = Vst3Instance::create(*module, error);
    if (!plugin) return fail(error);
    const int32 size = options.request.doublePrecision ? kSample64 : kSample32;
    if (!plugin->start(options.demoRate, options.request.blockSize, size))
        return fail("the plug-in refused the set-up");
    if (!options.program.empty() && !selectProgram(*plugin, options.program, error))
        return fail(error);
    ProcessorAdapter adapter(*plugin);
    double peak = 0.0;
    if (!ofchost::renderDemo(adapter, options, peak, error)) return fail(error);
    const double db = 20.0 * std::log10(peak);
    std::printf("  output  2  %.2f dBFS peak\n", db);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = ofchost::platform::commandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (const std::string& arg : args)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    if (pointers.size() >= 2 && std::strcmp(pointers[1], "texts") == 0)
        return runTexts(static_cast<int>(pointers.size()) - 2, pointers.data() + 2);
    if (pointers.size() >= 2 && std::strcmp(pointers[1], "render") == 0)
        return runRender(static_cast<int>(pointers.size()) - 2, pointers.data() + 2);
    std::fprintf(stderr,
                 "usage: ofc-vst3-host texts BUNDLE | render BUNDLE --demo OUT [options]\n");
    return 2;
}
