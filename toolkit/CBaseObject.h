#pragma once

#include <atomic>
#include <cstdint>

// Root of views, bitmaps and fonts. Objects are shared by counting references: whoever keeps
// a pointer beyond the call that handed it over calls remember(), and forget() when done.
// A new object starts with one reference, owned by its creator. The count is atomic: the
// toolkit's fonts are process-wide, and every editor's drawing takes references to them from
// whatever thread that editor runs on.
class CBaseObject
{
  public:
    CBaseObject() = default;
    // A copy is a new object with its own single reference.
    CBaseObject(const CBaseObject&) : nbReference(1) {}
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    void remember() { nbReference.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; the object is destroyed when none is left.
    void forget();
    int32_t getNbReference() const { return nbReference.load(std::memory_order_relaxed); }

  private:
    std::atomic<int32_t> nbReference{1};
};
