#include "HalfBandKernels.h"

#if OFC_HALFBAND_AVX512

// The AVX-512 kernel: every addition on the adders, for processors without FMA.
#define OFC_AVX512_TARGET "avx512f,avx512vl"
#include "HalfBandAvx512Steps.h"

namespace halfband
{
__attribute__((target("avx512f,avx512vl"))) void avx512(const double* x, const double* c, int pairs,
                                                        int frames, double* out)
{
    run<false>(x, c, pairs, frames, out, avx2);
}
} // namespace halfband

#endif
