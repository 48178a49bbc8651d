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

namespace
{
constexpr const char* kNoAvx2 = "this processor or its system lacks AVX2";
constexpr const char* kNoAvx512 = "this processor or its system lacks AVX-512 F and VL";
constexpr const char* kNoFma = "this processor lacks FMA";

// A kernel that needs `isa` (lacking it: `noIsa`) and, if `fused`, FMA too.
KernelInfo entry(const char* name, HalfBandKernel kernel, bool isa, const char* noIsa, bool fused)
{
    const char* missing = !isa ? noIsa : fused && !vectorfeatures::fma() ? kNoFma : nullptr;
    return {name, kernel, missing == nullptr, missing};
}
} // namespace

int kernelCount()
{
    return 6;
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
        return entry("avx2", avx2, vectorfeatures::avx2(), kNoAvx2, false);
    case 3:
        return entry("avx2fma", avx2fma, vectorfeatures::avx2(), kNoAvx2, true);
#if OFC_HALFBAND_AVX512
    case 4:
        return entry("avx512", avx512, vectorfeatures::avx512(), kNoAvx512, false);
    case 5:
        return entry("avx512fma", avx512fma, vectorfeatures::avx512(), kNoAvx512, true);
#else
    case 4:
        return {"avx512", nullptr, false, "32-bit builds leave it out"};
    case 5:
        return {"avx512fma", nullptr, false, "32-bit builds leave it out"};
#endif
    }
    return {"none", nullptr, false, "no such kernel"};
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
