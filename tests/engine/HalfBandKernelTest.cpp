#include "HalfBandFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <xmmintrin.h>

namespace
{
// The engine's filter length, so the kernels are tested where they run.
constexpr int kPairs = HalfBandFilter::kPairs, kSpan = HalfBandFilter::kSpan;

// History and block of random values in -1..1, the block starting `misalign` doubles past a
// 64-byte boundary so that the vector loads meet every alignment.
struct Input
{
    std::vector<double> data;
    int start;
    Input(int frames, int misalign, unsigned seed) : data(kSpan + frames + 16), start(kSpan + 8)
    {
        start += misalign - (reinterpret_cast<std::uintptr_t>(&data[start]) / 8) % 8;
        for (double& v : data)
        {
            seed = seed * 1664525u + 1013904223u;
            v = static_cast<int>(seed >> 8) / 8388608.0 - 1.0;
        }
    }
    const double* x() const { return data.data() + start; }
};

// The sum in tap order with the magnitude of its terms, for the error bound.
double tapOrderSum(const double* x, const double* c, int i, double& magnitude)
{
    double sum = 0.0;
    magnitude = 0.0;
    for (int j = 0; j < kPairs; ++j)
    {
        const double term = c[j] * (x[i - j] + x[i - kSpan + j]);
        sum += term;
        magnitude += std::fabs(term);
    }
    return sum;
}

// Whether the kernel runs here; if not, says so loudly (stderr and the test's properties), so a
// machine that cannot check a kernel is seen rather than passing quietly.
bool runsHere(const halfband::KernelInfo& info)
{
    if (info.supported) return true;
    const std::string line = std::string("KERNEL ") + info.name + " NOT RUN: " + info.reason;
    std::fprintf(stderr, "%s\n", line.c_str());
    testing::Test::RecordProperty(std::string("kernel_") + info.name, line);
    return false;
}

// Random values in -1/3..1/3 with all 53 bits of mantissa in play, so that any change in the
// order of the additions shows in the last bit.
std::vector<double> randomValues(std::size_t count, unsigned seed)
{
    std::vector<double> values(count);
    for (double& v : values)
    {
        seed = seed * 1664525u + 1013904223u;
        v = (static_cast<int>(seed >> 8) / 8388608.0 - 1.0) / 3.0;
    }
    return values;
}
} // namespace

// Every kernel gives its scalar model's bits for every block length (the vector steps and the
// tails that do not fill one) and alignment, writes exactly `frames` outputs, and is within a
// few rounding errors of the plain tap-order sum.
TEST(HalfBandKernels, EveryKernelMatchesItsModelAtEveryLengthAndAlignment)
{
    std::vector<double> c(kPairs);
    for (int j = 0; j < kPairs; ++j)
        c[j] = 0.3 / (j + 1.0) * (j % 2 ? -1.0 : 1.0);
    for (int k = 0; k < halfband::kernelCount(); ++k)
    {
        const halfband::KernelInfo info = halfband::kernelInfo(k);
        if (!runsHere(info)) continue;
        for (int frames = 0; frames <= 37; ++frames)
            for (int misalign = 0; misalign < 4; ++misalign)
            {
                const Input in(frames, misalign, 11u + frames);
                std::vector<double> out(frames + 1, 99.0), model(frames);
                info.kernel(in.x(), c.data(), kPairs, frames, out.data());
                halfband::scalar(in.x(), c.data(), kPairs, frames, model.data());
                ASSERT_EQ(out[frames], 99.0) << info.name << " wrote past the block";
                for (int i = 0; i < frames; ++i)
                {
                    ASSERT_EQ(out[i], model[i]) << info.name << " frames " << frames << " i " << i;
                    double magnitude;
                    const double plain = tapOrderSum(in.x(), c.data(), i, magnitude);
                    ASSERT_LE(std::fabs(out[i] - plain), 1e-15 * magnitude) << info.name;
                }
            }
    }
}

TEST(HalfBandKernels, TheChosenKernelRunsHere)
{
    const halfband::KernelInfo& best = halfband::best();
    const int index = halfband::findKernel(best.name);
    ASSERT_GE(index, 0);
    EXPECT_TRUE(halfband::kernelInfo(index).supported);
    // Unless a benchmark named one, the widest kernel that runs here.
    for (int k = index + 1; !std::getenv(halfband::kKernelVariable) && k < halfband::kernelCount();
         ++k)
    {
        EXPECT_FALSE(halfband::kernelInfo(k).supported) << halfband::kernelInfo(k).name;
    }
    EXPECT_EQ(halfband::findKernel("no such kernel"), -1);
    EXPECT_EQ(halfband::findKernel(nullptr), -1);
}

// One test per kernel, skipped with the loud line where this machine cannot run it. Filter
// lengths of every residue count and every leftover of the vector steps and rounds, on buffers
// of exactly the frames a kernel may read (history and block), so that the sanitizers of the
// debug build see any read or write outside them.
class EveryKernel : public testing::TestWithParam<int>
{
};

TEST_P(EveryKernel, MatchesItsModelForAnyNumberOfPairs)
{
    const halfband::KernelInfo info = halfband::kernelInfo(GetParam());
    if (!runsHere(info))
    {
        GTEST_SKIP() << "KERNEL " << info.name << " NOT RUN: " << info.reason;
    }
    for (int pairs : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 33, 74, 76, 77, 78})
        for (int frames : {0, 1, 3, 4, 7, 8, 13, 16, 24, 31, 32, 33, 47, 64, 77})
        {
            const int span = 2 * pairs - 1;
            const std::vector<double> data = randomValues(span + frames, pairs * 131u + frames);
            const std::vector<double> c = randomValues(pairs, pairs);
            std::vector<double> out(frames + 1, 99.0), model(frames);
            info.kernel(data.data() + span, c.data(), pairs, frames, out.data());
            halfband::scalar(data.data() + span, c.data(), pairs, frames, model.data());
            ASSERT_EQ(out[frames], 99.0) << "pairs " << pairs << " frames " << frames;
            for (int i = 0; i < frames; ++i)
                ASSERT_EQ(out[i], model[i])
                    << "pairs " << pairs << " frames " << frames << " i " << i;
        }
}

// Data down among the denormals, where products and sums lose bits to gradual underflow or, with
// flush-to-zero and denormals-are-zero (the plug-in's processing mode), become zero: every kernel,
// fused additions included, flushes and rounds there as the scalar kernel does.
TEST_P(EveryKernel, MatchesItsModelAmongDenormalsWithAndWithoutFlushing)
{
    const halfband::KernelInfo info = halfband::kernelInfo(GetParam());
    if (!runsHere(info))
    {
        GTEST_SKIP() << "KERNEL " << info.name << " NOT RUN: " << info.reason;
    }
    constexpr int frames = 77;
    std::vector<double> data = randomValues(kSpan + frames, 5u);
    for (double& v : data)
        v = std::ldexp(v, -1018);
    const std::vector<double> c = randomValues(kPairs, 9u);
    std::vector<double> model[2];
    const unsigned saved = _mm_getcsr();
    for (int flush = 0; flush < 2; ++flush)
    {
        std::vector<double> out(frames);
        model[flush].resize(frames);
        _mm_setcsr((saved & ~0x8040u) | (flush ? 0x8040u : 0u));
        info.kernel(data.data() + kSpan, c.data(), kPairs, frames, out.data());
        halfband::scalar(data.data() + kSpan, c.data(), kPairs, frames, model[flush].data());
        _mm_setcsr(saved);
        for (int i = 0; i < frames; ++i)
            ASSERT_EQ(out[i], model[flush][i]) << "flush " << flush << " i " << i;
    }
    EXPECT_NE(model[0], model[1]) << "the data never reached the denormals";
}

INSTANTIATE_TEST_SUITE_P(HalfBandKernels, EveryKernel, testing::Range(0, halfband::kernelCount()),
                         [](const testing::TestParamInfo<int>& p)
                         { return std::string(halfband::kernelInfo(p.param).name); });
