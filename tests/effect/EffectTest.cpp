#include "EffectEditorAccess.h"
#include "OrvaneEffect.h"

#include "ParameterIds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::unique_ptr<OrvaneEffect> makeEffect()
{
    auto effect = std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>());
    effect->setSampleRate(48000.0);
    effect->resume();
    return effect;
}

struct Stereo
{
    std::vector<double> left, right;
    explicit Stereo(int frames) : left(frames), right(frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            left[i] = 0.7 * std::sin(0.031 * i);
            right[i] = 0.5 * std::sin(0.017 * i + 1.0);
        }
    }
    const double* in[2] = {left.data(), right.data()};
    double* out[2] = {left.data(), right.data()};
};

// Everything the saved state covers, as the effect answers for it.
struct Snapshot
{
    std::int32_t program;
    float values[kNumPrograms][kNumParams];
    char names[kNumPrograms][25];

    explicit Snapshot(const OrvaneEffect& e) : program(e.currentProgram()), values{}, names{}
    {
        for (std::int32_t p = 0; p < kNumPrograms; ++p)
        {
            e.programNameIndexed(p, names[p]);
            for (std::int32_t i = 0; i < kNumParams; ++i)
                values[p][i] = e.programParameter(p, i);
        }
    }
    bool operator==(const Snapshot& o) const
    {
        return program == o.program && !std::memcmp(values, o.values, sizeof values) &&
               !std::memcmp(names, o.names, sizeof names);
    }
};

// A change at frame k sounds exactly as if the host had split the block there itself, and
// differently from the change at the block's start.
TEST(Effect, TimedChangesApplyAtTheirFrame)
{
    constexpr int kFrames = 1024, kAt = 300;
    const ParameterChange change{kAt, kThreshold, 0.9f};

    auto timed = makeEffect(), split = makeEffect(), early = makeEffect();
    Stereo a(kFrames), b(kFrames), c(kFrames);
    timed->process(a.in, a.out, kFrames, &change, 1);

    split->process(b.in, b.out, kAt);
    split->setParameter(kThreshold, 0.9f);
    const double* restIn[2] = {b.left.data() + kAt, b.right.data() + kAt};
    double* restOut[2] = {b.left.data() + kAt, b.right.data() + kAt};
    split->process(restIn, restOut, kFrames - kAt);

    const ParameterChange atStart{0, kThreshold, 0.9f};
    early->process(c.in, c.out, kFrames, &atStart, 1);

    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
    EXPECT_NE(a.left, c.left);
    EXPECT_EQ(timed->getParameter(kThreshold), 0.9f);
}

// Out-of-order frames count at the previous change's frame; frames past the end apply after
// the block, so nothing is lost and no piece runs backwards.
TEST(Effect, TimedChangesOutOfOrderOrPastTheEnd)
{
    constexpr int kFrames = 64;
    const ParameterChange changes[] = {
        {40, kKnee, 0.5f}, {10, kRatio, 0.2f}, {500, kAttack, 0.7f}, {-3, kDelta, 1.0f}};
    auto effect = makeEffect();
    Stereo s(kFrames);
    effect->process(s.in, s.out, kFrames, changes, 4);
    for (const ParameterChange& c : changes)
        EXPECT_EQ(effect->getParameter(c.index), c.value) << c.index;
    for (double v : s.left)
        EXPECT_TRUE(std::isfinite(v));
}

// Every parameter of every program, the current program and renamed programs come back in a new
// instance.
TEST(EffectState, RoundTripRestoresEverything)
{
    auto saved = makeEffect();
    saved->setProgram(3);
    saved->setParameter(kThreshold, 0.33f);
    saved->setParameter(kUnused19, 7.5f); // stored as given, even outside 0..1
    saved->setProgramName("Renamed three");
    saved->setProgram(6);
    saved->setProgramName("A name of exactly 24 chr");
    saved->setParameter(kDelta, 1.0f);
    const Snapshot before(*saved);

    auto restored = makeEffect();
    const std::vector<std::uint8_t> state = saved->saveState();
    ASSERT_TRUE(restored->loadState(state.data(), state.size()));
    EXPECT_TRUE(Snapshot(*restored) == before);
    EXPECT_EQ(restored->currentProgram(), 6);
    EXPECT_TRUE(restored->getEngine().getDelta()); // loaded through the whole procedure
}

// Hostile blobs change nothing: not the program, not a value, not a name.
TEST(EffectState, HostileStateChangesNothing)
{
    auto effect = makeEffect();
    effect->setProgram(2);
    effect->setParameter(kKnee, 0.61f);
    const Snapshot before(*effect);
    std::vector<std::uint8_t> good = makeEffect()->saveState();

    std::vector<std::vector<std::uint8_t>> blobs = {{}, {1, 2, 3}};
    for (std::size_t n = 0; n < good.size(); n += 97)
        blobs.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    blobs.push_back(good);
    blobs.back().push_back(0);
    blobs.push_back(good);
    blobs.back()[good.size() / 2] ^= 0x01;
    for (const auto& blob : blobs)
    {
        EXPECT_FALSE(effect->loadState(blob.data(), blob.size())) << blob.size() << " bytes";
        EXPECT_TRUE(Snapshot(*effect) == before) << blob.size() << " bytes";
    }
    EXPECT_FALSE(effect->loadState(nullptr, good.size()));
    EXPECT_TRUE(Snapshot(*effect) == before);
}
// An edit in the editor: the effect takes it, its interlocks act, the host hears of the edit
// alone and of the gestures around it; the listener sees every change the effect made.
TEST(EffectEditorAccess, EditsReachTheEffectThenTheHost)
{
    struct Recorder : EditorHost, ParameterListener
    {
        std::vector<std::string> heard;
        void parameterEdited(std::int32_t i, float v) override
        {
            heard.push_back("edit " + std::to_string(i) + "=" + std::to_string(v));
        }
        void beginEdit(std::int32_t i) override { heard.push_back("begin " + std::to_string(i)); }
        void endEdit(std::int32_t i) override { heard.push_back("end " + std::to_string(i)); }
        void parameterChanged(std::int32_t i, float) override
        {
            heard.push_back("changed " + std::to_string(i));
        }
    } recorder;
    auto effect = makeEffect();
    effect->setParameter(kDelta, 1.0f);
    effect->setListener(&recorder);
    EffectEditorAccess access(*effect, recorder);

    access.beginEdit(kBypass);
    access.setParameterFromEditor(kBypass, 1.0f);
    access.endEdit(kBypass);
    access.setParameterFromEditor(kNumParams, 1.0f);
    access.beginEdit(502);

    const std::vector<std::string> expected = {"begin 16",   "changed 17",       "changed 15",
                                               "changed 16", "edit 16=1.000000", "end 16"};
    EXPECT_EQ(recorder.heard, expected);
    EXPECT_EQ(access.parameter(kDelta), 0.0f);
    EXPECT_EQ(access.meterValue(kMeterActive), 1.0f);
}
// A host that never sets the rate hears the effect as one that set 44100 Hz.
TEST(Effect, WithoutARateItRunsAt44100)
{
    constexpr int kFrames = 4096;
    auto named = std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>());
    auto unnamed = std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>());
    named->setSampleRate(44100.0);
    Stereo a(kFrames), b(kFrames);
    named->process(a.in, a.out, kFrames);
    unnamed->process(b.in, b.out, kFrames);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(unnamed->getEngine().getInternalRate(), 88200.0);
}
} // namespace
