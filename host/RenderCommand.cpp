// ofc-host render: an audio file (or the built-in demo) through a VST 2.4 plug-in, offline.

#include "AudioFile.h"
#include "DemoSignal.h"
#include "HostCommand.h"
#include "Platform.h"
#include "RenderOptions.h"
#include "RenderSession.h"
#include "RenderSetup.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace
{
using namespace ofchost;

int fail(const std::string& message)
{
    std::fprintf(stderr, "ofc-host render: %s\n", message.c_str());
    return 1;
}

bool writeDemoInput(const RenderOptions& options, std::string& error)
{
    const DemoSignal demo = makeDemoSignal(options.demoRate);
    AudioFileWriter writer;
    const int format = outputFormatFor(options.demoInputPath, SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                                       options.demoRate, 2);
    if (!writer.open(options.demoInputPath, format, options.demoRate, 2, error)) return false;
    std::vector<double> frames(2 * demo.left.size());
    for (std::size_t i = 0; i < demo.left.size(); ++i)
    {
        frames[2 * i] = demo.left[i];
        frames[2 * i + 1] = demo.right[i];
    }
    return writer.write(frames.data(), static_cast<sf_count_t>(demo.left.size()), error) &&
           writer.close(error);
}

std::string dbText(double db)
{
    if (std::isnan(db)) return "NaN";
    if (std::isinf(db)) return "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", db);
    return text;
}

void printSetup(const PluginInstance& plugin, const RenderOptions& options)
{
    std::printf("Plug-in:    %s (%s)\n", plugin.effectName().c_str(), options.pluginPath.c_str());
    if (plugin.effect()->numPrograms > 0)
    {
        const VstIntPtr program = plugin.dispatch(effGetProgram);
        std::printf("Program:    %" PRIdPTR " \"%s\"\n", program,
                    plugin.currentProgramName().c_str());
    }
    for (const auto& setting : options.settings)
    {
        std::string ignored;
        const VstInt32 index = findParameter(plugin, setting.name, ignored);
        const std::string label = plugin.parameterLabel(index);
        std::printf("Parameter:  %s = %g (%s%s%s)\n", setting.name.c_str(),
                    static_cast<double>(plugin.parameter(index)),
                    plugin.parameterDisplay(index).c_str(), label.empty() ? "" : " ",
                    label.c_str());
    }
}

void printFiles(const RenderOptions& options, const AudioFormat& in, int outFormat, int outChannels)
{
    std::printf("Input:      %s: %s, %d channel%s, %d Hz, %" PRId64 " frames (%.2f s)\n",
                options.inputPath.c_str(), describeFormat(in.format).c_str(), in.channels,
                in.channels == 1 ? "" : "s", in.sampleRate, static_cast<std::int64_t>(in.frames),
                static_cast<double>(in.frames) / in.sampleRate);
    std::printf("Output:     %s: %s, %d channel%s\n", options.outputPath.c_str(),
                describeFormat(outFormat).c_str(), outChannels, outChannels == 1 ? "" : "s");
}

void printReport(const RenderOptions& options, const RenderReport& report, double rate)
{
    for (const auto& warning : report.warnings)
        std::fprintf(stderr, "ofc-host render: warning: %s\n", warning.c_str());
    std::printf("Processing: %s samples, blocks of %d, latency %" PRId32 " frames%s\n",
                report.usedDouble ? "64-bit" : "32-bit", options.request.blockSize, report.latency,
                report.compensated ? " (compensated)" : "");
    const double audioSeconds = static_cast<double>(report.frames) / rate;
    std::printf("Rendered %.2f s of audio in %.3f s", audioSeconds, report.seconds);
    if (report.seconds > 0.0 && report.frames > 0)
        std::printf(" (%.0fx realtime)", audioSeconds / report.seconds);
    std::printf("\n\nLevels (dBFS)      RMS     peak\n");
    const auto print = [](const char* side, const AudioLevels& levels)
    {
        for (int c = 0; c < levels.channels(); ++c)
            std::printf("  %-6s %2d    %8s %8s\n", side, c + 1, dbText(levels.rmsDb(c)).c_str(),
                        dbText(levels.peakDb(c)).c_str());
    };
    print("input", report.inputLevels);
    print("output", report.outputLevels);
}

// Loads the plug-in and puts it into the requested state at the file's rate.
std::unique_ptr<PluginInstance> preparePlugin(PluginModule& module, const RenderOptions& options,
                                              int sampleRate, std::string& error)
{
    if (!module.load(options.pluginPath))
    {
        error = module.error();
        return nullptr;
    }
    hostSettings().sampleRate = sampleRate;
    hostSettings().blockSize = options.request.blockSize;
    auto plugin = PluginInstance::create(module, error);
    if (!plugin)
    {
        error = options.pluginPath + ": " + error;
        return nullptr;
    }
    plugin->open(sampleRate, options.request.blockSize);
    if (!options.program.empty() && !selectProgram(*plugin, options.program, error)) return nullptr;
    if (!applySettings(*plugin, options.settings, error)) return nullptr;
    return plugin;
}

int render(RenderOptions& options)
{
    std::string error;
    if (options.demo())
    {
        if (!writeDemoInput(options, error)) return fail(error);
        options.inputPath = options.demoInputPath;
    }
    // Reading and writing one file at once would destroy the input as it is read.
    if (platform::sameFile(options.inputPath, options.outputPath))
        return fail("the output would overwrite the input " + options.inputPath);
    AudioFileReader reader;
    if (!reader.open(options.inputPath, error)) return fail(error);
    const AudioFormat& in = reader.format();

    // The library stays loaded until the process ends, as in most hosts: unloading it just
    // before exit gains nothing, and the one-time allocations of its dependencies (pixman's
    // implementation table, for one) would then be reported as leaks by LeakSanitizer.
    static PluginModule* const module = new PluginModule;
    auto plugin = preparePlugin(*module, options, in.sampleRate, error);
    if (!plugin) return fail(error);
    printSetup(*plugin, options);

    const int outChannels = plugin->effect()->numOutputs;
    int outFormat = outputFormatFor(options.outputPath, in.format, in.sampleRate, outChannels);
    if (options.outputSampleFormat)
        outFormat = (outFormat & SF_FORMAT_TYPEMASK) | options.outputSampleFormat;
    printFiles(options, in, outFormat, outChannels);
    std::fflush(stdout);
    AudioFileWriter writer;
    if (outChannels <= 0 || outChannels > kMaxPluginChannels)
        return fail("the plug-in reports " + std::to_string(outChannels) + " outputs");
    if (!writer.open(options.outputPath, outFormat, in.sampleRate, outChannels, error))
        return fail(error);

    RenderReport report;
    RenderSession session(*plugin, reader, writer, options.request);
    if (!session.run(report, error) || !writer.close(error))
    {
        std::string ignored;
        writer.close(ignored);
        platform::removeFile(options.outputPath);
        return fail(error);
    }
    printReport(options, report, in.sampleRate);
    std::fflush(stdout);
    return 0;
}

int runRender(int argc, char** argv)
{
    for (int i = 0; i < argc; ++i)
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h")
        {
            std::fputs(kRenderUsage, stdout);
            return 0;
        }
    RenderOptions options;
    std::string error;
    if (!parseRenderOptions(argc, argv, options, error))
    {
        std::fprintf(stderr, "ofc-host render: %s\n%s", error.c_str(), kRenderUsage);
        return 2;
    }
    return render(options);
}

} // namespace

OFC_HOST_COMMAND(render, "render PLUGIN.so [IN] OUT [options]",
                 "render an audio file, or the built-in demo, through a plug-in", runRender);
