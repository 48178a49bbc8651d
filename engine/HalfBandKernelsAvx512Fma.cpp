#include "HalfBandKernels.h"

#if OFC_HALFBAND_AVX512

// The AVX-512 kernel with two of a tap's eight additions on the multiply units (FMA with a factor
// of 1.0, exact: the same bits), run only where the processor has FMA too. Its leftover frames go
// through the AVX2 kernel that does the same.
#define OFC_AVX512_TARGET "avx512f,avx512vl,fma"
#include "HalfBandAvx512Steps.h"

namespace halfband
{
__attribute__((target("avx512f,avx512vl,fma"))) void avx512fma(const double* x, const double* c,
                                                               int pairs, int frames, double* out)
{
    run<true>(x, c, pairs, frames, out, avx2fma);
}
} // namespace halfband

#endif
