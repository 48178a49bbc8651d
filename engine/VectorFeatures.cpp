#include "VectorFeatures.h"

#include <string>

namespace vectorfeatures
{
namespace
{
struct Feature
{
    const char* name;
    bool present;
};

// libgcc counts a set as present only when cpuid reports it and the system saves its registers
// (XCR0 through xgetbv: the YMM state for the AVX sets, also the mask and both ZMM states for
// any AVX-512 set), so a kernel chosen by these never meets a system that would lose its state.
const Feature* features()
{
    __builtin_cpu_init();
    static const Feature list[] = {{"sse2", __builtin_cpu_supports("sse2") != 0},
                                   {"avx", __builtin_cpu_supports("avx") != 0},
                                   {"avx2", __builtin_cpu_supports("avx2") != 0},
                                   {"fma", __builtin_cpu_supports("fma") != 0},
                                   {"avx512f", __builtin_cpu_supports("avx512f") != 0},
                                   {"avx512dq", __builtin_cpu_supports("avx512dq") != 0},
                                   {"avx512bw", __builtin_cpu_supports("avx512bw") != 0},
                                   {"avx512vl", __builtin_cpu_supports("avx512vl") != 0},
                                   {nullptr, false}};
    return list;
}

bool present(const char* name)
{
    for (const Feature* f = features(); f->name; ++f)
        if (std::string(f->name) == name) return f->present;
    return false;
}
} // namespace

bool avx2()
{
    return present("avx2");
}

bool fma()
{
    return present("fma");
}

bool avx512()
{
    return present("avx512f") && present("avx512vl");
}

const char* names()
{
    static const std::string text = []
    {
        std::string list;
        for (const Feature* f = features(); f->name; ++f)
            if (f->present) list += (list.empty() ? "" : " ") + std::string(f->name);
        return list.empty() ? std::string("none") : list;
    }();
    return text.c_str();
}
} // namespace vectorfeatures
