#pragma once

#include <string>
#include <sys/types.h>

// A private X server for the tests: Xvfb on a display number it picks itself (so tests that
// run in parallel never collide), stopped again when the object goes. The process's DISPLAY
// points at it while it runs, which is where the plug-in's own connections go.
class XvfbServer
{
  public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False (with the reason) when Xvfb is not installed or did not come up. `screen` is
    // width x height x depth.
    bool start(std::string& why, const char* screen = "1024x768x24");
    void stop();
    bool isRunning() const { return pid > 0; }
    const std::string& displayName() const { return name; }

    // Whether an Xvfb program can be found on PATH at all.
    static bool isInstalled();

  private:
    pid_t pid = -1;
    std::string name;
};

// One server per test process, started on first use; null with the reason when none could be
// started. Tests skip when Xvfb is not installed and fail when it is but would not start.
XvfbServer* sharedXvfb(std::string& why);
