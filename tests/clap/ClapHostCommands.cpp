// ofc-clap-host's own commands, beside ofc-host's compare: the demo rendered through a CLAP
// plug-in exactly as ofc-host renders it through the VST 2.4 one, and the texts a CLAP host
// shows of the plug-in, for comparing builds.

#include "ClapTestHost.h"
#include "EffectState.h"
#include "FactoryPresets.h"
#include "HostCommand.h"
#include "StereoRender.h"
#include "StringCopy.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{
// The plug-in's ports fed one block at a time, as the render asks.
class ClapProcessor : public ofchost::StereoProcessor
{
  public:
    explicit ClapProcessor(ClapTestHost& host) : host(host) {}
    bool process(float* const* in, float* const* out, int frames) override
    {
        return run(const_cast<float**>(in), nullptr, const_cast<float**>(out), nullptr, frames);
    }
    bool process(double* const* in, double* const* out, int frames) override
    {
        return run(nullptr, const_cast<double**>(in), nullptr, const_cast<double**>(out), frames);
    }

  private:
    bool run(float** in32, double** in64, float** out32, double** out64, int frames)
    {
        clap_audio_buffer_t input{in32, in64, 2, 0, 0};
        clap_audio_buffer_t output{out32, out64, 2, 0, 0};
        clap_process_t block{};
        block.steady_time = -1;
        block.frames_count = static_cast<std::uint32_t>(frames);
        block.audio_inputs = &input;
        block.audio_outputs = &output;
        block.audio_inputs_count = block.audio_outputs_count = 1;
        block.in_events = events.get();
        block.out_events = host.output();
        const clap_plugin_t* plugin = host.plugin();
        return plugin->process(plugin, &block) != CLAP_PROCESS_ERROR;
    }

    ClapTestHost& host;
    EventList events;
};

// CLAP has no programs: a factory program reaches a CLAP host as a saved state that has it
// current, which restores exactly what a VST 2.4 host's program change sets.
bool selectProgram(const ClapTestHost& host, const std::string& choice, std::string& error)
{
    int program = -1;
    for (int p = 0; p < kNumPrograms; ++p)
        if (choice == std::to_string(p) || choice == kFactoryPresets[p].name) program = p;
    if (program < 0)
    {
        error = "no program " + choice;
        return false;
    }
    EffectStateData state;
    state.currentProgram = program;
    for (int p = 0; p < kNumPrograms; ++p)
    {
        copyString(state.names[p], kFactoryPresets[p].name, kStateNameChars);
        for (int i = 0; i < kNumParams; ++i)
            state.values[p][i] = kFactoryPresets[p].values[i];
    }
    if (loadState(host, encodeState(state), 4096)) return true;
    error = "the plug-in refused the state of program " + choice;
    return false;
}

bool renderWith(ClapTestHost& host, const ofchost::RenderOptions& options, std::string& error)
{
    if (!options.program.empty() && !selectProgram(host, options.program, error)) return false;
    const clap_plugin_t* plugin = host.plugin();
    const auto block = static_cast<std::uint32_t>(options.request.blockSize);
    if (!plugin->activate(plugin, options.demoRate, 1, block))
    {
        error = "the plug-in refused to activate";
        return false;
    }
    bool done = false;
    double peak = 0.0;
    {
        AudioThreadScope audio;
        ClapProcessor processor(host);
        done = plugin->start_processing(plugin) &&
               ofchost::renderDemo(processor, options, peak, error);
        plugin->stop_processing(plugin);
    }
    plugin->deactivate(plugin);
    // As ofc-host's report names it, so the comparison script sees a silent or NaN output.
    if (done) std::printf("  output  2  %.2f dBFS peak\n", 20.0 * std::log10(peak));
    return done;
}

int runRender(int argc, char** argv)
{
    ofchost::RenderOptions options;
    std::string error;
    if (!ofchost::parseRenderOptions(argc, argv, options, error) || !options.demo() ||
        !options.settings.empty())
    {
        std::fprintf(stderr, "ofc-clap-host render: %s\n(--demo only, no --set)\n%s", error.c_str(),
                     ofchost::kRenderUsage);
        return 2;
    }
    ClapLibrary library;
    ClapTestHost host;
    if (!library.load(options.pluginPath, error) || !host.open(library, error) ||
        !renderWith(host, options, error))
    {
        std::fprintf(stderr, "ofc-clap-host render: %s\n", error.c_str());
        return 1;
    }
    std::printf("rendered %s\n", options.outputPath.c_str());
    return 0;
}

void printParameter(const ClapTestHost& host, const clap_plugin_params_t& params,
                    const clap_param_info_t& info)
{
    std::printf("%2u  %-20s flags 0x%05x  %g..%g  default %.9g\n", info.id, info.name, info.flags,
                info.min_value, info.max_value, info.default_value);
    const double span = info.max_value - info.min_value;
    const int steps = (info.flags & CLAP_PARAM_IS_STEPPED) ? static_cast<int>(span) : 20;
    for (int s = 0; s <= steps; ++s)
    {
        const double value = info.min_value + span * s / steps;
        char text[256] = "";
        double back = -1.0;
        params.value_to_text(host.plugin(), info.id, value, text, sizeof text);
        params.text_to_value(host.plugin(), info.id, text, &back);
        std::printf("      %.6f  %-16s  reads back %.9g\n", value, text, back);
    }
}

int runInfo(int argc, char** argv)
{
    if (argc != 1)
    {
        std::fprintf(stderr, "usage: ofc-clap-host info PLUGIN.clap\n");
        return 2;
    }
    ClapLibrary library;
    ClapTestHost host;
    std::string error;
    if (!library.load(argv[0], error) || !host.open(library, error))
    {
        std::fprintf(stderr, "ofc-clap-host info: %s\n", error.c_str());
        return 1;
    }
    const clap_plugin_descriptor_t& d = *host.plugin()->desc;
    std::printf("id %s\nname %s\nvendor %s\nversion %s\nfeatures", d.id, d.name, d.vendor,
                d.version);
    for (const char* const* f = d.features; *f; ++f)
        std::printf(" %s", *f);
    const auto* latency = host.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
    std::printf("\nlatency %u\n", latency ? latency->get(host.plugin()) : 0u);
    const auto* params = host.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    const std::uint32_t count = params ? params->count(host.plugin()) : 0;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        clap_param_info_t info{};
        if (params->get_info(host.plugin(), i, &info)) printParameter(host, *params, info);
    }
    return 0;
}
} // namespace

OFC_HOST_COMMAND(render, "render PLUGIN.clap --demo OUT [options]",
                 "render the demo through a CLAP plug-in", runRender);
OFC_HOST_COMMAND(info, "info PLUGIN.clap", "print a CLAP plug-in's identity and texts", runInfo);
