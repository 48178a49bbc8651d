#include "FeedbackLoopEncoding.h"

#include <cstdlib>
#include <cstring>

namespace feedbackloop
{
bool processorRunsAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

bool runs(const char* name)
{
    if (!name) return false;
    return std::strcmp(name, "sse2") == 0 || (std::strcmp(name, "avx") == 0 && processorRunsAvx());
}

const char* chosen()
{
    static const char* const name = []
    {
        const char* asked = std::getenv(kVariable);
        if (runs(asked)) return std::strcmp(asked, "avx") == 0 ? "avx" : "sse2";
        return processorRunsAvx() ? "avx" : "sse2";
    }();
    return name;
}

bool avxChosen()
{
    return std::strcmp(chosen(), "avx") == 0;
}
} // namespace feedbackloop
