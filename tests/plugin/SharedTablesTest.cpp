// The noise and dither tables and the decoded editor images are built once per process, on
// first use from whichever thread comes first. Each test runs in a fresh process, so the
// first use here really is the concurrent one.

#include "EditorSnapshotExport.h"
#include "Platform.h"
#include "VstInterface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

namespace
{

using Entry = AEffect* (*)(audioMasterCallback);

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Module
{
    explicit Module(const std::string& path)
    {
        std::string error;
        library = ofchost::platform::loadLibrary(path, error);
        EXPECT_NE(library, nullptr) << error;
        if (!library) return;
        entry = reinterpret_cast<Entry>(ofchost::platform::findSymbol(library, "VSTPluginMain"));
        snapshot = reinterpret_cast<OrvaneEditorSnapshotFunction>(
            ofchost::platform::findSymbol(library, OFC_EDITOR_SNAPSHOT_SYMBOL));
    }
    ~Module()
    {
        if (library) ofchost::platform::unloadLibrary(library);
    }
    void* library = nullptr;
    Entry entry = nullptr;
    OrvaneEditorSnapshotFunction snapshot = nullptr;
};

// One instance's life: made, its editor opened off-screen (which decodes the images), a few
// blocks of a fixed signal processed at the oversampled rate (which reads the tables), closed.
std::vector<float> lifeOfAnInstance(const Module& module)
{
    AEffect* e = module.entry ? module.entry(host) : nullptr;
    if (!e || !module.snapshot) return {};
    EXPECT_EQ(module.snapshot(e, nullptr, 0), 1);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatcher(e, effSetProgram, 0, 4, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> left(2048), right(2048), result;
    float* io[] = {left.data(), right.data()};
    for (int block = 0; block < 8; ++block)
    {
        for (int i = 0; i < 2048; ++i)
            left[i] = right[i] = 0.7f * std::sin(0.01f * float(block * 2048 + i));
        e->processReplacing(e, io, io, 2048);
        e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
        result.insert(result.end(), left.begin(), left.end());
    }
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    return result;
}

TEST(SharedTables, FirstUseFromManyThreadsAtOnce)
{
    Module module(OFC_PLUGIN_PATH);
    constexpr int kThreads = 6;
    std::vector<std::vector<float>> outputs(kThreads);
    std::atomic<int> waiting{kThreads};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [&, t]
            {
                for (--waiting; waiting.load() > 0;)
                    std::this_thread::yield();
                outputs[t] = lifeOfAnInstance(module);
            });
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_EQ(outputs[0].size(), 8u * 2048u);
    for (int t = 1; t < kThreads; ++t)
        EXPECT_EQ(outputs[t], outputs[0]) << "thread " << t << " saw other tables";
}

// Hosts unload a plug-in when its last instance goes and load it again later. The library
// stays mapped on Linux, so the second load must find its tables and images intact; a copy
// under another name is a second mapping with tables of its own. The leak checker of the
// sanitizer build sees whatever either leaves behind.
TEST(SharedTables, UnloadAndReloadKeepTheSoundAndLeakNothing)
{
    std::vector<float> first;
    {
        Module module(OFC_PLUGIN_PATH);
        first = lifeOfAnInstance(module);
    }
    ASSERT_EQ(first.size(), 8u * 2048u);
    for (int round = 0; round < 5; ++round)
    {
        Module module(OFC_PLUGIN_PATH);
        EXPECT_EQ(lifeOfAnInstance(module), first) << "round " << round;
    }
    const auto copy =
        std::filesystem::temp_directory_path() /
        ("ofc-reload-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".so");
    std::filesystem::copy_file(OFC_PLUGIN_PATH, copy,
                               std::filesystem::copy_options::overwrite_existing);
    {
        Module original(OFC_PLUGIN_PATH), second(copy.string());
        EXPECT_NE(original.entry, second.entry);
        EXPECT_EQ(lifeOfAnInstance(second), first);
        EXPECT_EQ(lifeOfAnInstance(original), first);
    }
    std::filesystem::remove(copy);
}

} // namespace
