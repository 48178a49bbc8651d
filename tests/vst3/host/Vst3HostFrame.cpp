#include "Vst3HostFrame.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace vst3;

namespace
{
double nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

tresult HostFrame::queryInterface(const TUID iid, void** obj)
{
    if (!obj) return kInvalidArgument;
    *obj = nullptr;
    if (iid && (FUnknown::iid.matches(iid) || IPlugFrame::iid.matches(iid)))
        *obj = static_cast<IPlugFrame*>(this);
    else if (iid && offerRunLoop && Linux::IRunLoop::iid.matches(iid))
        *obj = static_cast<Linux::IRunLoop*>(this);
    if (!*obj) return kNoInterface;
    ++references;
    return kResultOk;
}

tresult HostFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize) return kInvalidArgument;
    resizes.push_back(*newSize);
    view->onSize(newSize);
    return kResultOk;
}

tresult HostFrame::registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd)
{
    if (!handler || fd < 0) return kInvalidArgument;
    eventHandlers.emplace_back(handler, fd);
    return kResultOk;
}

tresult HostFrame::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto before = eventHandlers.size();
    eventHandlers.erase(std::remove_if(eventHandlers.begin(), eventHandlers.end(),
                                       [&](const auto& h) { return h.first == handler; }),
                        eventHandlers.end());
    return eventHandlers.size() < before ? kResultOk : kInvalidArgument;
}

tresult HostFrame::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0) return kInvalidArgument;
    timers.push_back({handler, milliseconds, nowMs() + static_cast<double>(milliseconds)});
    return kResultOk;
}

tresult HostFrame::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto before = timers.size();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.handler == handler; }),
                 timers.end());
    return timers.size() < before ? kResultOk : kInvalidArgument;
}

// A host's loop in miniature: wait for a descriptor or the next timer, whichever comes first.
void HostFrame::runFor(int milliseconds)
{
    const double end = nowMs() + milliseconds;
    for (double now = nowMs(); now < end; now = nowMs())
    {
        double next = end;
        for (const Timer& t : timers)
            next = std::min(next, t.due);
        std::vector<pollfd> fds;
        for (const auto& h : eventHandlers)
            fds.push_back({h.second, POLLIN, 0});
        const int wait = static_cast<int>(std::max(0.0, next - now));
        if (poll(fds.data(), fds.size(), wait) > 0)
            for (std::size_t i = 0; i < fds.size() && i < eventHandlers.size(); ++i)
                if (fds[i].revents & POLLIN) eventHandlers[i].first->onFDIsSet(fds[i].fd);
        now = nowMs();
        // A copy: a handler may unregister itself (or another) while called.
        const std::vector<Timer> due = timers;
        for (const Timer& t : due)
            if (t.due <= now)
            {
                for (Timer& live : timers)
                    if (live.handler == t.handler) live.due = now + static_cast<double>(t.interval);
                t.handler->onTimer();
            }
    }
}
