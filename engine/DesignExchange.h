#pragma once

#include <atomic>
#include <thread>

// Hands whole coefficient sets from the setters' thread to the audio thread without a lock on
// the audio side: three slots, one read by the audio thread, one holding the latest published
// set, one being written. Publishing swaps the written slot with the latest; the audio thread
// swaps its slot with the latest when a fresh one is waiting. Writers on several threads are
// serialised among themselves by a spin flag that the audio thread never touches.
template <class T> class DesignExchange
{
  public:
    // Writer side: returns the slot to fill; hold it until publish().
    T& beginWrite()
    {
        for (int spins = 0; writerBusy.test_and_set(std::memory_order_acquire); ++spins)
        {
            // Another setter thread is designing (a microsecond or two); if it was preempted
            // meanwhile, let it run.
            if (spins < 64)
                pause();
            else
                std::this_thread::yield();
        }
        return slots[back];
    }
    void publish()
    {
        const int previous = latest.exchange(back | kFresh, std::memory_order_acq_rel);
        back = previous & kIndexMask;
        writerBusy.clear(std::memory_order_release);
    }

    // Audio side: cheap check, then take the fresh set. Returns null when none is waiting.
    bool hasFresh() const { return (latest.load(std::memory_order_relaxed) & kFresh) != 0; }
    const T* takeFresh()
    {
        if (!hasFresh()) return nullptr;
        const int previous = latest.exchange(front, std::memory_order_acq_rel);
        front = previous & kIndexMask;
        return &slots[front];
    }

  private:
    static constexpr int kFresh = 4;
    static constexpr int kIndexMask = 3;

    static void pause()
    {
#if defined(__i386__) || defined(__x86_64__)
        __builtin_ia32_pause();
#endif
    }

    T slots[3];
    std::atomic<int> latest{1};
    int back = 2;  // owned by the writer holding the flag
    int front = 0; // owned by the audio thread
    std::atomic_flag writerBusy = ATOMIC_FLAG_INIT;
};
