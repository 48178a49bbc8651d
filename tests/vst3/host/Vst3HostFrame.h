#pragma once

#include "Vst3HostObjects.h"
#include "Vst3View.h"

#include <utility>
#include <vector>

// The window frame a view is embedded in, with the run loop Linux hosts offer through it. The
// host's loop is `runFor`: it calls the registered timers when due and the event handlers whose
// descriptors are readable.
class HostFrame : public vst3::IPlugFrame, public vst3::Linux::IRunLoop
{
  public:
    vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override;
    vst3::uint32 VST3_CALL addRef() override { return ++references; }
    vst3::uint32 VST3_CALL release() override { return --references; }

    vst3::tresult VST3_CALL resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;
    vst3::tresult VST3_CALL registerEventHandler(vst3::Linux::IEventHandler* handler,
                                                 vst3::Linux::FileDescriptor fd) override;
    vst3::tresult VST3_CALL unregisterEventHandler(vst3::Linux::IEventHandler* handler) override;
    vst3::tresult VST3_CALL registerTimer(vst3::Linux::ITimerHandler* handler,
                                          vst3::Linux::TimerInterval milliseconds) override;
    vst3::tresult VST3_CALL unregisterTimer(vst3::Linux::ITimerHandler* handler) override;

    void runFor(int milliseconds);

    bool offerRunLoop = true;
    vst3::uint32 references = 1;
    std::vector<vst3::ViewRect> resizes;
    struct Timer
    {
        vst3::Linux::ITimerHandler* handler;
        vst3::Linux::TimerInterval interval;
        double due;
    };
    std::vector<Timer> timers;
    std::vector<std::pair<vst3::Linux::IEventHandler*, int>> eventHandlers;
};
