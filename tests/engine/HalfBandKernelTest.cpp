#include "HalfBandKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
// A guard-banded buffer: the kernel sees `count` doubles starting `offset` doubles in, so the
// vector loads meet every alignment; the guards must come back untouched.
struct Guarded
{
    static constexpr double kGuard = 12345.678;
    std::vector<double> data;
    int offset;
    Guarded(int count, int offsetDoubles, unsigned seed)
        : data(count + offsetDoubles + 32, kGuard), offset(offsetDoubles + 16)
    {
        for (int i = 0; i < count; ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            data[offset + i] = static_cast<int>(seed >> 8) / 8388608.0 - 1.0;
        }
    }
    double* get() { return data.data() + offset; }
    bool guardsIntact(int count) const
    {
        for (int i = 0; i < offset; ++i)
            if (data[i] != kGuard) return false;
        for (size_t i = offset + count; i < data.size(); ++i)
            if (data[i] != kGuard) return false;
        return true;
    }
};

double magnitudeSum(const double* h, const double* c, int taps, int ch)
{
    double s = 0.0;
    for (int j = 0; j < taps; ++j)
        s += std::fabs(h[2 * j + ch] * c[2 * j + ch]);
    return s;
}
} // namespace

// The vector kernels regroup the sum into eight partial sums, so they may differ from the plain
// tap-order sum in the last bits: at most a few units of 1e-16 times the sum of the magnitudes
// of the products (the bound used is 1e-15 of it). Without FMA they must match their scalar
// model bit for bit; with FMA only the tolerance holds.
TEST(HalfBandKernels, EveryKernelAgreesWithThePlainOneOverLengthsAndAlignments)
{
    int checked = 0;
    for (int k = 1; k < halfband::kernelCount(); ++k)
    {
        const halfband::KernelInfo info = halfband::kernelInfo(k);
        if (!info.supported) continue;
        for (int taps :
             {0, 1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 33, 63, 64, 65, 151, 152, 153, 304, 999})
            for (int offset = 0; offset < 8; ++offset)
            {
                Guarded h(2 * taps, offset, 11u + taps), c(2 * taps, (offset * 3) % 8, 29u + taps);
                double ref[2] = {0.25, -0.5}, lanes[2] = {0.25, -0.5}, got[2] = {0.25, -0.5};
                halfband::plain(h.get(), c.get(), taps, ref);
                halfband::laneSplit(h.get(), c.get(), taps, lanes);
                info.kernel(h.get(), c.get(), taps, got);
                for (int ch = 0; ch < 2; ++ch)
                {
                    const double bound = 1e-15 * (magnitudeSum(h.get(), c.get(), taps, ch) + 1.0);
                    ASSERT_NEAR(got[ch], ref[ch], bound) << info.name << " taps " << taps;
                    if (info.sameAsLanes)
                    {
                        ASSERT_EQ(got[ch], lanes[ch]) << info.name << " taps " << taps;
                    }
                }
                ASSERT_TRUE(h.guardsIntact(2 * taps));
                ASSERT_TRUE(c.guardsIntact(2 * taps));
                ++checked;
            }
    }
    EXPECT_GT(checked, 0);
}

TEST(HalfBandKernels, PairKernelsEqualTwoSingleCalls)
{
    for (int k = 0; k < halfband::kernelCount(); ++k)
    {
        const halfband::KernelInfo info = halfband::kernelInfo(k);
        if (!info.supported || !info.pair) continue;
        for (int taps : {0, 1, 5, 8, 13, 24, 152, 157})
            for (int offset = 0; offset < 4; ++offset)
            {
                Guarded a(2 * taps, offset, 3u), b(2 * taps, 7 - offset, 5u),
                    c(2 * taps, offset + 1, 9u);
                double sa[2] = {1.0, 2.0}, sb[2] = {-1.0, 0.5};
                double ra[2] = {1.0, 2.0}, rb[2] = {-1.0, 0.5};
                info.pair(a.get(), b.get(), c.get(), taps, sa, sb);
                info.kernel(a.get(), c.get(), taps, ra);
                info.kernel(b.get(), c.get(), taps, rb);
                ASSERT_EQ(sa[0], ra[0]) << info.name << " " << taps;
                ASSERT_EQ(sa[1], ra[1]) << info.name << " " << taps;
                ASSERT_EQ(sb[0], rb[0]) << info.name << " " << taps;
                ASSERT_EQ(sb[1], rb[1]) << info.name << " " << taps;
                ASSERT_TRUE(a.guardsIntact(2 * taps) && b.guardsIntact(2 * taps) &&
                            c.guardsIntact(2 * taps));
            }
    }
}

TEST(HalfBandKernels, TheChosenKernelRunsHereAndHasAPairedForm)
{
    const halfband::KernelInfo& best = halfband::best();
    EXPECT_TRUE(best.supported);
    EXPECT_NE(best.pair, nullptr);
    EXPECT_NE(std::string(best.name), "plain");
}
