#include "HalfBandKernels.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace halfband
{
namespace
{
template <bool Fused>
void model(const double* x, const double* c, int pairs, int frames, double* out)
{
    const int span = 2 * pairs - 1;
    for (int i = 0; i < frames; ++i)
    {
        double sums[4] = {0.0, 0.0, 0.0, 0.0};
        for (int r = 0; r < 4; ++r)
            for (int j = r; j < pairs; j += 4)
            {
                const double pair = x[i - j] + x[i - span + j];
                sums[r] = Fused ? std::fma(c[j], pair, sums[r]) : sums[r] + c[j] * pair;
            }
        out[i] = (sums[0] + sums[2]) + (sums[1] + sums[3]);
    }
}
} // namespace

void scalar(const double* x, const double* c, int pairs, int frames, double* out)
{
    model<false>(x, c, pairs, frames, out);
}

void scalarFused(const double* x, const double* c, int pairs, int frames, double* out)
{
    model<true>(x, c, pairs, frames, out);
}

namespace
{
bool hasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

bool hasFma()
{
    return hasAvx2() && __builtin_cpu_supports("fma");
}
} // namespace

int kernelCount()
{
    return 5;
}

KernelInfo kernelInfo(int index)
{
    switch (index)
    {
    case 0:
        return {"scalar", scalar, true};
    case 1:
        return {"scalarFused", scalarFused, true};
    case 2:
        return {"sse2", sse2, true};
    case 3:
        return {"avx2", avx2, hasAvx2()};
    default:
        return {"avx2Fma", avx2Fma, hasFma()};
    }
}

int findKernel(const char* name)
{
    for (int i = 0; name && i < kernelCount(); ++i)
        if (std::strcmp(kernelInfo(i).name, name) == 0 && kernelInfo(i).supported) return i;
    return -1;
}

const KernelInfo& best()
{
    static const KernelInfo chosen = []
    {
        const int named = findKernel(std::getenv(kKernelVariable));
        if (named >= 0) return kernelInfo(named);
        return kernelInfo(hasFma() ? 4 : (hasAvx2() ? 3 : 2));
    }();
    return chosen;
}
} // namespace halfband
