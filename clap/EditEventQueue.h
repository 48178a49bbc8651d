#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// The editor's edits on their way from the user-interface thread to the thread that hands them
// to the host (the audio thread's process, or flush). One writer, one reader, no locks; when
// full, an edit is dropped (the value itself still reaches the host: the plug-in reports every
// value the host does not know yet).
class EditEventQueue
{
  public:
    enum class Kind : std::uint8_t
    {
        Begin,
        Value,
        End
    };
    struct Edit
    {
        Kind kind;
        std::int32_t index;
        float value;
    };

    bool push(const Edit& edit)
    {
        const std::uint32_t tail = written.load(std::memory_order_relaxed);
        if (tail - taken.load(std::memory_order_acquire) == kCapacity) return false;
        slots[tail % kCapacity] = edit;
        written.store(tail + 1, std::memory_order_release);
        return true;
    }

    bool pop(Edit& edit)
    {
        const std::uint32_t head = taken.load(std::memory_order_relaxed);
        if (head == written.load(std::memory_order_acquire)) return false;
        edit = slots[head % kCapacity];
        taken.store(head + 1, std::memory_order_release);
        return true;
    }

  private:
    static constexpr std::uint32_t kCapacity = 1024;
    std::array<Edit, kCapacity> slots{};
    std::atomic<std::uint32_t> written{0};
    std::atomic<std::uint32_t> taken{0};
};
