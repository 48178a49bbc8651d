#pragma once

#include "SystemIdleTimer.h"
#include "Vst3Object.h"
#include "Vst3View.h"

#include <memory>

class Vst3Plugin;

// The plug-in's editor as the host embeds it: the plug-in's one editor, opened in the host's
// window while attached. Its idle runs on a timer: the host's run loop on Linux (with the
// editor's X11 connection watched too, so input is answered at once), the system's on Windows.
// No thread of our own. The view keeps its plug-in alive.
class Vst3EditorView final : public vst3::IPlugView,
                             public vst3::IPlugViewContentScaleSupport,
                             public vst3::Linux::ITimerHandler,
                             public vst3::Linux::IEventHandler
{
    VST3_REFCOUNTED_OBJECT

  public:
    static constexpr vst3::Linux::TimerInterval kIdleIntervalMs = 16;

    explicit Vst3EditorView(Vst3Plugin& plugin);

    vst3::tresult VST3_CALL isPlatformTypeSupported(vst3::FIDString type) override;
    vst3::tresult VST3_CALL attached(void* parent, vst3::FIDString type) override;
    vst3::tresult VST3_CALL removed() override;
    vst3::tresult VST3_CALL onWheel(float) override { return vst3::kResultFalse; }
    vst3::tresult VST3_CALL onKeyDown(vst3::char16, vst3::int16, vst3::int16) override
    {
        return vst3::kResultFalse;
    }
    vst3::tresult VST3_CALL onKeyUp(vst3::char16, vst3::int16, vst3::int16) override
    {
        return vst3::kResultFalse;
    }
    vst3::tresult VST3_CALL getSize(vst3::ViewRect* size) override;
    vst3::tresult VST3_CALL onSize(vst3::ViewRect* newSize) override;
    vst3::tresult VST3_CALL onFocus(vst3::TBool) override { return vst3::kResultOk; }
    vst3::tresult VST3_CALL setFrame(vst3::IPlugFrame* frame) override;
    vst3::tresult VST3_CALL canResize() override { return vst3::kResultFalse; }
    vst3::tresult VST3_CALL checkSizeConstraint(vst3::ViewRect* rect) override;

    vst3::tresult VST3_CALL setContentScaleFactor(ScaleFactor factor) override;

    void VST3_CALL onTimer() override;
    void VST3_CALL onFDIsSet(vst3::Linux::FileDescriptor) override;

    // The editor asks for a new size after a scale change.
    bool requestSize(vst3::int32 width, vst3::int32 height);

  private:
    ~Vst3EditorView();
    vst3::tresult findInterface(const vst3::TUID iid, void** obj);
    bool startIdle();
    void stopIdle();
    static void systemTick(void* view);

    Vst3Plugin& plugin;
    vst3::IPlugFrame* frame = nullptr;
    vst3::Linux::IRunLoop* runLoop = nullptr;
    bool watchingEvents = false;
    std::unique_ptr<SystemIdleTimer> systemTimer;
    bool isAttached = false;
};
