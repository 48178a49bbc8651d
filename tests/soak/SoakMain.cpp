// ofc-soak: loads the plug-in as a host does and drives several instances from several threads
// for a given time, checking as it goes; exits 1 if anything was found.
//
//   ofc-soak [--seconds S] [--seed N] [--threads AUDIO_THREADS] [--instances N] [--plugin PATH]

#include "EditorSnapshotExport.h"
#include "Platform.h"
#include "Soak.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace soak
{

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt)
{
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

void Instance::note(std::string action)
{
    if (recent.size() == 24) recent.erase(recent.begin());
    recent.push_back(std::move(action));
}

std::string Instance::history() const
{
    std::string text;
    for (const std::string& action : recent)
        text += "    " + action + "\n";
    return text;
}

void Session::fail(const std::string& what)
{
    std::lock_guard<std::mutex> lock(reportLock);
    ++counters.failures;
    if (++printed <= 20) std::fprintf(stderr, "SOAK FAILURE: %s\n", what.c_str());
}

} // namespace soak

namespace
{

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

bool parse(int argc, char** argv, soak::Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const char* value = argv[i + 1];
        if (!std::strcmp(argv[i], "--seconds"))
            options.seconds = std::atof(value);
        else if (!std::strcmp(argv[i], "--seed"))
            options.seed = std::strtoull(value, nullptr, 10);
        else if (!std::strcmp(argv[i], "--threads"))
            options.audioThreads = std::atoi(value);
        else if (!std::strcmp(argv[i], "--instances"))
            options.instances = std::atoi(value);
        else if (!std::strcmp(argv[i], "--plugin"))
            options.plugin = value;
        else
            return false;
    }
    return argc % 2 == 1 && options.seconds > 0 && options.audioThreads > 0 &&
           options.instances > 0;
}

void printCounters(const soak::Counters& c)
{
    std::printf("blocks %lld, frames %lld, rate changes %lld, suspends %lld, bursts %lld\n"
                "parameter sets %lld, program changes %lld, text checks %lld\n"
                "editor opens %lld, idle calls %lld\nfailures %lld\n",
                c.blocks.load(), c.frames.load(), c.rateChanges.load(), c.suspends.load(),
                c.bursts.load(), c.parameterSets.load(), c.programChanges.load(),
                c.textChecks.load(), c.editorOpens.load(), c.idles.load(), c.failures.load());
}

} // namespace

int main(int argc, char** argv)
{
    soak::Options options;
    options.plugin = OFC_PLUGIN_PATH;
    if (!parse(argc, argv, options))
    {
        std::fprintf(stderr, "usage: ofc-soak [--seconds S] [--seed N] [--threads N] "
                             "[--instances N] [--plugin PATH]\n");
        return 2;
    }
    std::string error;
    void* library = ofchost::platform::loadLibrary(options.plugin, error);
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry =
        library ? reinterpret_cast<Entry>(ofchost::platform::findSymbol(library, "VSTPluginMain"))
                : nullptr;
    if (!entry)
    {
        std::fprintf(stderr, "cannot load %s: %s\n", options.plugin.c_str(), error.c_str());
        return 2;
    }

    soak::Session session(options);
    session.openEditor = reinterpret_cast<OrvaneEditorSnapshotFunction>(
        ofchost::platform::findSymbol(library, OFC_EDITOR_SNAPSHOT_SYMBOL));
    if (!session.openEditor) return std::fprintf(stderr, "no editor export\n"), 2;
    session.instances.resize(std::size_t(options.instances));
    for (int i = 0; i < options.instances; ++i)
    {
        session.instances[i].id = i;
        session.instances[i].effect = entry(hostCallback);
        if (!session.instances[i].effect) return std::fprintf(stderr, "no effect\n"), 2;
    }
    std::printf("soak: %d instances, %d audio threads, seed %llu, %.0f s\n", options.instances,
                options.audioThreads, (unsigned long long)options.seed, options.seconds);
    session.deadline = std::chrono::steady_clock::now() +
                       std::chrono::milliseconds(static_cast<long long>(options.seconds * 1000));

    std::vector<std::thread> threads;
    for (int t = 0; t < options.audioThreads; ++t)
        threads.emplace_back(soak::runAudio, std::ref(session), t);
    threads.emplace_back(soak::runAutomation, std::ref(session));
    threads.emplace_back(soak::runUserInterface, std::ref(session));
    for (std::thread& thread : threads)
        thread.join();

    for (soak::Instance& instance : session.instances)
        soak::dispatch(instance.effect, effClose);
    ofchost::platform::unloadLibrary(library);
    printCounters(session.counters);
    std::fflush(stdout);
    return session.counters.failures == 0 ? 0 : 1;
}
