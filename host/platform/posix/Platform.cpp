#include "Platform.h"

#include <cstdio>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ofchost::platform
{

void* loadLibrary(const std::string& path, std::string& error)
{
    // A bare file name would make dlopen search the library path.
    const bool bareName = path.find('/') == std::string::npos;
    const std::string file = (bareName && access(path.c_str(), F_OK) == 0) ? "./" + path : path;
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

bool removeFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

bool stderrIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

long long residentBytes()
{
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

} // namespace ofchost::platform
