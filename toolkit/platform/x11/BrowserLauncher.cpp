#include "BrowserLauncher.h"

#include <cerrno>
#include <cstring>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
bool isWebAddress(const char* url)
{
    return std::strncmp(url, "http://", 7) == 0 || std::strncmp(url, "https://", 8) == 0;
}
} // namespace

bool launchBrowser(const char* url)
{
    if (!url || !isWebAddress(url)) return false;
    // Two forks: the opener is adopted by init, so the host never has a child to reap. Between
    // fork and exec only async-signal-safe calls are made; the host may run other threads.
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0)
    {
        if (fork() == 0)
        {
            setsid();
            char opener[] = "xdg-open";
            char* const argv[] = {opener, const_cast<char*>(url), nullptr};
            execvp(opener, argv);
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
    {
        // A host that ignores SIGCHLD has its children reaped for it: nothing left to wait for.
        if (errno != EINTR) return errno == ECHILD;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
