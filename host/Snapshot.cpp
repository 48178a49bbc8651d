#include "Snapshot.h"

#include "AudioFile.h"
#include "DemoSignal.h"
#include "EditorSnapshotExport.h"
#include "PluginInstance.h"
#include "RenderSession.h"

#include <cmath>
#include <cstdlib>
#include <memory>

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

// Stereo blocks from a file or from the built-in demo.
class FeedSource
{
  public:
    bool open(const SnapshotRequest& request, std::string& error)
    {
        if (request.feedPath == "demo")
        {
            demo = std::make_unique<DemoSignal>(makeDemoSignal(request.sampleRate));
            rate = request.sampleRate;
            return true;
        }
        if (!file.open(request.feedPath, error)) return false;
        rate = file.format().sampleRate;
        channels = file.format().channels;
        if (rate < 1000.0 || rate > 768000.0 || channels < 1)
        {
            error = request.feedPath + ": unusable sample rate or channel count";
            return false;
        }
        return true;
    }

    double sampleRate() const { return rate; }

    // Fills up to `frames` frames of left and right; 0 at the end.
    std::int64_t read(float* left, float* right, std::int64_t frames)
    {
        if (demo)
        {
            const std::int64_t total = static_cast<std::int64_t>(demo->left.size());
            const std::int64_t n = std::min(frames, total - position);
            for (std::int64_t i = 0; i < n; ++i)
            {
                left[i] = demo->left[position + i];
                right[i] = demo->right[position + i];
            }
            position += n;
            return n;
        }
        interleaved.resize(static_cast<std::size_t>(frames * channels));
        const std::int64_t n = file.read(interleaved.data(), frames);
        const int leftChannel = fileChannelForInput(0, channels);
        const int rightChannel = fileChannelForInput(1, channels);
        for (std::int64_t i = 0; i < n; ++i)
        {
            left[i] = static_cast<float>(interleaved[i * channels + leftChannel]);
            right[i] = static_cast<float>(interleaved[i * channels + rightChannel]);
        }
        return n;
    }

  private:
    std::unique_ptr<DemoSignal> demo;
    std::int64_t position = 0;
    AudioFileReader file;
    std::vector<double> interleaved;
    double rate = 0.0;
    int channels = 2;
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

    // Feeds the audio block by block; the editor's clock follows the audio's own time.
    void feed(FeedSource& source, const SnapshotRequest& request)
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
    }

    bool write(const std::string& path, std::string& error)
    {
        if (snapshot(plugin.effect(), path.c_str(), 0)) return true;
        error = "cannot write " + path;
        return false;
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

bool takeSnapshot(const SnapshotRequest& request, SnapshotReport& report, std::string& error)
{
    report = SnapshotReport{};
    PluginModule& module = keptModule();
    if (!module.load(request.pluginPath))
    {
        error = module.error();
        return false;
    }
    OrvaneEditorSnapshotFunction snapshot = findSnapshotExport(module, error);
    if (!snapshot) return false;

    FeedSource source;
    const bool feeding = !request.feedPath.empty();
    if (feeding && !source.open(request, error)) return false;
    const double rate = feeding ? source.sampleRate() : request.sampleRate;

    std::unique_ptr<PluginInstance> plugin = PluginInstance::create(module, error);
    if (!plugin) return false;
    plugin->open(rate, request.blockSize);
    if (!request.program.empty() && !selectProgram(*plugin, request.program, error)) return false;
    if (!applySettings(*plugin, request.settings, error)) return false;

    SnapshotSession session(*plugin, snapshot, report);
    if (!session.openEditor(error)) return false;
    if (feeding)
        session.feed(source, request);
    else
        session.idle(request.settleMs);
    const bool written = session.write(request.pngPath, error);
    plugin->dispatch(effEditClose);
    if (feeding) plugin->suspend();
    return written;
}

bool parseSnapshotArguments(int argc, char** argv, SnapshotRequest& request, std::string& error)
{
    if (argc < 2)
    {
        error = "needs PLUGIN.so and OUT.png";
        return false;
    }
    request.pluginPath = argv[0];
    request.pngPath = argv[1];
    auto number = [&](const char* text, double lo, double hi, double& out)
    {
        char* end = nullptr;
        out = std::strtod(text, &end);
        if (end == text || *end != '\0' || !std::isfinite(out) || out < lo || out > hi)
        {
            error = std::string("not a usable number: ") + text;
            return false;
        }
        return true;
    };
    for (int i = 2; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (i + 1 >= argc)
        {
            error = option + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        double n = 0.0;
        if (option == "--program")
            request.program = value;
        else if (option == "--set")
        {
            ParameterSetting setting;
            if (!parseParameterSetting(value, setting, error)) return false;
            request.settings.push_back(setting);
        }
        else if (option == "--feed")
            request.feedPath = value;
        else if (option == "--seconds")
        {
            if (!number(value, 0.0, 86400.0, request.feedSeconds)) return false;
        }
        else if (option == "--rate")
        {
            if (!number(value, 1000.0, 768000.0, request.sampleRate)) return false;
        }
        else if (option == "--block")
        {
            if (!number(value, 1.0, 65536.0, n)) return false;
            request.blockSize = static_cast<VstInt32>(n);
        }
        else
        {
            error = "unknown option " + option;
            return false;
        }
    }
    return true;
}

} // namespace ofchost
