#include "X11ErrorTrap.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace
{
using ErrorHandler = int (*)(Display*, XErrorEvent*);

struct WatchedDisplay
{
    Display* display;
    unsigned errors;
};

std::mutex trapMutex;
int trapDepth = 0;
std::atomic<ErrorHandler> previousHandler{nullptr};
std::vector<WatchedDisplay> watched;

int absorbOwnErrors(Display* display, XErrorEvent* error)
{
    {
        std::lock_guard<std::mutex> lock(trapMutex);
        auto it = std::find_if(watched.begin(), watched.end(),
                               [&](const WatchedDisplay& w) { return w.display == display; });
        if (it != watched.end())
        {
            ++it->errors;
            return 0;
        }
    }
    const ErrorHandler previous = previousHandler.load();
    return previous ? previous(display, error) : 0;
}
} // namespace

X11ErrorTrap::X11ErrorTrap()
{
    std::lock_guard<std::mutex> lock(trapMutex);
    if (trapDepth++ > 0) return;
    const ErrorHandler previous = XSetErrorHandler(absorbOwnErrors);
    // Never chain to ourselves (a handler left behind by an earlier trap).
    if (previous != absorbOwnErrors) previousHandler.store(previous);
}

X11ErrorTrap::~X11ErrorTrap()
{
    std::lock_guard<std::mutex> lock(trapMutex);
    if (--trapDepth > 0) return;
    const ErrorHandler current = XSetErrorHandler(previousHandler.load());
    // Someone replaced our handler meanwhile: theirs stays.
    if (current != absorbOwnErrors) XSetErrorHandler(current);
}

void X11ErrorTrap::watch(Display* display)
{
    std::lock_guard<std::mutex> lock(trapMutex);
    watched.push_back({display, 0});
}

void X11ErrorTrap::unwatch(Display* display)
{
    std::lock_guard<std::mutex> lock(trapMutex);
    watched.erase(std::remove_if(watched.begin(), watched.end(),
                                 [&](const WatchedDisplay& w) { return w.display == display; }),
                  watched.end());
}

unsigned X11ErrorTrap::takeErrorCount(Display* display)
{
    std::lock_guard<std::mutex> lock(trapMutex);
    for (WatchedDisplay& w : watched)
        if (w.display == display) return std::exchange(w.errors, 0u);
    return 0;
}
