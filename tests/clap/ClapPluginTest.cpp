// The CLAP plug-in as our test host loads it: its life cycle and thread rules, parameters and
// their events, and its state through streams.

#include "ClapTestHost.h"
#include "ParameterTable.h"
#include "ParameterText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

namespace
{

const ClapLibrary& library()
{
    static ClapLibrary loaded;
    static const bool ok = []
    {
        std::string error;
        return loaded.load(OFC_CLAP_PATH, error);
    }();
    EXPECT_TRUE(ok);
    return loaded;
}

class ClapPluginTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(host.open(library(), error)) << error;
        plugin = host.plugin();
        params = host.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
        ASSERT_NE(params, nullptr);
    }
    bool onOtherThread(const std::function<bool()>& call, bool audio = false)
    {
        bool result = false;
        std::thread(
            [&]
            {
                if (!audio) return void(result = call());
                AudioThreadScope scope;
                result = call();
            })
            .join();
        return result;
    }
    bool activate() { return plugin->activate(plugin, 44100.0, 1, 4096); }
    bool startProcessing()
    {
        AudioThreadScope audio;
        return plugin->start_processing(plugin);
    }
    // Processes `frames` of a fixed test signal starting at `from`, into out.
    clap_process_status run(std::uint32_t from, std::uint32_t frames, const EventList& events,
                            std::vector<float> (&out)[2], bool onAudioThread = true)
    {
        std::vector<float> in[2];
        for (int c = 0; c < 2; ++c)
        {
            in[c].resize(frames);
            out[c].resize(frames);
            for (std::uint32_t i = 0; i < frames; ++i)
                in[c][i] = 0.8f * std::sin(0.031f * (from + i) * (c + 1));
        }
        float* inputs[2] = {in[0].data(), in[1].data()};
        float* outputs[2] = {out[0].data(), out[1].data()};
        clap_audio_buffer_t input{inputs, nullptr, 2, 0, 0}, output{outputs, nullptr, 2, 0, 0};
        clap_process_t block{-1, frames, nullptr,      &input,       &output,
                             1,  1,      events.get(), host.output()};
        if (!onAudioThread) return plugin->process(plugin, &block);
        AudioThreadScope audio;
        return plugin->process(plugin, &block);
    }
    double value(clap_id id)
    {
        double v = -1.0;
        EXPECT_TRUE(params->get_value(plugin, id, &v));
        return v;
    }
    void setFromHost(clap_id id, double v)
    {
        EventList events;
        events.addValue(0, id, v);
        params->flush(plugin, events.get(), host.output());
    }

    ClapTestHost host;
    const clap_plugin_t* plugin = nullptr;
    const clap_plugin_params_t* params = nullptr;
};
} // namespace

TEST_F(ClapPluginTest, CallsInTheWrongStateOrOnTheWrongThreadAreRefused)
{
    EventList none;
    std::vector<float> out[2];
    struct Step
    {
        const char* what;
        std::function<bool()> call;
        bool expected;
    } steps[] = {
        {"init twice", [&] { return plugin->init(plugin); }, false},
        {"process before activate", [&] { return run(0, 64, none, out) != 0; }, false},
        {"start processing before activate", [&] { return startProcessing(); }, false},
        {"activate at 0 Hz", [&] { return plugin->activate(plugin, 0.0, 1, 64); }, false},
        {"activate at NaN", [&] { return plugin->activate(plugin, NAN, 1, 64); }, false},
        {"activate at 1 MHz", [&] { return plugin->activate(plugin, 1e6, 1, 64); }, false},
        {"activate off the main thread", [&] { return onOtherThread([&] { return activate(); }); },
         false},
        {"activate", [&] { return activate(); }, true},
        {"activate twice", [&] { return activate(); }, false},
        {"process before start", [&] { return run(0, 64, none, out) != 0; }, false},
        {"start off the audio thread", [&] { return plugin->start_processing(plugin); }, false},
        {"start", [&] { return startProcessing(); }, true},
        {"process", [&] { return run(0, 64, none, out) == CLAP_PROCESS_CONTINUE; }, true},
        {"process off the audio thread",
         [&] { return onOtherThread([&] { return run(0, 64, none, out, false) != 0; }); }, false},
        {"deactivate while processing is refused",
         [&] { return plugin->deactivate(plugin), run(0, 64, none, out) != 0; }, true},
        {"save the state off the main thread",
         [&]
         {
             std::vector<std::uint8_t> bytes;
             return onOtherThread([&] { return saveState(host, bytes, 64); }, true);
         },
         false},
        {"stop, then process",
         [&]
         {
             AudioThreadScope audio;
             plugin->stop_processing(plugin);
             return run(0, 64, none, out) != 0;
         },
         false},
    };
    for (const Step& step : steps)
        EXPECT_EQ(step.call(), step.expected) << step.what;
    // Destroyed while still active: the instance winds itself down.
}

TEST_F(ClapPluginTest, ParametersAreTheTableWithItsTextsReadBack)
{
    ASSERT_EQ(params->count(plugin), static_cast<std::uint32_t>(kNumParams));
    for (clap_id id = 0; id < kNumParams; ++id)
    {
        const ParameterInfo& row = kParameterTable[id];
        clap_param_info_t info{};
        ASSERT_TRUE(params->get_info(plugin, id, &info));
        EXPECT_EQ(info.id, id);
        EXPECT_STREQ(info.name, row.name);
        const bool list = row.kind == ParameterKind::List;
        EXPECT_EQ(info.max_value, list ? row.entryCount - 1 : 1.0) << row.name;
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, row.kind != ParameterKind::Continuous);
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_ENUM) != 0, list);
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_HIDDEN) != 0, id == 19 || id == 20);
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_BYPASS) != 0, id == kBypass);
        EXPECT_TRUE(info.flags & CLAP_PARAM_IS_AUTOMATABLE);
        EXPECT_EQ(info.default_value, value(id)) << row.name;
        // Every position of a stepped parameter, and a spread of a continuous one: the text is
        // the one the other formats show, and reads back to the same value.
        const int steps = list ? row.entryCount - 1 : 10;
        for (int s = 0; s <= steps; ++s)
        {
            const double v = info.max_value * s / steps;
            char text[64], expected[64];
            ASSERT_TRUE(params->value_to_text(plugin, id, v, text, sizeof text));
            const float normalised =
                list ? row.entries[s].value
                     : static_cast<float>(row.kind == ParameterKind::Toggle ? std::round(v) : v);
            parameterValueText(static_cast<std::int32_t>(id), normalised, expected, 64);
            EXPECT_STREQ(text, expected) << row.name << " at " << v;
            double back = -1.0;
            ASSERT_TRUE(params->text_to_value(plugin, id, text, &back)) << text;
            char again[64];
            params->value_to_text(plugin, id, back, again, sizeof again);
            EXPECT_STREQ(again, text) << row.name;
        }
    }
    double v = 0.0;
    char text[8];
    EXPECT_FALSE(params->get_value(plugin, kNumParams, &v));
    EXPECT_FALSE(params->value_to_text(plugin, kThreshold, NAN, text, sizeof text));
    EXPECT_FALSE(params->text_to_value(plugin, kScFilterType, "7 dB/oct", &v));
}

// Each case: one block with its events, against the same signal processed in pieces that start
// at each event's frame; and against the events one frame later, which must sound different.
TEST_F(ClapPluginTest, ParameterEventsApplyAtTheirFrame)
{
    struct Event
    {
        std::uint32_t frame;
        std::int32_t id;
        double value;
    };
    std::vector<Event> many;
    for (std::uint32_t f = 0; f < 600; ++f)
        many.push_back({f + 100, kThreshold, (f % 2) ? 0.1 : 0.9});
    const std::vector<std::vector<Event>> cases = {
        {{300, kBypass, 1.0}},
        {{400, kMakeUpGain, 0.9}},
        {{1023, kDryMix, 0.2}},
        {{200, kThreshold, 0.1}, {200, kDryMix, 0.5}, {700, kBypass, 1.0}},
        many, // more than the plug-in takes per piece
    };
    auto render = [&](const std::vector<Event>& events, std::uint32_t shift, bool pieces)
    {
        ClapTestHost own;
        std::string error;
        EXPECT_TRUE(own.open(library(), error));
        plugin = own.plugin();
        EXPECT_TRUE(activate() && startProcessing());
        std::vector<float> whole[2], out[2];
        std::uint32_t at = 0;
        EventList list;
        for (size_t k = 0; k <= events.size(); ++k)
        {
            const std::uint32_t next = k < events.size() ? events[k].frame + shift : 1024;
            if (pieces && next > at)
            {
                EXPECT_EQ(run(at, next - at, list, out), CLAP_PROCESS_CONTINUE);
                for (int c = 0; c < 2; ++c)
                    whole[c].insert(whole[c].end(), out[c].begin(), out[c].end());
                list.clear();
                at = next;
            }
            if (k < events.size())
                list.addValue(next - at, static_cast<clap_id>(events[k].id), events[k].value);
        }
        if (!pieces)
        {
            EXPECT_EQ(run(0, 1024, list, whole), CLAP_PROCESS_CONTINUE);
        }
        AudioThreadScope audio;
        plugin->stop_processing(plugin);
        plugin->deactivate(plugin);
        plugin = host.plugin();
        return whole[0];
    };
    for (size_t c = 0; c < cases.size(); ++c)
    {
        const std::vector<float> block = render(cases[c], 0, false);
        EXPECT_EQ(block, render(cases[c], 0, true)) << "case " << c;
        EXPECT_NE(block, render(cases[c], 1, false)) << "case " << c;
    }
}

TEST_F(ClapPluginTest, StateThroughOneByteStreamsRestoresEverything)
{
    setFromHost(kThreshold, 0.123);
    setFromHost(kScFilterType, 2.0);
    setFromHost(kDelta, 1.0);
    std::vector<std::uint8_t> saved;
    ASSERT_TRUE(saveState(host, saved, 1));

    ClapTestHost other;
    std::string error;
    ASSERT_TRUE(other.open(library(), error));
    ASSERT_TRUE(loadState(other, saved, 1));
    EXPECT_EQ(other.rescans, 1);
    std::vector<std::uint8_t> again;
    ASSERT_TRUE(saveState(other, again, 7));
    EXPECT_EQ(again, saved);
    const auto* otherParams = other.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    for (clap_id id = 0; id < kNumParams; ++id)
    {
        double v = -1.0;
        otherParams->get_value(other.plugin(), id, &v);
        EXPECT_EQ(v, value(id)) << id;
    }
}

namespace
{
// A stream that answers `script` call by call (a count of bytes to give, or -1), then the end.
struct ScriptedStream
{
    std::vector<std::uint8_t> bytes;
    std::vector<std::int64_t> script;
    size_t call = 0, position = 0;
    static std::int64_t CLAP_ABI read(const clap_istream_t* s, void* to, std::uint64_t size)
    {
        auto& self = *static_cast<ScriptedStream*>(s->ctx);
        if (self.call >= self.script.size()) return 0;
        const std::int64_t n = self.script[self.call++];
        if (n <= 0) return n;
        const auto copied = std::min<std::uint64_t>(
            {static_cast<std::uint64_t>(n), size, self.bytes.size() - self.position});
        std::memcpy(to, self.bytes.data() + self.position, copied);
        self.position += copied;
        return n;
    }
};
} // namespace

TEST_F(ClapPluginTest, AHostileStateIsRefusedAndChangesNothing)
{
    setFromHost(kThreshold, 0.77);
    std::vector<std::uint8_t> good, before, after;
    ASSERT_TRUE(saveState(host, good, 4096));
    before = good;
    std::vector<std::uint8_t> flipped = good, longer = good, huge(1 << 20, 0);
    flipped[500] ^= 1;
    longer.push_back(0);
    const auto size = static_cast<std::int64_t>(good.size());
    struct Case
    {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::vector<std::int64_t> script;
    } cases[] = {
        {"empty", {}, {}},
        {"cut short", good, {size - 1}},
        {"one byte too many", longer, {size + 1}},
        {"a byte changed", flipped, {size}},
        {"a megabyte", huge, std::vector<std::int64_t>(1024, 1024)},
        {"an error half way", good, {100, -1}},
        {"more bytes claimed than asked for", good, {size + 5000}},
    };
    const auto* state = host.extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    for (Case& c : cases)
    {
        ScriptedStream stream{c.bytes, c.script};
        const clap_istream_t in{&stream, ScriptedStream::read};
        EXPECT_FALSE(state->load(plugin, &in)) << c.what;
        ASSERT_TRUE(saveState(host, after, 4096));
        EXPECT_EQ(after, before) << c.what;
    }
    EXPECT_EQ(host.rescans, 0);
}

// The host hears of every value it did not set itself: the switches an interlock turned off.
TEST_F(ClapPluginTest, ValuesTheEffectChangedItselfAreReportedToTheHost)
{
    setFromHost(kBypass, 1.0);
    host.sent.clear();
    setFromHost(kDelta, 1.0);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0].type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_EQ(host.sent[0].param, kBypass);
    EXPECT_EQ(host.sent[0].value, 0.0);
    host.sent.clear();
    setFromHost(kThreshold, 0.3);
    EXPECT_TRUE(host.sent.empty());
}
