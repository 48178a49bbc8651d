// The AVX2 kernel: every addition on the adders, for processors without FMA.
#define OFC_AVX2_TARGET "avx2"
#include "HalfBandAvx2Steps.h"

namespace halfband
{
__attribute__((target("avx2"))) void avx2(const double* x, const double* c, int pairs, int frames,
                                          double* out)
{
    run<false>(x, c, pairs, frames, out);
}
} // namespace halfband
