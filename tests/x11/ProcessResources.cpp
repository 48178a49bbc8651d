#include "ProcessResources.h"

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <malloc.h>
#include <sstream>
#include <string>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// Part of the sanitizer runtime; GCC ships no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

size_t heapBytesInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

size_t heapMeasurementSlack()
{
    constexpr size_t kExact = 1024;
#if defined(__SANITIZE_ADDRESS__)
    return kExact;
#else
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables && std::strstr(tunables, "glibc.malloc.tcache_count=0")) return kExact;
    return 16 * 1024;
#endif
}

int openFileDescriptors()
{
    DIR* dir = opendir("/proc/self/fd");
    if (!dir) return -1;
    int count = 0;
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.') ++count;
    closedir(dir);
    return count - 1; // the directory stream's own descriptor
}

int sharedMemorySegments()
{
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    std::getline(table, line); // header: key shmid perms size cpid lpid ...
    const long self = static_cast<long>(getpid());
    int count = 0;
    while (std::getline(table, line))
    {
        std::istringstream fields(line);
        long key = 0, id = 0, size = 0, creator = 0;
        std::string perms;
        if (fields >> key >> id >> perms >> size >> creator && creator == self) ++count;
    }
    return count;
}

bool leakSanitizerActive()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

bool leakSanitizerFoundLeaks()
{
#if defined(__SANITIZE_ADDRESS__)
    return __lsan_do_recoverable_leak_check() != 0;
#else
    return false;
#endif
}
