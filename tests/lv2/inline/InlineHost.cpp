#include "InlineHost.h"

#include "drawing/PixelImage.h"

#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>

namespace
{
constexpr const char* kPluginUri = "http://www.quenmoor.com/orvane-feedback-compressor";
} // namespace

InlineHost::InlineHost(const std::string& bundleDir, double sampleRate) : rate(sampleRate)
{
    world = lilv_world_new();
    const std::string path = bundleDir.back() == '/' ? bundleDir : bundleDir + "/";
    LilvNode* bundle = lilv_new_file_uri(world, nullptr, path.c_str());
    lilv_world_load_bundle(world, bundle);
    lilv_node_free(bundle);
    LilvNode* uri = lilv_new_uri(world, kPluginUri);
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    lilv_node_free(uri);
    if (!plugin)
    {
        problem = "no plug-in " + std::string(kPluginUri) + " in " + bundleDir;
        return;
    }
    static LV2_URID_Map mapData;
    mapData = {this, map};
    static ardourlv2::QueueDraw queueData;
    queueData = {this, queueDraw};
    const LV2_Feature mapFeature = {LV2_URID__map, &mapData};
    const LV2_Feature queueFeature = {ardourlv2::kQueueDraw, &queueData};
    const LV2_Feature* features[] = {&mapFeature, &queueFeature, nullptr};
    instance = lilv_plugin_instantiate(plugin, rate, features);
    if (!instance)
    {
        problem = "the plug-in refused to instantiate";
        return;
    }
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    controls.resize(ports, 0.0f);
    std::vector<float> defaults(ports);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    LilvNode* controlClass = lilv_new_uri(world, LV2_CORE__ControlPort);
    LilvNode* inputClass = lilv_new_uri(world, LV2_CORE__InputPort);
    for (int c = 0; c < 2; ++c)
    {
        in[c].resize(kBlock);
        out[c].resize(kBlock);
    }
    int audioIn = 0, audioOut = 0;
    for (uint32_t p = 0; p < ports; ++p)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
        const bool input = lilv_port_is_a(plugin, port, inputClass);
        if (lilv_port_is_a(plugin, port, controlClass))
        {
            controls[p] = std::isnan(defaults[p]) ? 0.0f : defaults[p];
            controlPorts[lilv_node_as_string(lilv_port_get_symbol(plugin, port))] = p;
            lilv_instance_connect_port(instance, p, &controls[p]);
        }
        else if (input && audioIn < 2)
            lilv_instance_connect_port(instance, p, in[audioIn++].data());
        else if (!input && audioOut < 2)
            lilv_instance_connect_port(instance, p, out[audioOut++].data());
    }
    lilv_node_free(controlClass);
    lilv_node_free(inputClass);
    display = static_cast<const ardourlv2::InlineDisplayInterface*>(
        lilv_instance_get_extension_data(instance, ardourlv2::kInlineDisplayInterface));
    lilv_instance_activate(instance);
}

InlineHost::~InlineHost()
{
    if (instance)
    {
        lilv_instance_deactivate(instance);
        lilv_instance_free(instance);
    }
    lilv_world_free(world);
}

std::uint32_t InlineHost::map(void* handle, const char* uri)
{
    auto& uris = static_cast<InlineHost*>(handle)->uris;
    const auto found = uris.find(uri);
    if (found != uris.end()) return found->second;
    const auto id = static_cast<std::uint32_t>(uris.size() + 1);
    uris.emplace(uri, id);
    return id;
}

void InlineHost::queueDraw(void* handle)
{
    static_cast<InlineHost*>(handle)->requests.fetch_add(1);
}

void InlineHost::set(const std::string& symbol, float value)
{
    const auto found = controlPorts.find(symbol);
    if (found != controlPorts.end()) controls[found->second] = value;
}

float InlineHost::sample(Signal signal)
{
    const double t = static_cast<double>(position) / rate;
    double level = 0.0;
    if (signal == Signal::Quiet) level = 0.01;
    if (signal == Signal::Loud) level = 0.5;
    if (signal == Signal::Bursts) level = std::fmod(t, 0.5) < 0.25 ? 0.5 : 0.01;
    return static_cast<float>(level * std::sin(2.0 * M_PI * 1000.0 * t));
}

void InlineHost::runBlock(Signal signal)
{
    for (std::uint32_t i = 0; i < kBlock; ++i, ++position)
        in[0][i] = in[1][i] = sample(signal);
    lilv_instance_run(instance, kBlock);
}

void InlineHost::play(Signal signal, double seconds)
{
    const auto blocks = static_cast<long>(seconds * rate / kBlock);
    for (long b = 0; b < blocks; ++b)
        runBlock(signal);
}

const ardourlv2::ImageSurface* InlineHost::render(std::uint32_t width, std::uint32_t maxHeight)
{
    return display ? display->render(lilv_instance_get_handle(instance), width, maxHeight)
                   : nullptr;
}

PixelImage surfaceImage(const ardourlv2::ImageSurface& s)
{
    PixelImage image(s.width, s.height);
    for (int y = 0; y < s.height; ++y)
        std::memcpy(image.data() + static_cast<std::size_t>(y) * s.width,
                    s.data + static_cast<std::size_t>(y) * s.stride, s.width * 4u);
    return image;
}

// Normalised values: Threshold runs 0 to -50 dB, Ratio 1:1 to 3:1 up to 0.8 and 8:1 at the top,
// Knee 0 to 20 dB, Make Up 0 dB at 0.5 and 3.6 dB at 0.6, Meter Scale 6 dB at 0 and 24 dB at 0.5.
void applyLook(InlineHost& host, Look look)
{
    const bool gentle = look == Look::Gentle;
    host.set("threshold", gentle ? 0.4f : 0.6f);
    host.set("ratio", gentle ? 0.4f : 1.0f);
    host.set("knee", gentle ? 0.5f : 0.0f);
    host.set("make_up_gain", gentle ? 0.5f : 0.6f);
    host.set("meter_scale", gentle ? 0.0f : 0.5f);
    host.set("enable", look == Look::Bypass ? 0.0f : 1.0f);
}
