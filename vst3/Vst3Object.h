#pragma once

#include "Vst3Base.h"

#include <atomic>

// The reference count every object we hand to a host carries. The host ends an object by its
// last release(); the object then deletes itself.
class Vst3RefCount
{
  public:
    vst3::uint32 add() { return count.fetch_add(1, std::memory_order_relaxed) + 1; }
    // True when this was the last reference.
    bool drop(vst3::uint32& remaining)
    {
        remaining = count.fetch_sub(1, std::memory_order_acq_rel) - 1;
        return remaining == 0;
    }

  private:
    std::atomic<vst3::uint32> count{1};
};

// queryInterface's answer for an interface an object implements: the pointer, with a reference.
template <typename Interface, typename Object> vst3::tresult vst3Grant(Object* object, void** obj)
{
    *obj = static_cast<Interface*>(object);
    object->addRef();
    return vst3::kResultOk;
}

// The three FUnknown methods of a class whose queryInterface is `findInterface(iid, obj)`.
#define VST3_REFCOUNTED_OBJECT                                                                     \
  public:                                                                                          \
    vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override              \
    {                                                                                              \
        if (!obj) return vst3::kInvalidArgument;                                                   \
        *obj = nullptr;                                                                            \
        return iid ? findInterface(iid, obj) : vst3::kNoInterface;                                 \
    }                                                                                              \
    vst3::uint32 VST3_CALL addRef() override                                                       \
    {                                                                                              \
        return refs.add();                                                                         \
    }                                                                                              \
    vst3::uint32 VST3_CALL release() override                                                      \
    {                                                                                              \
        vst3::uint32 remaining = 0;                                                                \
        if (refs.drop(remaining)) delete this;                                                     \
        return remaining;                                                                          \
    }                                                                                              \
                                                                                                   \
  private:                                                                                         \
    Vst3RefCount refs;
