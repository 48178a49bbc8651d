// Replaces the global allocation functions to count every heap allocation made while the
// engine processes audio and while its setters run.
#include "CompressorEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <new>

namespace
{
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

// Aligned blocks are carved out of a plain malloc block whose address sits just before them,
// so they work with any C library (Windows has no aligned_alloc that free() can release).
void* allocateAligned(std::size_t size, std::align_val_t align)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t a = std::max(static_cast<std::size_t>(align), sizeof(void*));
    void* raw = std::malloc(size + a + sizeof(void*));
    if (!raw) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
    auto* aligned = reinterpret_cast<void**>((start + a - 1) & ~(std::uintptr_t(a) - 1));
    aligned[-1] = raw;
    return aligned;
}

void releaseAligned(void* p)
{
    if (p) std::free(static_cast<void**>(p)[-1]);
}
} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate(size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t a)
{
    return allocateAligned(size, a);
}
void* operator new[](std::size_t size, std::align_val_t a)
{
    return allocateAligned(size, a);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    releaseAligned(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    releaseAligned(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    releaseAligned(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    releaseAligned(p);
}

namespace
{
void everySetter(CompressorEngine& e, int step)
{
    const double v = (step % 7) / 6.0;
    e.setDetection(step % 3 == 0 ? 0.0 : (step % 3 == 1 ? 600.0 : 2.0 + 58.0 * v));
    e.setSideChainType(static_cast<float>(v));
    e.setSideChainFrequency(static_cast<float>(30.0 + 270.0 * v));
    e.setSideChainPreview(step % 5 == 0);
    e.setThreshold(-50.0 * v);
    e.setKnee(20.0 * v);
    e.setRatio(1.0 - v);
    e.setAttack(0.1 + 500.0 * v);
    e.setRelease(0.1 + 2000.0 * v);
    e.setReleaseSlow(0.1 + 2000.0 * (1.0 - v));
    e.setMixDry(v);
    e.setMakeUpGain(1.0 + v);
    e.setHfHarmonics(step % 2 == 0);
    e.setLfHarmonics(step % 2 == 1);
    e.setHfAmount(v);
    e.setLfAmount(1.0 - v);
    e.setDelta(step % 11 == 0);
}

long countWhile(const std::function<void()>& work)
{
    allocations.store(0);
    counting.store(true);
    work();
    counting.store(false);
    return allocations.load();
}
} // namespace

TEST(EngineAllocations, CountingWorks)
{
    EXPECT_GT(countWhile([] { delete new CompressorEngine; }), 0);
}

TEST(EngineAllocations, NoneWhileProcessingOrSetting)
{
    CompressorEngine e;
    e.setSampleRate(44100.0);
    double gain, fast, slow, sink = 0.0;
    const long count = countWhile(
        [&]
        {
            for (int step = 0; step < 200; ++step)
            {
                everySetter(e, step);
                e.setSampleRate(step % 2 ? 44100.0 : 96000.0);
                for (int i = 0; i < 256; ++i)
                {
                    double l = std::sin(0.01 * i), r = -l;
                    if (step % 2)
                        e.processFrameOversampled(l, r, gain, fast, slow);
                    else
                        e.processFrameDirect(l, r, gain, fast, slow);
                    sink += l;
                }
                if (step % 50 == 0) e.reset();
            }
        });
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(std::isfinite(sink));
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
