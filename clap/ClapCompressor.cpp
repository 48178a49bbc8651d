#include "ClapCompressor.h"

#include "ClapParameterValues.h"
#include "ClapTables.h"
#include "CompressorEngine.h"
#include "EmbeddedEditor.h"
#include "SystemIdleTimer.h"

#include <cmath>
#include <new>

namespace
{
template <typename Extension>
const Extension* hostExtension(const clap_host_t* host, const char* id)
{
    return host->get_extension ? static_cast<const Extension*>(host->get_extension(host, id))
                               : nullptr;
}
} // namespace

const clap_plugin_t* ClapCompressor::create(const clap_host_t* host)
{
    if (!host || !clap_version_is_compatible(host->clap_version)) return nullptr;
    try
    {
        return &(new ClapCompressor(host))->record;
    }
    catch (...)
    {
        return nullptr;
    }
}

ClapCompressor* ClapCompressor::from(const clap_plugin_t* plugin)
{
    return plugin ? static_cast<ClapCompressor*>(plugin->plugin_data) : nullptr;
}

// The effect exists from the start, so every query a host makes before init has an answer;
// the host's extensions are only looked for in init, as the format asks.
ClapCompressor::ClapCompressor(const clap_host_t* h)
    : host(h), effect(std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>()))
{
    record.desc = &clapDescriptor();
    record.plugin_data = this;
    fillPluginCallbacks(record);
    editor = std::make_unique<EmbeddedEditor>(*effect, static_cast<EditorHost&>(*this));
    rememberValuesAsKnown();
}

// A host may destroy an instance it left active, or with its editor open.
ClapCompressor::~ClapCompressor()
{
    stopEditorIdle();
    editor.reset();
    effect->suspend();
}

void ClapCompressor::findHostExtensions()
{
    threadCheck = hostExtension<clap_host_thread_check_t>(host, CLAP_EXT_THREAD_CHECK);
    if (threadCheck && (!threadCheck->is_main_thread || !threadCheck->is_audio_thread))
        threadCheck = nullptr;
    hostParams = hostExtension<clap_host_params_t>(host, CLAP_EXT_PARAMS);
    hostGui = hostExtension<clap_host_gui_t>(host, CLAP_EXT_GUI);
    hostTimers = hostExtension<clap_host_timer_support_t>(host, CLAP_EXT_TIMER_SUPPORT);
    hostDescriptors = hostExtension<clap_host_posix_fd_support_t>(host, CLAP_EXT_POSIX_FD_SUPPORT);
}

bool ClapCompressor::onMainThread() const
{
    return !threadCheck || threadCheck->is_main_thread(host);
}

bool ClapCompressor::onAudioThread() const
{
    return !threadCheck || threadCheck->is_audio_thread(host);
}

bool ClapCompressor::init()
{
    if (stage() != Stage::Created || !onMainThread()) return false;
    findHostExtensions();
    current.store(Stage::Inactive, std::memory_order_release);
    return true;
}

// The rate reaches the effect as a float, as a VST 2.4 host hands it over, so both formats
// design the engine for the same rate. Nothing is sized by the block bounds.
bool ClapCompressor::activate(double rate, std::uint32_t, std::uint32_t)
{
    if (stage() != Stage::Inactive || !onMainThread()) return false;
    const float hostRate = static_cast<float>(rate);
    if (!(hostRate >= OrvaneEffect::kMinSampleRate && hostRate <= OrvaneEffect::kMaxSampleRate))
        return false;
    if (!effect->setSampleRate(hostRate)) return false;
    effect->resume();
    current.store(Stage::Active, std::memory_order_release);
    return true;
}

// Refused while processing: the audio thread may still be inside process.
void ClapCompressor::deactivate()
{
    if (stage() != Stage::Active || !onMainThread()) return;
    effect->suspend();
    current.store(Stage::Inactive, std::memory_order_release);
}

bool ClapCompressor::startProcessing()
{
    if (!onAudioThread()) return false;
    if (stage() == Stage::Processing) return true;
    if (stage() != Stage::Active) return false;
    current.store(Stage::Processing, std::memory_order_release);
    return true;
}

void ClapCompressor::stopProcessing()
{
    if (stage() == Stage::Processing && onAudioThread())
        current.store(Stage::Active, std::memory_order_release);
}

// Forgets the signal's history (the detector, the feedback loop, the bypass delay), keeps the
// parameters.
void ClapCompressor::reset()
{
    const Stage now = stage();
    if ((now != Stage::Active && now != Stage::Processing) || !onAudioThread()) return;
    effect->suspend();
    effect->resume();
}

bool ClapCompressor::parameterValue(clap_id id, double& value) const
{
    if (id >= static_cast<clap_id>(kNumParams)) return false;
    value = clapvalues::toClap(id, effect->getParameter(static_cast<std::int32_t>(id)));
    return true;
}

void ClapCompressor::rememberValuesAsKnown()
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
        hostKnows[i].store(effect->getParameter(i), std::memory_order_relaxed);
}

// The editor's edits, on the user-interface thread: queued for the thread that reports them,
// and the host asked for a flush so they reach it when it is not processing too.
void ClapCompressor::parameterEdited(std::int32_t index, float value)
{
    queueEdit({EditEventQueue::Kind::Value, index, value});
}

void ClapCompressor::beginEdit(std::int32_t index)
{
    queueEdit({EditEventQueue::Kind::Begin, index, 0.0f});
}

void ClapCompressor::endEdit(std::int32_t index)
{
    queueEdit({EditEventQueue::Kind::End, index, 0.0f});
}

void ClapCompressor::queueEdit(const EditEventQueue::Edit& edit)
{
    edits.push(edit);
    if (hostParams && hostParams->request_flush) hostParams->request_flush(host);
}

bool ClapCompressor::resizeWindow(std::int32_t width, std::int32_t height)
{
    return hostGui && hostGui->request_resize && width > 0 && height > 0 &&
           hostGui->request_resize(host, static_cast<std::uint32_t>(width),
                                   static_cast<std::uint32_t>(height));
}
