#include "Lv2Compressor.h"

#include "CompressorEngine.h"
#include "OrvaneEffect.h"

#include <lv2/atom/atom.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace
{
using namespace lv2ports;

// An instance with every port connected to a field here, as a host does.
struct Ports
{
    std::unique_ptr<Lv2Compressor> plugin;
    std::vector<float> audio[4];
    float controls[kNumParams] = {};
    float meters[3] = {};
    float latency = -1.0f;

    explicit Ports(double rate = 48000.0, std::uint32_t frames = 64)
        : plugin(Lv2Compressor::create(rate))
    {
        if (!plugin) return;
        for (std::uint32_t p = 0; p < 4; ++p)
        {
            audio[p].resize(frames);
            for (std::uint32_t i = 0; i < frames; ++i)
                audio[p][i] = 0.5f * static_cast<float>(std::sin(0.1 * i));
            plugin->connect(p, audio[p].data());
        }
        for (std::int32_t i = 0; i < kNumParams; ++i)
            plugin->connect(parameterPort(i), &controls[i]);
        for (std::uint32_t m = 0; m < 3; ++m)
            plugin->connect(kGain + m, &meters[m]);
        plugin->connect(kLatency, &latency);
    }
    void run() { plugin->run(static_cast<std::uint32_t>(audio[0].size())); }
};

TEST(Lv2Compressor, RefusesRatesTheEffectCannotRun)
{
    for (double rate : {0.0, 999.0, 768001.0, std::nan("")})
        EXPECT_FALSE(Lv2Compressor::create(rate)) << rate;
    for (double rate : {1000.0, 44100.0, 768000.0})
        EXPECT_TRUE(Lv2Compressor::create(rate)) << rate;
}

// The latency port carries what the effect reports once resumed, again after a deactivation;
// the meter ports carry the effect's readings.
TEST(Lv2Compressor, ReportsLatencyAndMeters)
{
    Ports ports(44100.0, 4410);
    ports.controls[kThreshold] = 1.0f;
    ports.controls[kRatio] = 0.4f;
    ports.plugin->activate();
    ports.run();
    EXPECT_EQ(ports.latency, 151.0f);
    EXPECT_LT(ports.meters[0], 1.0f); // a -6 dB sine against a -50 dB threshold is reduced
    EXPECT_GT(ports.meters[1], -100.0f);
    ports.plugin->deactivate();
    ports.plugin->activate();
    ports.run();
    EXPECT_EQ(ports.latency, 151.0f);
}

// Ports are applied when they change, so the effect's exclusive switches keep the last one
// switched on, as in the VST 2.4 build; a port that stays where it was does not switch a forced
// parameter on again, and non-finite values are ignored.
TEST(Lv2Compressor, AppliesPortsWhenTheyChange)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<std::int32_t, float>> firstRun, secondRun;
        bool bypassed;
    };
    const std::vector<Case> cases = {
        {"bypass on", {{kBypass, 1.0f}}, {}, true},
        {"delta after bypass", {{kBypass, 1.0f}}, {{kDelta, 1.0f}}, false},
        {"bypass after delta", {{kDelta, 1.0f}}, {{kBypass, 1.0f}}, true},
        {"both at once: index order", {{kDelta, 1.0f}, {kBypass, 1.0f}}, {}, true},
        {"preview after bypass", {{kBypass, 1.0f}}, {{kScPreview, 0.6f}}, false},
        {"NaN ignored", {{kBypass, 1.0f}}, {{kBypass, NAN}}, true},
    };
    for (const Case& c : cases)
    {
        Ports ports(44100.0, 400);
        ports.plugin->activate();
        for (const auto& [index, value] : c.firstRun)
            ports.controls[index] = value;
        ports.run();
        for (const auto& [index, value] : c.secondRun)
            ports.controls[index] = value;
        ports.run();
        ports.run();
        // Bypassed, the output is the input delayed by the latency; the buffers repeat each run.
        const auto& out = ports.audio[kAudioOut];
        const float delayed = ports.audio[kAudioIn][out.size() - 1 - 151];
        EXPECT_EQ(out.back() == delayed, c.bypassed) << c.what << ": output " << out.back();
    }
}

// What the user interface shows before the first meter values arrive is what a suspended
// effect publishes.
TEST(Lv2Ports, MeterIdleValuesAreTheSuspendedEffects)
{
    const OrvaneEffect effect(std::make_unique<CompressorEngine>());
    for (const auto& meter : kMeterPorts)
        EXPECT_EQ(effect.meterValue(meter.value), meter.idle) << meter.symbol;
}

TEST(Lv2Ports, SymbolsAreUniqueIdentifiers)
{
    std::set<std::string> seen = {"in_left", "in_right", "out_left", "out_right", "latency"};
    for (const auto& meter : kMeterPorts)
        seen.insert(meter.symbol);
    const std::regex identifier("[a-z_][a-z0-9_]*");
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        const std::string symbol = parameterSymbol(i);
        EXPECT_TRUE(std::regex_match(symbol, identifier)) << symbol;
        EXPECT_TRUE(seen.insert(symbol).second) << symbol << " twice";
    }
    EXPECT_EQ(parameterSymbol(kScFilterFreq), "sc_filter_freq");
    EXPECT_EQ(parameterSymbol(kUnused20), "unused_20");
}

// A host's URID map and its state store, kept in memory.
struct StateHost
{
    std::map<std::string, LV2_URID> uris;
    std::map<LV2_URID, std::pair<std::vector<std::uint8_t>, std::uint32_t>> saved;
    LV2_URID_Map map{
        this,
        [](LV2_URID_Map_Handle h, const char* uri) -> LV2_URID
        {
            auto& uris = static_cast<StateHost*>(h)->uris;
            return uris.emplace(uri, static_cast<LV2_URID>(uris.size() + 1)).first->second;
        }};
    LV2_Feature mapFeature{LV2_URID__map, &map};
    const LV2_Feature* features[2] = {&mapFeature, nullptr};

    static LV2_State_Status store(LV2_State_Handle h, std::uint32_t key, const void* value,
                                  std::size_t size, std::uint32_t type, std::uint32_t)
    {
        const auto* bytes = static_cast<const std::uint8_t*>(value);
        static_cast<StateHost*>(h)->saved[key] = {{bytes, bytes + size}, type};
        return LV2_STATE_SUCCESS;
    }
    static const void* retrieve(LV2_State_Handle h, std::uint32_t key, std::size_t* size,
                                std::uint32_t* type, std::uint32_t* flags)
    {
        auto& saved = static_cast<StateHost*>(h)->saved;
        const auto found = saved.find(key);
        if (found == saved.end()) return nullptr;
        *size = found->second.first.size();
        *type = found->second.second;
        *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
        return found->second.first.data();
    }
};

// What a saved session restores: the values of every program, the current one and the names,
// which LV2 ports alone cannot carry. The second instance's own state then equals the first's.
TEST(Lv2State, RestoresInAnotherInstance)
{
    StateHost host, restored;
    Ports ports;
    ports.plugin = Lv2Compressor::create(48000.0, host.features);
    for (std::int32_t i = 0; i < kNumParams; ++i)
        ports.plugin->connect(parameterPort(i), &ports.controls[i]);
    ports.controls[kThreshold] = 0.25f;
    ports.run();
    ASSERT_EQ(ports.plugin->save(StateHost::store, &host), LV2_STATE_SUCCESS);
    ASSERT_EQ(host.saved.size(), 1u);

    auto second = Lv2Compressor::create(48000.0, host.features);
    EXPECT_EQ(second->restore(StateHost::retrieve, &host), LV2_STATE_SUCCESS);
    ASSERT_EQ(second->save(StateHost::store, &restored), LV2_STATE_SUCCESS);
    EXPECT_EQ(restored.saved, host.saved);
}

// A state this build cannot read, of the wrong type, missing, or a host without a URID map: the
// restore fails and the instance keeps what it had.
TEST(Lv2State, RefusesWhatItCannotRead)
{
    StateHost host, after;
    auto plugin = Lv2Compressor::create(48000.0, host.features);
    ASSERT_EQ(plugin->save(StateHost::store, &host), LV2_STATE_SUCCESS);

    StateHost garbled = host, wrongType = host, empty;
    garbled.saved.begin()->second.first[20] ^= 0x10;
    wrongType.saved.begin()->second.second += 1;
    EXPECT_EQ(plugin->restore(StateHost::retrieve, &garbled), LV2_STATE_ERR_UNKNOWN);
    EXPECT_EQ(plugin->restore(StateHost::retrieve, &wrongType), LV2_STATE_ERR_BAD_TYPE);
    EXPECT_EQ(plugin->restore(StateHost::retrieve, &empty), LV2_STATE_ERR_NO_PROPERTY);
    EXPECT_EQ(Lv2Compressor::create(48000.0)->save(StateHost::store, &empty),
              LV2_STATE_ERR_NO_FEATURE);

    ASSERT_EQ(plugin->save(StateHost::store, &after), LV2_STATE_SUCCESS);
    EXPECT_EQ(after.saved, host.saved);
}
} // namespace
