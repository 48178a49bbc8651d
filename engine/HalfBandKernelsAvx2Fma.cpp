// The AVX2 kernel with half its pair sums on the multiply units (FMA with a factor of 1.0, exact:
// the same bits), run only where the processor has FMA too.
#define OFC_AVX2_TARGET "avx2,fma"
#include "HalfBandAvx2Steps.h"

namespace halfband
{
__attribute__((target("avx2,fma"))) void avx2fma(const double* x, const double* c, int pairs,
                                                 int frames, double* out)
{
    run<true>(x, c, pairs, frames, out);
}
} // namespace halfband
