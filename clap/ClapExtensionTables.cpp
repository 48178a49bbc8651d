#include "ClapCompressor.h"
#include "ClapParameterValues.h"
#include "ClapTables.h"
#include "ParameterText.h"
#include "ParameterTextInput.h"
#include "StringCopy.h"

#include <cstring>

// The C tables: each entry finds its instance and forwards. A null plug-in or argument is
// answered as a refusal, never followed.
namespace
{
ClapCompressor* self(const clap_plugin_t* plugin)
{
    return ClapCompressor::from(plugin);
}

// ---- audio-ports: one stereo main input and output, either sample size, in place allowed.
std::uint32_t CLAP_ABI portCount(const clap_plugin_t*, bool)
{
    return 1;
}

bool CLAP_ABI portInfo(const clap_plugin_t*, std::uint32_t index, bool isInput,
                       clap_audio_port_info_t* info)
{
    if (index != 0 || !info) return false;
    *info = clap_audio_port_info_t{};
    info->id = 0;
    copyString(info->name, isInput ? "Stereo In" : "Stereo Out", CLAP_NAME_SIZE - 1);
    info->flags = CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS |
                  CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE;
    info->channel_count = 2;
    info->port_type = CLAP_PORT_STEREO;
    info->in_place_pair = 0;
    return true;
}

const clap_plugin_audio_ports_t kAudioPorts = {portCount, portInfo};

// ---- params
std::uint32_t CLAP_ABI paramCount(const clap_plugin_t*)
{
    return kNumParams;
}

bool CLAP_ABI paramInfo(const clap_plugin_t*, std::uint32_t index, clap_param_info_t* info)
{
    return info && clapvalues::describe(index, *info);
}

bool CLAP_ABI paramValue(const clap_plugin_t* plugin, clap_id id, double* value)
{
    ClapCompressor* p = self(plugin);
    return p && value && p->parameterValue(id, *value);
}

bool CLAP_ABI valueToText(const clap_plugin_t*, clap_id id, double value, char* text,
                          std::uint32_t capacity)
{
    float normalised = 0.0f;
    return text && capacity > 0 && clapvalues::toNormalised(id, value, normalised) &&
           parameterValueText(static_cast<std::int32_t>(id), normalised, text, capacity);
}

bool CLAP_ABI textToValue(const clap_plugin_t*, clap_id id, const char* text, double* value)
{
    float normalised = 0.0f;
    if (!text || !value || !clapvalues::isParameterId(id) ||
        !parameterValueFromText(static_cast<std::int32_t>(id), text, normalised))
        return false;
    *value = clapvalues::toClap(id, normalised);
    return true;
}

void CLAP_ABI paramFlush(const clap_plugin_t* plugin, const clap_input_events_t* in,
                         const clap_output_events_t* out)
{
    if (ClapCompressor* p = self(plugin)) p->flush(in, out);
}

const clap_plugin_params_t kParams = {paramCount,  paramInfo,   paramValue,
                                      valueToText, textToValue, paramFlush};

// ---- state
bool CLAP_ABI stateSave(const clap_plugin_t* plugin, const clap_ostream_t* stream)
{
    ClapCompressor* p = self(plugin);
    return p && stream && p->saveState(*stream);
}

bool CLAP_ABI stateLoad(const clap_plugin_t* plugin, const clap_istream_t* stream)
{
    ClapCompressor* p = self(plugin);
    return p && stream && p->loadState(*stream);
}

const clap_plugin_state_t kState = {stateSave, stateLoad};

// ---- latency: the look-ahead, whatever the rate.
std::uint32_t CLAP_ABI latency(const clap_plugin_t*)
{
    return OrvaneEffect::kLatencyFrames;
}

const clap_plugin_latency_t kLatency = {latency};

// ---- render: offline rendering sounds the same and needs nothing of its own.
bool CLAP_ABI hardRealtime(const clap_plugin_t*)
{
    return false;
}

bool CLAP_ABI setRenderMode(const clap_plugin_t*, clap_plugin_render_mode mode)
{
    return mode == CLAP_RENDER_REALTIME || mode == CLAP_RENDER_OFFLINE;
}

const clap_plugin_render_t kRender = {hardRealtime, setRenderMode};
} // namespace

namespace
{
const void* CLAP_ABI extension(const clap_plugin_t*, const char* id)
{
    if (!id) return nullptr;
    struct Offered
    {
        const char* id;
        const void* table;
    };
    static const Offered offered[] = {
        {CLAP_EXT_AUDIO_PORTS, &kAudioPorts},
        {CLAP_EXT_PARAMS, &kParams},
        {CLAP_EXT_STATE, &kState},
        {CLAP_EXT_LATENCY, &kLatency},
        {CLAP_EXT_RENDER, &kRender},
    };
    for (const Offered& o : offered)
        if (std::strcmp(id, o.id) == 0) return o.table;
    return clapGuiExtension(id);
}

// ---- the plug-in's own calls
bool CLAP_ABI init(const clap_plugin_t* plugin)
{
    ClapCompressor* p = self(plugin);
    return p && p->init();
}

void CLAP_ABI destroy(const clap_plugin_t* plugin)
{
    delete self(plugin);
}

bool CLAP_ABI activate(const clap_plugin_t* plugin, double rate, std::uint32_t minFrames,
                       std::uint32_t maxFrames)
{
    ClapCompressor* p = self(plugin);
    return p && p->activate(rate, minFrames, maxFrames);
}

void CLAP_ABI deactivate(const clap_plugin_t* plugin)
{
    if (ClapCompressor* p = self(plugin)) p->deactivate();
}

bool CLAP_ABI startProcessing(const clap_plugin_t* plugin)
{
    ClapCompressor* p = self(plugin);
    return p && p->startProcessing();
}

void CLAP_ABI stopProcessing(const clap_plugin_t* plugin)
{
    if (ClapCompressor* p = self(plugin)) p->stopProcessing();
}

void CLAP_ABI reset(const clap_plugin_t* plugin)
{
    if (ClapCompressor* p = self(plugin)) p->reset();
}

clap_process_status CLAP_ABI process(const clap_plugin_t* plugin, const clap_process_t* block)
{
    ClapCompressor* p = self(plugin);
    return p && block ? p->process(*block) : CLAP_PROCESS_ERROR;
}

void CLAP_ABI onMainThread(const clap_plugin_t*) {}
} // namespace

void fillPluginCallbacks(clap_plugin_t& record)
{
    record.init = init;
    record.destroy = destroy;
    record.activate = activate;
    record.deactivate = deactivate;
    record.start_processing = startProcessing;
    record.stop_processing = stopProcessing;
    record.reset = reset;
    record.process = process;
    record.get_extension = extension;
    record.on_main_thread = onMainThread;
}
