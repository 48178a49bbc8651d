#include "HalfBandKernels.h"

#include <cstdlib>
#include <cstring>

namespace halfband
{
void scalar(const double* x, const double* c, int pairs, int frames, double* out)
{
    const int span = 2 * pairs - 1;
    for (int i = 0; i < frames; ++i)
    {
        double sums[4] = {0.0, 0.0, 0.0, 0.0};
        for (int r = 0; r < 4; ++r)
            for (int j = r; j < pairs; j += 4)
                sums[r] = sums[r] + c[j] * (x[i - j] + x[i - span + j]);
        out[i] = (sums[0] + sums[2]) + (sums[1] + sums[3]);
    }
}

namespace
{
bool hasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

} // namespace

int kernelCount()
{
    return 3;
}

KernelInfo kernelInfo(int index)
{
    switch (index)
    {
    case 0:
        return {"scalar", scalar, true};
    case 1:
        return {"sse2", sse2, true};
    default:
        return {"avx2", avx2, hasAvx2()};
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
        return kernelInfo(hasAvx2() ? 2 : 1);
    }();
    return chosen;
}
} // namespace halfband
