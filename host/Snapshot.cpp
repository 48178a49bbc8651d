#include "Snapshot.h"

#include "AudioFile.h"
#include "CommandLine.h"
#include "DemoSignal.h"
#include "EditorSnapshotExport.h"
#include "OutputFile.h"
#include "Platform.h"
#include "PluginInstance.h"
#include "RenderSession.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <strings.h>

namespace ofchost
{
namespace
{

// The export lives in the library the entry point came from.
OrvaneEditorSnapshotFunction findSnapshotExport(const PluginModule& module, std::string& error)
{
    void* symbol = module.symbol(OFC_EDITOR_SNAPSHOT_SYMBOL);
    if (!symbol) error = "the plug-in has no off-screen editor (" OFC_EDITOR_SNAPSHOT_SYMBOL ")";
    return reinterpret_cast<OrvaneEditorSnapshotFunction>(symbol);
}

// Stereo blocks from a file or from the built-in demo, at a rate the plug-in accepts.
class FeedSource
{
  public:
    bool open(const SnapshotRequest& request, std::string& error)
    {
        if (request.feedPath == "demo")
        {
            source = std::make_unique<DemoSource>(static_cast<int>(request.sampleRate));
            return true;
        }
        auto file = std::make_unique<AudioFileReader>();
        if (!file->open(request.feedPath, error) ||
            !checkSampleRate(file->format().sampleRate, request.feedPath, error))
            return false;
        source = std::move(file);
        return true;
    }

    double sampleRate() const { return source->format().sampleRate; }

    // Fills up to `frames` frames of left and right; 0 at the end.
    std::int64_t read(float* left, float* right, std::int64_t frames)
    {
        float* const channels[2] = {left, right};
        return readPlanar(*source, scratch, channels, 2, frames, nullptr);
    }

  private:
    std::unique_ptr<AudioSource> source;
    std::vector<double> scratch;
};

class SnapshotSession
{
  public:
    SnapshotSession(const PluginInstance& plugin, OrvaneEditorSnapshotFunction snapshot,
                    SnapshotReport& report)
        : plugin(plugin), snapshot(snapshot), report(report)
    {
    }

    bool openEditor(std::string& error)
    {
        if (!snapshot(plugin.effect(), nullptr, 0))
        {
            error = "the plug-in could not open its editor off-screen";
            return false;
        }
        ERect* rect = nullptr;
        if (plugin.dispatch(effEditGetRect, 0, 0, &rect) && rect)
        {
            report.width = rect->right - rect->left;
            report.height = rect->bottom - rect->top;
        }
        idle(0);
        return true;
    }

    // Moves the editor's clock by `ms` and gives it one idle call.
    void idle(std::uint64_t ms)
    {
        snapshot(plugin.effect(), nullptr, static_cast<unsigned>(ms));
        report.editorMs += ms;
        plugin.dispatch(effEditIdle);
        ++report.idleCalls;
    }

    // Feeds the audio block by block; the editor's clock follows the audio's own time. False if
    // interrupted.
    bool feed(FeedSource& source, const SnapshotRequest& request)
    {
        const double rate = source.sampleRate();
        const std::int64_t limit = request.feedSeconds < 0.0
                                       ? INT64_MAX
                                       : static_cast<std::int64_t>(request.feedSeconds * rate);
        const VstInt32 block = request.blockSize;
        std::vector<float> in[2], out[2];
        for (int c = 0; c < 2; ++c)
        {
            in[c].assign(block, 0.0f);
            out[c].assign(block, 0.0f);
        }
        float* inputs[2] = {in[0].data(), in[1].data()};
        float* outputs[2] = {out[0].data(), out[1].data()};
        plugin.resume();
        std::uint64_t msSoFar = 0;
        while (report.framesFed < limit)
        {
            if (platform::interruption()) return false;
            const std::int64_t want = std::min<std::int64_t>(block, limit - report.framesFed);
            const std::int64_t got = source.read(inputs[0], inputs[1], want);
            if (got <= 0) break;
            plugin.processReplacing(inputs, outputs, static_cast<VstInt32>(got));
            report.framesFed += got;
            const auto msNow =
                static_cast<std::uint64_t>(std::llround(double(report.framesFed) * 1000.0 / rate));
            idle(msNow - msSoFar);
            msSoFar = msNow;
        }
        report.feedRate = rate;
        return true;
    }

    // The picture goes to a temporary file first, so a failure leaves any old one as it was.
    bool write(const std::string& path, std::string& error)
    {
        OutputFile file;
        if (!file.create(path, error)) return false;
        if (!snapshot(plugin.effect(), file.temporaryPath().c_str(), 0))
        {
            error = "the plug-in could not write the picture to " + path;
            return false;
        }
        return file.commit(error);
    }

  private:
    const PluginInstance& plugin;
    OrvaneEditorSnapshotFunction snapshot;
    SnapshotReport& report;
};

// Libraries stay loaded until the process ends, as in most hosts: unloading one just before
// exit gains nothing, and its dependencies' one-time allocations would then show as leaks.
PluginModule& keptModule()
{
    static auto* const modules = new std::vector<PluginModule*>;
    modules->push_back(new PluginModule);
    return *modules->back();
}

} // namespace

const char* const kSnapshotUsage =
    "usage: ofc-host snapshot PLUGIN.so OUT.png [options]\n"
    "  --program N|NAME      select a program by number or by name\n"
    "  --set Name=value      set a parameter by name to a normalised value (repeatable;\n"
    "                        the last one for a parameter wins)\n"
    "  --feed FILE|demo      run an audio file (or the built-in demo) through the plug-in first\n"
    "  --seconds S           stop the feed after S seconds\n"
    "  --rate HZ             sample rate of the demo, or without a feed (default 44100)\n"
    "  --block N             frames per processing call (default 512)\n"
    "  --scale F             draw the editor at F device pixels per pixel (1 to 2)\n"
    "Exit status: 0 done, 1 failed (OUT.png untouched), 2 usage error, 130/143 interrupted.\n";

bool takeSnapshot(const SnapshotRequest& request, SnapshotReport& report, std::string& error)
{
    report = SnapshotReport{};
    const bool feeding = !request.feedPath.empty();
    const std::vector<NamedFile> read = {{"the plug-in", request.pluginPath},
                                         {"the feed", feeding ? request.feedPath : ""}};
    if (!checkOutputPath(request.pngPath, read, error)) return false;
    PluginModule& module = keptModule();
    if (!module.load(request.pluginPath))
    {
        error = module.error();
        return false;
    }
    OrvaneEditorSnapshotFunction snapshot = findSnapshotExport(module, error);
    if (!snapshot) return false;

    FeedSource source;
    if (feeding && !source.open(request, error)) return false;
    const double rate = feeding ? source.sampleRate() : request.sampleRate;

    std::unique_ptr<PluginInstance> plugin = PluginInstance::create(module, error);
    if (!plugin) return false;
    plugin->open(rate, request.blockSize);
    if (!request.program.empty() && !selectProgram(*plugin, request.program, error)) return false;
    if (!applySettings(*plugin, request.settings, error)) return false;

    // The convention hosts use to pass the editor's scale: the vendor call 'PreS' 'AeCs'.
    if (request.scale > 0.0)
        plugin->dispatch(effVendorSpecific, vstFourCC('P', 'r', 'e', 'S'),
                         vstFourCC('A', 'e', 'C', 's'), nullptr, static_cast<float>(request.scale));
    SnapshotSession session(*plugin, snapshot, report);
    if (!session.openEditor(error)) return false;
    if (feeding)
        report.interrupted = !session.feed(source, request);
    else
        session.idle(request.settleMs);
    if (report.interrupted) error = "interrupted: " + request.pngPath + " was not written";
    const bool written = !report.interrupted && session.write(request.pngPath, error);
    plugin->dispatch(effEditClose);
    if (feeding) plugin->suspend();
    return written;
}

namespace
{

bool applySnapshotOption(const ParsedOption& option, SnapshotRequest& request, std::string& error)
{
    const std::string& name = option.name;
    double seconds = 0.0;
    int count = 0;
    if (name == "--program" || name == "--feed")
    {
        (name == "--program" ? request.program : request.feedPath) = option.value;
        if (!option.value.empty()) return true;
        error = name + " needs a value";
        return false;
    }
    if (name == "--set")
    {
        ParameterSetting setting;
        if (!parseParameterSetting(option.value, setting, error))
        {
            error = "--set " + error;
            return false;
        }
        addSetting(request.settings, setting);
        return true;
    }
    if (name == "--seconds")
    {
        if (!parseNumberOption(option, 0.0, 86400.0, "seconds", seconds, error)) return false;
        request.feedSeconds = seconds;
        return true;
    }
    if (name == "--scale")
    {
        return parseNumberOption(option, 1.0, 2.0, "device pixels per pixel", request.scale, error);
    }
    if (name == "--rate")
    {
        if (!parseCountOption(option, kMinSampleRate, kMaxSampleRate, "Hz", count, error))
            return false;
        request.sampleRate = count;
        return true;
    }
    if (!parseCountOption(option, 1, 65536, "frames", count, error)) return false;
    request.blockSize = count;
    return true;
}

bool hasExtension(const std::string& path, const std::string& ext)
{
    if (path.size() <= ext.size()) return false;
    const std::string tail = path.substr(path.size() - ext.size());
    return strcasecmp(tail.c_str(), ext.c_str()) == 0;
}

} // namespace

bool parseSnapshotArguments(int argc, char** argv, SnapshotRequest& request, std::string& error)
{
    static const std::vector<KnownOption> kOptions = {
        {"--program", true}, {"--set", true},   {"--feed", true}, {"--seconds", true},
        {"--rate", true},    {"--block", true}, {"--scale", true}};
    CommandLine line;
    if (!parseCommandLine(argc, argv, kOptions, line, error)) return false;
    request.help = line.help;
    if (line.help) return true;
    if (line.positional.size() != 2)
    {
        error = "expected PLUGIN.so and OUT.png";
        return false;
    }
    request.pluginPath = line.positional[0];
    request.pngPath = line.positional[1];
    if (!hasExtension(request.pngPath, ".png"))
    {
        error = "the picture is a PNG file: OUT must end in .png, got " + request.pngPath;
        return false;
    }
    for (const auto& option : line.options)
        if (!applySnapshotOption(option, request, error)) return false;
    return true;
}

} // namespace ofchost
