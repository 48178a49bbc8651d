// The VST3 plug-in driven through our test host as hosts drive it: its parameters against the
// VST 2.4 build's, timed changes, programs, states good and hostile, and what a host may throw at
// its set-up and its block call.
#include "EffectState.h"
#include "PluginInstance.h"
#include "Vst3HostObjects.h"
#include "Vst3Instance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace vst3;

namespace
{
constexpr ParamID kThreshold = 3, kMakeUp = 10, kBypass = 16, kProgramId = 1000;
constexpr int32 kBlock = 1024;

Vst3Module& module()
{
    static std::unique_ptr<Vst3Module> loaded = []
    {
        std::string error;
        auto m = Vst3Module::load(OFC_VST3_BUNDLE, error);
        EXPECT_TRUE(m) << error;
        return m;
    }();
    return *loaded;
}

std::unique_ptr<Vst3Instance> newInstance(int32 sampleSize = kSample64)
{
    std::string error;
    auto plugin = Vst3Instance::create(module(), error);
    EXPECT_TRUE(plugin) << error;
    if (plugin)
    {
        EXPECT_TRUE(plugin->start(48000.0, kBlock, sampleSize));
    }
    return plugin;
}

// Stereo input of `frames` frames: a tone loud enough to be compressed.
struct Signal
{
    explicit Signal(int32 frames) : left(frames), right(frames), outLeft(frames), outRight(frames)
    {
        for (int32 i = 0; i < frames; ++i)
            left[i] = right[i] = 0.7 * std::sin(0.05 * i);
    }
    bool run(Vst3Instance& plugin, int32 from, int32 count, IParameterChanges* changes = nullptr)
    {
        double* in[2] = {left.data() + from, right.data() + from};
        double* out[2] = {outLeft.data() + from, outRight.data() + from};
        return plugin.process(in, out, count, changes);
    }
    std::vector<double> left, right, outLeft, outRight;
};

std::vector<std::uint8_t> stateOf(Vst3Instance& plugin)
{
    MemoryStream stream;
    EXPECT_EQ(plugin.component->getState(&stream), kResultOk);
    return stream.data;
}
} // namespace

// Titles, texts and kinds as the VST 2.4 build offers them, the program choice last.
TEST(Vst3Plugin, ParametersAreTheVst2BuildsWithTheirKinds)
{
    ofchost::PluginModule vst2;
    ASSERT_TRUE(vst2.load(OFC_VST2_PLUGIN)) << vst2.error();
    std::string error;
    auto reference = ofchost::PluginInstance::create(vst2, error);
    ASSERT_TRUE(reference) << error;
    auto plugin = newInstance();
    const std::vector<ParameterInfo> list = plugin->parameters();
    ASSERT_EQ(list.size(), 22u);
    for (std::size_t i = 0; i < 21; ++i)
    {
        const ParameterInfo& p = list[i];
        EXPECT_EQ(p.id, i);
        EXPECT_EQ(fieldText(p.title), reference->parameterName(static_cast<VstInt32>(i)));
        for (float v : {0.0f, 0.13f, 0.5f, 0.77f, 1.0f})
        {
            reference->setParameter(static_cast<VstInt32>(i), v);
            EXPECT_EQ(plugin->text(p.id, v), reference->parameterDisplay(static_cast<VstInt32>(i)))
                << "parameter " << i << " at " << v;
        }
    }
    struct Expected
    {
        std::size_t index;
        int32 steps;
        int32 flags;
    } const kinds[] = {
        {0, 0, ParameterInfo::kCanAutomate},
        {1, 2, ParameterInfo::kCanAutomate | ParameterInfo::kIsList},
        {11, 1, ParameterInfo::kCanAutomate},
        {16, 1, ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass},
        {18, 3, ParameterInfo::kCanAutomate | ParameterInfo::kIsList},
        {19, 0, ParameterInfo::kCanAutomate | ParameterInfo::kIsHidden},
        {21, 8,
         ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsProgramChange},
    };
    for (const Expected& e : kinds)
    {
        EXPECT_EQ(list[e.index].stepCount, e.steps) << e.index;
        EXPECT_EQ(list[e.index].flags, e.flags) << e.index;
    }
    EXPECT_EQ(list[21].id, kProgramId);
}

// A change at frame 300 sounds exactly as the same change made between two blocks split there.
TEST(Vst3Plugin, TimedChangesLandOnTheirFrame)
{
    auto timed = newInstance(), split = newInstance(), untouched = newInstance();
    Signal a(kBlock), b(kBlock), c(kBlock);
    ParameterChangeList changes;
    changes.add(kMakeUp, 300, 0.9);
    changes.add(kThreshold, 700, 0.6);
    changes.add(kMakeUp, 700, 0.7);
    ASSERT_TRUE(a.run(*timed, 0, kBlock, &changes));

    ASSERT_TRUE(b.run(*split, 0, 300));
    ParameterChangeList first, second;
    first.add(kMakeUp, 0, 0.9);
    ASSERT_TRUE(b.run(*split, 300, 400, &first));
    second.add(kThreshold, 0, 0.6);
    second.add(kMakeUp, 0, 0.7);
    ASSERT_TRUE(b.run(*split, 700, kBlock - 700, &second));
    ASSERT_TRUE(c.run(*untouched, 0, kBlock));

    EXPECT_EQ(a.outLeft, b.outLeft);
    EXPECT_EQ(a.outRight, b.outRight);
    EXPECT_EQ(std::vector<double>(a.outLeft.begin(), a.outLeft.begin() + 300),
              std::vector<double>(c.outLeft.begin(), c.outLeft.begin() + 300));
    EXPECT_NE(a.outLeft, c.outLeft) << "the changes must be heard";
    EXPECT_FLOAT_EQ(static_cast<float>(timed->controller->getParamNormalized(kMakeUp)), 0.7f);
}

// The program choice from the controller and from the block both load the program's values;
// the block reports them to the host.
TEST(Vst3Plugin, TheProgramParameterLoadsFactoryPrograms)
{
    auto plugin = newInstance(), reference = newInstance();
    EditRecorder handler;
    plugin->controller->setComponentHandler(&handler);
    ASSERT_EQ(plugin->controller->setParamNormalized(kProgramId, 4.0 / 8.0), kResultOk);
    EXPECT_TRUE(handler.edits.empty()) << "no call back into the host from inside its own call";

    Signal s(64);
    ParameterChangeList changes, reported;
    changes.add(kProgramId, 0, 4.0 / 8.0);
    double* in[2] = {s.left.data(), s.right.data()};
    double* out[2] = {s.outLeft.data(), s.outRight.data()};
    ASSERT_TRUE(reference->process(in, out, 64, &changes, &reported));
    for (ParamID id = 0; id < 21; ++id)
    {
        EXPECT_EQ(plugin->controller->getParamNormalized(id),
                  reference->controller->getParamNormalized(id));
        EXPECT_EQ(reported.last(id), reference->controller->getParamNormalized(id)) << id;
    }
    EXPECT_EQ(plugin->programNames().at(4), "Mastering: Aggressive");
    plugin->controller->setComponentHandler(nullptr);
}

// A state read one byte per call restores values, program and a renamed program in another
// instance; one that is not ours changes nothing and answers failure.
TEST(Vst3Plugin, StatesRestoreEverythingAndHostileOnesChangeNothing)
{
    auto source = newInstance();
    source->controller->setParamNormalized(kProgramId, 2.0 / 8.0);
    source->controller->setParamNormalized(kThreshold, 0.37);
    EffectStateData decoded;
    std::vector<std::uint8_t> saved = stateOf(*source);
    ASSERT_TRUE(decodeState(saved.data(), saved.size(), decoded));
    std::snprintf(decoded.names[5], sizeof decoded.names[5], "%s", "Renamed by the user");
    saved = encodeState(decoded);

    auto target = newInstance();
    MemoryStream slow(saved);
    slow.chunk = 1;
    ASSERT_EQ(target->component->setState(&slow), kResultOk);
    EXPECT_EQ(stateOf(*target), saved);
    EXPECT_EQ(target->programNames().at(5), "Renamed by the user");
    EXPECT_FLOAT_EQ(static_cast<float>(target->controller->getParamNormalized(kThreshold)), 0.37f);

    std::vector<std::uint8_t> badChecksum = saved, badMagic = saved, longer = saved;
    badChecksum[100] ^= 1;
    badMagic[0] = 'X';
    longer.push_back(0);
    struct Hostile
    {
        const char* what;
        MemoryStream stream;
        bool nullStream = false;
    } cases[] = {
        {"empty", MemoryStream()},
        {"cut short", MemoryStream({saved.begin(), saved.begin() + 500})},
        {"checksum wrong", MemoryStream(badChecksum)},
        {"another magic", MemoryStream(badMagic)},
        {"one byte too many", MemoryStream(longer)},
        {"endless", MemoryStream()},
        {"failing midway", MemoryStream(saved)},
        {"null", MemoryStream(), true},
    };
    cases[5].stream.endless = true;
    cases[5].stream.chunk = 4096;
    cases[6].stream.failAfter = 300;
    cases[6].stream.chunk = 100;
    for (Hostile& c : cases)
    {
        IBStream* stream = c.nullStream ? nullptr : &c.stream;
        EXPECT_NE(target->component->setState(stream), kResultOk) << c.what;
        EXPECT_NE(target->controller->setComponentState(stream), kResultOk) << c.what;
        EXPECT_EQ(stateOf(*target), saved) << c.what;
    }
}

// Set-ups and blocks a host should not send are refused or survived, never crash, and leave the
// plug-in working.
TEST(Vst3Plugin, BadSetUpsAndBlocksAreRefusedOrSurvived)
{
    std::string error;
    auto plugin = Vst3Instance::create(module(), error);
    ASSERT_TRUE(plugin);
    SpeakerArrangement mono = SpeakerArr::kSpeakerL, stereo = SpeakerArr::kStereo;
    EXPECT_NE(plugin->processor->setBusArrangements(&mono, 1, &stereo, 1), kResultTrue);
    EXPECT_NE(plugin->processor->setBusArrangements(nullptr, 1, &stereo, 1), kResultTrue);
    for (const ProcessSetup& setup :
         {ProcessSetup{kRealtime, kSample32, 512, 0.0},
          ProcessSetup{kRealtime, kSample32, 512, NAN},
          ProcessSetup{kRealtime, kSample32, 512, 1e9},
          ProcessSetup{kRealtime, kSample32, 0, 48000.0}, ProcessSetup{kRealtime, 7, 512, 48000.0}})
    {
        ProcessSetup copy = setup;
        EXPECT_NE(plugin->processor->setupProcessing(copy), kResultOk) << setup.sampleRate;
    }
    ASSERT_TRUE(plugin->start(48000.0, kBlock, kSample32));

    std::vector<float> zeros(kBlock), out(kBlock);
    float* outs[2] = {out.data(), out.data()};
    AudioBusBuffers inBus{}, outBus{}, monoOut{};
    inBus.numChannels = 2;
    outBus.numChannels = 2;
    outBus.channelBuffers32 = outs;
    monoOut.numChannels = 1;
    monoOut.channelBuffers32 = outs;
    ParameterChangeList odd;
    odd.add(kThreshold, -5, 0.5);
    odd.add(kMakeUp, 1 << 30, 0.8);
    odd.add(kBypass, 3, NAN);
    odd.add(4711, 0, 0.5);
    auto block =
        [&](int32 frames, AudioBusBuffers* in, int32 ins, AudioBusBuffers* outputs, int32 outsCount)
    {
        ProcessData data{};
        data.symbolicSampleSize = kSample32;
        data.numSamples = frames;
        data.numInputs = ins;
        data.inputs = in;
        data.numOutputs = outsCount;
        data.outputs = outputs;
        data.inputParameterChanges = &odd;
        return plugin->processor->process(data);
    };
    EXPECT_EQ(block(kBlock, &inBus, 1, &outBus, 1), kResultOk) << "no input channels";
    EXPECT_EQ(block(kBlock, nullptr, 0, &outBus, 1), kResultOk) << "no input bus";
    EXPECT_EQ(block(kBlock, nullptr, 0, nullptr, 0), kResultOk) << "no buses";
    EXPECT_EQ(block(kBlock, nullptr, 0, &monoOut, 1), kResultOk) << "one output channel";
    EXPECT_FLOAT_EQ(static_cast<float>(plugin->controller->getParamNormalized(kThreshold)), 0.5f)
        << "a block with nothing to write still delivers its changes";
    plugin->controller->setParamNormalized(kThreshold, 0.0);
    EXPECT_EQ(block(0, nullptr, 0, nullptr, 0), kResultOk) << "a parameter flush";
    EXPECT_FLOAT_EQ(static_cast<float>(plugin->controller->getParamNormalized(kMakeUp)), 0.8f);
    EXPECT_EQ(plugin->controller->getParamNormalized(kBypass), 0.0) << "NaN is no value";

    // Silent input marked so, long enough for the latency to drain: silent output, marked so.
    inBus.silenceFlags = 3;
    float* ins[2] = {zeros.data(), zeros.data()};
    inBus.channelBuffers32 = ins;
    odd.clear();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(block(kBlock, &inBus, 1, &outBus, 1), kResultOk);
    EXPECT_EQ(outBus.silenceFlags, 3u);
    for (float v : out)
        ASSERT_EQ(v, 0.0f);
}
