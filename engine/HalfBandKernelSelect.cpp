#include "HalfBandKernels.h"

namespace halfband
{
namespace
{
bool hasAvx2()
{
    return __builtin_cpu_supports("avx2");
}
bool hasFma()
{
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}
bool hasAvx512()
{
    return __builtin_cpu_supports("avx512f");
}

KernelInfo choose()
{
    __builtin_cpu_init();
    if (hasFma()) return kernelInfo(4);
    return kernelInfo(hasAvx2() ? 3 : 2);
}
} // namespace

int kernelCount()
{
    return 6;
}

KernelInfo kernelInfo(int index)
{
    __builtin_cpu_init();
    switch (index)
    {
    case 0:
        return {"plain", plain, nullptr, true, false};
    case 1:
        return {"laneSplit", laneSplit, nullptr, true, true};
    case 2:
        return {"sse2", sse2, sse2Pair, true, true};
    case 3:
        return {"avx2", avx2, avx2Pair, hasAvx2(), true};
    case 4:
        return {"avx2Fma", avx2Fma, avx2FmaPair, hasFma(), false};
    default:
        return {"avx512", avx512, nullptr, hasAvx512(), true};
    }
}

const KernelInfo& best()
{
    static const KernelInfo chosen = choose();
    return chosen;
}
} // namespace halfband
