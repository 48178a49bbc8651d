// ofc-host render: an audio file (or the built-in demo) through a VST 2.4 plug-in, offline.

#include "AudioFile.h"
#include "DemoSignal.h"
#include "HostCommand.h"
#include "OutputFile.h"
#include "Platform.h"
#include "RenderOptions.h"
#include "RenderSession.h"
#include "RenderSetup.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <memory>

namespace
{
using namespace ofchost;

int fail(const std::string& message, int status = kExitFailed)
{
    std::fprintf(stderr, "ofc-host render: %s\n", message.c_str());
    return status;
}

// Written beside its target and put in place when complete, like the output.
bool writeDemoInput(const DemoSignal& demo, const std::string& path, std::string& error)
{
    const int rate = static_cast<int>(demo.sampleRate);
    OutputFile file;
    AudioFileWriter writer;
    const int format = outputFormatFor(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, rate, 2);
    if (!file.create(path, error) || !writer.open(file.temporaryPath(), format, rate, 2, error))
    {
        error = file.userMessage(error);
        return false;
    }
    std::vector<double> frames(2 * demo.left.size());
    for (std::size_t i = 0; i < demo.left.size(); ++i)
    {
        frames[2 * i] = demo.left[i];
        frames[2 * i + 1] = demo.right[i];
    }
    return writer.write(frames.data(), static_cast<sf_count_t>(demo.left.size()), error) &&
           writer.close(error) && file.commit(error);
}

// Nothing the command reads may be written over, and its two outputs must differ.
bool protectFiles(const RenderOptions& options, std::string& error)
{
    const std::vector<NamedFile> read = {{"the plug-in", options.pluginPath},
                                         {"the input", options.inputPath}};
    std::vector<NamedFile> forOutput = read;
    forOutput.push_back({"where --write-input puts the demo input", options.demoInputPath});
    return checkOutputPath(options.outputPath, forOutput, error) &&
           (options.demoInputPath.empty() || checkOutputPath(options.demoInputPath, read, error));
}

std::unique_ptr<AudioSource> openSource(const RenderOptions& options, std::string& error)
{
    if (options.demo()) return std::make_unique<DemoSource>(options.demoRate);
    auto reader = std::make_unique<AudioFileReader>();
    if (!reader->open(options.inputPath, error) ||
        !checkSampleRate(reader->format().sampleRate, options.inputPath, error))
        return nullptr;
    return reader;
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
    if (plugin.programCount() > 0)
    {
        const VstIntPtr program = plugin.dispatch(effGetProgram);
        std::printf("Program:    %" PRIdPTR " \"%s\"\n", program,
                    plugin.currentProgramName().c_str());
    }
    for (const auto& setting : options.settings)
    {
        std::string ignored;
        const VstInt32 index = findParameter(plugin, setting.name, ignored);
        if (index < 0) continue;
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
                options.demo() ? "the built-in demo" : options.inputPath.c_str(),
                describeFormat(in.format).c_str(), in.channels, in.channels == 1 ? "" : "s",
                in.sampleRate, static_cast<std::int64_t>(in.frames),
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

// What the output holds that the user must hear about; answers the exit status.
int judgeOutput(const RenderReport& report, int outFormat, double rate)
{
    if (report.overFullScale > 0 && isIntegerFormat(outFormat))
        std::fprintf(stderr,
                     "ofc-host render: warning: %" PRId64
                     " samples beyond full scale (peak %s dBFS) "
                     "were clipped in the %s output; --output-format float keeps them\n",
                     report.overFullScale, dbText(20.0 * std::log10(report.outputPeak)).c_str(),
                     describeFormat(outFormat).c_str());
    if (report.nonFinite == 0) return kExitOk;
    return fail("the plug-in produced " + std::to_string(report.nonFinite) +
                    " NaN or infinite samples, the first at frame " +
                    std::to_string(report.firstNonFiniteFrame) + " (" +
                    dbText(static_cast<double>(report.firstNonFiniteFrame) / rate) +
                    " s); the output holds silence in their place",
                kExitBadAudio);
}

// Streams the source into OUT's temporary file and puts it in place when complete.
int renderInto(const RenderOptions& options, const PluginInstance& plugin, AudioSource& source,
               int outFormat)
{
    const AudioFormat& in = source.format();
    const int outChannels = plugin.effect()->numOutputs;
    std::string error;
    OutputFile file;
    AudioFileWriter writer;
    if (!file.create(options.outputPath, error) ||
        !writer.open(file.temporaryPath(), outFormat, in.sampleRate, outChannels, error))
        return fail(file.userMessage(error));
    RenderReport report;
    RenderSession session(plugin, source, writer, options.request);
    if (!session.run(report, error) || !writer.close(error)) return fail(error);
    if (report.interrupted)
        return fail("interrupted: " + options.outputPath + " was not written (left as it was)",
                    kExitInterrupted + platform::interruption());
    if (!file.commit(error)) return fail(error);
    printReport(options, report, in.sampleRate);
    return judgeOutput(report, outFormat, in.sampleRate);
}

int render(const RenderOptions& options)
{
    std::string error;
    if (!protectFiles(options, error)) return fail(error);
    std::unique_ptr<AudioSource> source = openSource(options, error);
    if (!source) return fail(error);
    const AudioFormat& in = source->format();

    // The library stays loaded until the process ends, as in most hosts: unloading it just
    // before exit gains nothing, and the one-time allocations of its dependencies (pixman's
    // implementation table, for one) would then be reported as leaks by LeakSanitizer.
    static PluginModule* const module = new PluginModule;
    auto plugin = preparePlugin(*module, options, in.sampleRate, error);
    if (!plugin) return fail(error);
    printSetup(*plugin, options);

    const int outChannels = plugin->effect()->numOutputs;
    if (outChannels <= 0 || outChannels > kMaxPluginChannels)
        return fail("the plug-in reports " + std::to_string(outChannels) + " outputs");
    int outFormat = outputFormatFor(options.outputPath, in.format, in.sampleRate, outChannels);
    if (options.outputSampleFormat)
        outFormat = (outFormat & SF_FORMAT_TYPEMASK) | options.outputSampleFormat;
    printFiles(options, in, outFormat, outChannels);
    std::fflush(stdout);
    if (!options.demoInputPath.empty() &&
        !writeDemoInput(static_cast<DemoSource&>(*source).signal(), options.demoInputPath, error))
        return fail(error);
    return renderInto(options, *plugin, *source, outFormat);
}

int runRender(int argc, char** argv)
{
    RenderOptions options;
    std::string error;
    if (!parseRenderOptions(argc, argv, options, error))
    {
        std::fprintf(stderr, "ofc-host render: %s\n%s", error.c_str(), kRenderUsage);
        return kExitUsage;
    }
    if (options.help)
    {
        std::fputs(kRenderUsage, stdout);
        return kExitOk;
    }
    platform::catchInterruptions();
    return render(options);
}

} // namespace

OFC_HOST_COMMAND(render, "render PLUGIN.so [IN] OUT [options]",
                 "render an audio file, or the built-in demo, through a plug-in", runRender);
