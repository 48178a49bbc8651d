#include "FeedbackLoopEncoding.h"

#include <cstdlib>
#include <cstring>

namespace feedbackloop
{
namespace
{
constexpr Encoding kAll[] = {Encoding::Sse2, Encoding::Avx, Encoding::Avx512};
} // namespace

const char* name(Encoding encoding)
{
    switch (encoding)
    {
    case Encoding::Avx512:
        return "avx512";
    case Encoding::Avx:
        return "avx";
    default:
        return "sse2";
    }
}

bool processorRuns(Encoding encoding)
{
    __builtin_cpu_init();
    switch (encoding)
    {
    case Encoding::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
               __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw");
    case Encoding::Avx:
        return __builtin_cpu_supports("avx");
    default:
        return true;
    }
}

bool runs(const char* asked)
{
    for (Encoding e : kAll)
        if (asked && std::strcmp(asked, name(e)) == 0) return processorRuns(e);
    return false;
}

const char* namesRunHere()
{
    static const char* const names = processorRuns(Encoding::Avx512) ? "sse2, avx, avx512"
                                     : processorRuns(Encoding::Avx)  ? "sse2, avx"
                                                                     : "sse2";
    return names;
}

Encoding chosenEncoding()
{
    static const Encoding encoding = []
    {
        const char* asked = std::getenv(kVariable);
        Encoding widest = Encoding::Sse2;
        for (Encoding e : kAll)
        {
            if (!processorRuns(e)) continue;
            if (asked && std::strcmp(asked, name(e)) == 0) return e;
            widest = e;
        }
        return widest;
    }();
    return encoding;
}

const char* chosen()
{
    return name(chosenEncoding());
}
} // namespace feedbackloop
