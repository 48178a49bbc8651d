#include "XvfbServer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
std::string findOnPath(const char* program)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
    {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// Reads the display number Xvfb writes once it accepts connections.
bool readDisplayNumber(int fd, std::string& number)
{
    constexpr int kStartTimeoutMs = 15000;
    char c = 0;
    while (true)
    {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, kStartTimeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t got = read(fd, &c, 1);
        if (got <= 0) return false;
        if (c == '\n') return !number.empty();
        number += c;
    }
}
} // namespace

bool XvfbServer::isInstalled()
{
    return !findOnPath("Xvfb").empty();
}

bool XvfbServer::start(std::string& why, const char* screen)
{
    const std::string program = findOnPath("Xvfb");
    if (program.empty())
    {
        why = "Xvfb is not installed";
        return false;
    }
    int fds[2];
    if (pipe(fds) != 0)
    {
        why = "pipe failed";
        return false;
    }
    const std::string fdText = std::to_string(fds[1]);
    pid = fork();
    if (pid == 0)
    {
        // Dies with the test process even when the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const int devNull = open("/dev/null", O_RDWR);
        if (devNull >= 0)
        {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        // -noreset: otherwise the server resets whenever its last client leaves and refuses
        // connections meanwhile.
        execl(program.c_str(), "Xvfb", "-displayfd", fdText.c_str(), "-screen", "0", screen,
              "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0)
    {
        close(fds[0]);
        why = "fork failed";
        return false;
    }
    std::string number;
    const bool ok = readDisplayNumber(fds[0], number);
    close(fds[0]);
    if (!ok)
    {
        stop();
        why = "Xvfb did not report a display";
        return false;
    }
    name = ":" + number;
    setenv("DISPLAY", name.c_str(), 1);
    return true;
}

void XvfbServer::stop()
{
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
    {
    }
    pid = -1;
}

XvfbServer::~XvfbServer()
{
    stop();
}

XvfbServer* sharedXvfb(std::string& why)
{
    static XvfbServer server;
    static std::string failure;
    static bool tried = false;
    if (!tried)
    {
        tried = true;
        server.start(failure);
    }
    why = failure;
    return server.isRunning() ? &server : nullptr;
}
