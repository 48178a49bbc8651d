#include "GdiplusRuntime.h"

#include "Canvas.h"
#include "GdiplusFonts.h"

#include <windows.h>

#include <gdiplus.h>

#include <mutex>

namespace
{
bool startGdiplus(unsigned long long& token)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR handle = 0;
    if (Gdiplus::GdiplusStartup(&handle, &input, nullptr) != Gdiplus::Ok) return false;
    token = handle;
    return true;
}

struct Runtime
{
    std::mutex mutex;
    int leases = 0;
    bool running = false;
    unsigned long long token = 0;
    gdiplusruntime::StartupFunction startup = &startGdiplus;
};

Runtime& runtime()
{
    static Runtime r;
    return r;
}
} // namespace

DrawingBackendLease::DrawingBackendLease()
{
    Runtime& r = runtime();
    std::lock_guard<std::mutex> lock(r.mutex);
    // A failed start is tried again by the next lease, not remembered for the process.
    if (r.leases == 0 || !r.running) r.running = r.startup(r.token);
    ++r.leases;
    ready = r.running;
}

DrawingBackendLease::~DrawingBackendLease()
{
    Runtime& r = runtime();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (--r.leases > 0 || !r.running) return;
    // Font families are GDI+ objects: they go before GDI+ does.
    gdiplusfonts::releaseAll();
    if (r.startup == &startGdiplus) Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(r.token));
    r.running = false;
    r.token = 0;
}

void gdiplusruntime::setStartupForTesting(StartupFunction startup)
{
    Runtime& r = runtime();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.startup = startup ? startup : &startGdiplus;
}

int gdiplusruntime::leaseCount()
{
    Runtime& r = runtime();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.leases;
}
