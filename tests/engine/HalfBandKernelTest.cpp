#include "HalfBandFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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
        if (!info.supported) continue;
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
    EXPECT_EQ(halfband::findKernel("no such kernel"), -1);
    EXPECT_EQ(halfband::findKernel(nullptr), -1);
}
