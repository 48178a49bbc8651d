#pragma once

#include "ClapExtensions.h"
#include "EditEventQueue.h"
#include "EffectEditorAccess.h"
#include "OrvaneEffect.h"

#include <atomic>
#include <cstdint>
#include <memory>

class EmbeddedEditor;
class SystemIdleTimer;

// The effect as one CLAP plug-in instance: the record the host holds, the life cycle the format
// defines, and what the extensions (ClapExtensionTables.cpp) need. The format's thread rules are
// checked through the host's thread-check extension where it offers one; a call on the wrong
// thread or in the wrong state is refused (false, or nothing done), never acted on.
class ClapCompressor : private EditorHost
{
  public:
    enum class Stage
    {
        Created,
        Inactive,
        Active,
        Processing
    };

    // Null when the host record is unusable or memory runs out.
    static const clap_plugin_t* create(const clap_host_t* host);
    static ClapCompressor* from(const clap_plugin_t* plugin);
    ~ClapCompressor() override;

    bool init();
    bool activate(double rate, std::uint32_t minFrames, std::uint32_t maxFrames);
    void deactivate();
    bool startProcessing();
    void stopProcessing();
    void reset();
    clap_process_status process(const clap_process_t& block);

    // Extensions.
    bool parameterValue(clap_id id, double& value) const;
    void flush(const clap_input_events_t* in, const clap_output_events_t* out);
    bool saveState(const clap_ostream_t& stream);
    bool loadState(const clap_istream_t& stream);
    bool createEditor(const char* api, bool floating);
    void destroyEditor();
    bool setEditorScale(double scale);
    bool editorSize(std::uint32_t& width, std::uint32_t& height);
    bool setEditorParent(const clap_window_t& window);
    bool editorOpen() const;
    void timerFired(clap_id id);
    void descriptorReady(int descriptor);

    Stage stage() const { return current.load(std::memory_order_acquire); }
    // True unless the host's thread check says otherwise.
    bool onMainThread() const;
    bool onAudioThread() const;

  private:
    explicit ClapCompressor(const clap_host_t* host);
    void findHostExtensions();
    void applyInputEvents(const clap_input_events_t* in);
    template <typename Sample>
    void processWithEvents(Sample* const* in, Sample* const* out, std::int32_t frames,
                           const clap_input_events_t* events);
    void reportEdits(const clap_output_events_t* out);
    void reportUnknownValues(const clap_output_events_t* out);
    void rememberValuesAsKnown();
    void editorTick();
    void startEditorIdle();
    void stopEditorIdle();

    void parameterEdited(std::int32_t index, float value) override;
    void beginEdit(std::int32_t index) override;
    void endEdit(std::int32_t index) override;
    bool resizeWindow(std::int32_t width, std::int32_t height) override;
    void queueEdit(const EditEventQueue::Edit& edit);

    clap_plugin_t record{};
    const clap_host_t* host;
    const clap_host_thread_check_t* threadCheck = nullptr;
    const clap_host_params_t* hostParams = nullptr;
    const clap_host_gui_t* hostGui = nullptr;
    const clap_host_timer_support_t* hostTimers = nullptr;
    const clap_host_posix_fd_support_t* hostDescriptors = nullptr;
    std::atomic<Stage> current{Stage::Created};

    std::unique_ptr<OrvaneEffect> effect;
    std::unique_ptr<EmbeddedEditor> editor;
    bool editorCreated = false;
    clap_id idleTimer = CLAP_INVALID_ID;
    int watchedDescriptor = -1;
    std::unique_ptr<SystemIdleTimer> systemTimer;

    // The values the host was last told of or told us, normalised: whatever differs from the
    // effect's own is reported back (the switches an edit forces off, a loaded state).
    std::atomic<float> hostKnows[kNumParams];
    EditEventQueue edits;
    static constexpr int kChangeCapacity = 256;
    ParameterChange changes[kChangeCapacity];
};
