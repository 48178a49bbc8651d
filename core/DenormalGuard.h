#pragma once

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>
#define OFC_HAVE_MXCSR 1
#endif

// Sets flush-to-zero and denormals-are-zero, and rounding to nearest (a host may have left
// another mode, and the engine's arithmetic assumes this one), for the lifetime of the object
// and puts the caller's control register back on every way out of the scope.
class DenormalGuard
{
  public:
#if defined(OFC_HAVE_MXCSR)
    static constexpr unsigned kFlushToZeroAndDenormalsAreZero = 0x8040;
    static constexpr unsigned kRoundingControl = 0x6000;

    DenormalGuard() : saved(_mm_getcsr())
    {
        _mm_setcsr((saved & ~kRoundingControl) | kFlushToZeroAndDenormalsAreZero);
    }
    ~DenormalGuard()
    {
        _mm_setcsr(saved);
    }

  private:
    unsigned saved;
#else
    DenormalGuard() = default;
#endif

  public:
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;
};
