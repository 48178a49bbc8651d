#pragma once

#include <X11/Xlib.h>

// X reports protocol errors asynchronously to one process-wide handler, whose default prints
// and ends the process: a host would die because its parent window went away before our
// window did. While a trap is alive, errors that arrive on one of our own connections are
// counted on that connection instead; errors on any other connection (the host's) go on to
// the handler that was installed before. Traps nest and may live on several threads at once;
// the handler is installed by the first and removed by the last.
class X11ErrorTrap
{
  public:
    X11ErrorTrap();
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Connections whose errors are ours to absorb.
    static void watch(Display* display);
    static void unwatch(Display* display);
    // Errors seen on `display` since the last call (requests must have been synced to see
    // the errors they cause).
    static unsigned takeErrorCount(Display* display);
};
