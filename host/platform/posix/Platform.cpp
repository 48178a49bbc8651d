#include "Platform.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace ofchost::platform
{

void* loadLibrary(const std::string& path, std::string& error)
{
    // A bare file name would make dlopen search the library path.
    const bool bareName = path.find('/') == std::string::npos;
    const std::string file = bareName ? "./" + path : path;
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load " + path;
    }
    return library;
}

void* findSymbol(void* library, const char* name)
{
    return library ? dlsym(library, name) : nullptr;
}

void unloadLibrary(void* library)
{
    if (library) dlclose(library);
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat sa = {}, sb = {};
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

namespace
{

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string canonical(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void noteInterruption(int signal)
{
    caughtSignal = signal;
}

} // namespace

bool samePlace(const std::string& a, const std::string& b)
{
    if (sameFile(a, b)) return true;
    const std::string folderA = canonical(folderOf(a)), folderB = canonical(folderOf(b));
    return !folderA.empty() && folderA == folderB && nameOf(a) == nameOf(b);
}

bool removeFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

std::string followLinks(const std::string& path)
{
    const std::string resolved = canonical(path);
    return resolved.empty() ? path : resolved;
}

bool createNewFile(const std::string& path, std::string& error)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0)
    {
        close(fd);
        return true;
    }
    const int code = errno;
    const std::string folder = folderOf(path);
    struct stat st = {};
    if (code == ENOENT && stat(folder.c_str(), &st) != 0)
        error = "the folder " + folder + " does not exist";
    else if (code == ENOTDIR)
        error = folder + " is not a folder";
    else if (code == EACCES || code == EPERM || code == EROFS)
        error = "cannot create files in the folder " + folder + ": " + std::strerror(code);
    else
        error = "cannot create " + path + ": " + std::strerror(code);
    return false;
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error)
{
    struct stat st = {};
    if (stat(to.c_str(), &st) == 0) chmod(from.c_str(), st.st_mode & 07777);
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    error = "cannot put the finished file in place as " + to + ": " + std::strerror(errno);
    return false;
}

void catchInterruptions()
{
    struct sigaction action = {};
    action.sa_handler = noteInterruption;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int interruption()
{
    return static_cast<int>(caughtSignal);
}

long processId()
{
    return static_cast<long>(getpid());
}

bool stderrIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

long long residentBytes()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    // The second number of statm: resident pages.
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    long long size = 0, resident = 0;
    const int read = std::fscanf(statm, "%lld %lld", &size, &resident);
    std::fclose(statm);
    return read == 2 ? resident * sysconf(_SC_PAGESIZE) : 0;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void setEnvironment(const std::string& name, const std::string& value)
{
    setenv(name.c_str(), value.c_str(), 1);
}

} // namespace ofchost::platform
