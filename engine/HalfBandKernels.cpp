#include "HalfBandKernels.h"

#include "VectorFeatures.h"

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

int kernelCount()
{
    return 4;
}

KernelInfo kernelInfo(int index)
{
    switch (index)
    {
    case 0:
        return {"scalar", scalar, true, nullptr};
    case 1:
        return {"sse2", sse2, true, nullptr};
    case 2:
        if (vectorfeatures::avx2()) return {"avx2", avx2, true, nullptr};
        return {"avx2", avx2, false, "this processor or its system lacks AVX2"};
    default:
#if OFC_HALFBAND_AVX512
        if (vectorfeatures::avx512()) return {"avx512", avx512, true, nullptr};
        return {"avx512", avx512, false, "this processor or its system lacks AVX-512 F and VL"};
#else
        return {"avx512", nullptr, false, "32-bit builds leave it out"};
#endif
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
        for (int k = kernelCount() - 1; k > 1; --k)
            if (kernelInfo(k).supported) return kernelInfo(k);
        return kernelInfo(1);
    }();
    return chosen;
}
} // namespace halfband
