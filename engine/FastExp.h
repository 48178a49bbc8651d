#pragma once

#include <cstdint>
#include <cstring>

// 10^(dB / 20), the gain computer's step from decibels to a linear gain, inlined into the
// feedback loop where the C library's exp sat on the critical path. t = dB 64 log2(10) / 20
// counts steps of 2^(1/64); after rounding to the nearest whole k the rest f = t - k
// (|f| <= 1/2) is exact. The gain is 2^(k / 64) from a table times e^r, r = f ln2 / 64, from
// a degree-5 Taylor polynomial (in Estrin's order, which shortens the dependency chain) whose
// coefficients carry the powers of ln2 / 64. The polynomial and table stay within 2 ulp; t's own
// rounding adds a relative error of |t| 2^-53 ln2 / 64, 1.3e-17 per dB. t is clamped so that
// the gain stays a normal double (about e^-708 to e^709), and NaN stays NaN. Plain SSE2 double
// arithmetic only, so every build gives the same bits.
namespace fastexp
{
// 2^(j / 64), each rounded to the nearest double.
alignas(64) inline constexpr double kPowers[64] = {
    0x1.0000000000000p+0, 0x1.02c9a3e778061p+0, 0x1.059b0d3158574p+0, 0x1.0874518759bc8p+0,
    0x1.0b5586cf9890fp+0, 0x1.0e3ec32d3d1a2p+0, 0x1.11301d0125b51p+0, 0x1.1429aaea92de0p+0,
    0x1.172b83c7d517bp+0, 0x1.1a35beb6fcb75p+0, 0x1.1d4873168b9aap+0, 0x1.2063b88628cd6p+0,
    0x1.2387a6e756238p+0, 0x1.26b4565e27cddp+0, 0x1.29e9df51fdee1p+0, 0x1.2d285a6e4030bp+0,
    0x1.306fe0a31b715p+0, 0x1.33c08b26416ffp+0, 0x1.371a7373aa9cbp+0, 0x1.3a7db34e59ff7p+0,
    0x1.3dea64c123422p+0, 0x1.4160a21f72e2ap+0, 0x1.44e086061892dp+0, 0x1.486a2b5c13cd0p+0,
    0x1.4bfdad5362a27p+0, 0x1.4f9b2769d2ca7p+0, 0x1.5342b569d4f82p+0, 0x1.56f4736b527dap+0,
    0x1.5ab07dd485429p+0, 0x1.5e76f15ad2148p+0, 0x1.6247eb03a5585p+0, 0x1.6623882552225p+0,
    0x1.6a09e667f3bcdp+0, 0x1.6dfb23c651a2fp+0, 0x1.71f75e8ec5f74p+0, 0x1.75feb564267c9p+0,
    0x1.7a11473eb0187p+0, 0x1.7e2f336cf4e62p+0, 0x1.82589994cce13p+0, 0x1.868d99b4492edp+0,
    0x1.8ace5422aa0dbp+0, 0x1.8f1ae99157736p+0, 0x1.93737b0cdc5e5p+0, 0x1.97d829fde4e50p+0,
    0x1.9c49182a3f090p+0, 0x1.a0c667b5de565p+0, 0x1.a5503b23e255dp+0, 0x1.a9e6b5579fdbfp+0,
    0x1.ae89f995ad3adp+0, 0x1.b33a2b84f15fbp+0, 0x1.b7f76f2fb5e47p+0, 0x1.bcc1e904bc1d2p+0,
    0x1.c199bdd85529cp+0, 0x1.c67f12e57d14bp+0, 0x1.cb720dcef9069p+0, 0x1.d072d4a07897cp+0,
    0x1.d5818dcfba487p+0, 0x1.da9e603db3285p+0, 0x1.dfc97337b9b5fp+0, 0x1.e502ee78b3ff6p+0,
    0x1.ea4afa2a490dap+0, 0x1.efa1bee615a27p+0, 0x1.f50765b6e4540p+0, 0x1.fa7c1819e90d8p+0,
};

inline constexpr double kStepsPerDecibel = 0x1.542a5a12e1c5bp+3; // 64 log2(10) / 20
// Whole numbers of steps just inside 708 and 709 times 64 / ln2.
inline constexpr double kLowestSteps = -65370.0;
inline constexpr double kHighestSteps = 65462.0;
// Adding this rounds to an integer and leaves it in the low bits of the mantissa.
inline constexpr double kRoundingShift = 0x1.8p52;
// (ln2 / 64)^n / n!
inline constexpr double kStepPower1 = 0x1.62e42fefa39efp-7;
inline constexpr double kStepPower2 = 0x1.ebfbdff82c58fp-15;
inline constexpr double kStepPower3 = 0x1.c6b08d704a0c0p-23;
inline constexpr double kStepPower4 = 0x1.3b2ab6fba4e77p-31;
inline constexpr double kStepPower5 = 0x1.5d87fe78a6731p-40;

// 2^(k / 64) for the whole k whose value sits in the low bits of `shifted`.
inline double powerOfSteps(double shifted)
{
    std::uint64_t shiftedBits;
    std::memcpy(&shiftedBits, &shifted, sizeof shiftedBits);
    const std::uint32_t k = static_cast<std::uint32_t>(shiftedBits); // two's complement
    std::uint64_t bits;
    std::memcpy(&bits, &kPowers[k & 63u], sizeof bits);
    const std::int64_t exponent = static_cast<std::int32_t>(k) >> 6;
    bits += static_cast<std::uint64_t>(exponent) << 52;
    double scaled;
    std::memcpy(&scaled, &bits, sizeof scaled);
    return scaled;
}
} // namespace fastexp

// A gain as a power of 2^(1/64) times 1 + rest. The power is ready well before the rest, so a
// product with the gain can start on it and wait for the rest through one multiplication and
// one addition: g x = (power x) rest + power x.
struct SplitGain
{
    double power, rest;
    double value() const { return power + power * rest; }
};

// For |dB| up to kBoundedDecibels only, where the gain is a normal double without the clamp:
// the feedback loop, whose gains are bounded far inside, saves the clamp's instructions.
inline constexpr double kBoundedDecibels = 6000.0;
inline SplitGain fastSplitGainOfBoundedDecibels(double dB)
{
    using namespace fastexp;
    const double t = dB * kStepsPerDecibel;
    const double shifted = t + kRoundingShift;
    const double f = t - (shifted - kRoundingShift);
    const double f2 = f * f;
    const double q = (f * kStepPower1 + f2 * (kStepPower2 + f * kStepPower3)) +
                     (f2 * f2) * (kStepPower4 + f * kStepPower5);
    return {powerOfSteps(shifted), q};
}

inline SplitGain fastSplitGainOfDecibels(double dB)
{
    using namespace fastexp;
    double t = dB * kStepsPerDecibel;
    t = t < kLowestSteps ? kLowestSteps : t;
    t = t > kHighestSteps ? kHighestSteps : t;

    const double shifted = t + kRoundingShift;
    const double f = t - (shifted - kRoundingShift);
    const double f2 = f * f;
    const double q = (f * kStepPower1 + f2 * (kStepPower2 + f * kStepPower3)) +
                     (f2 * f2) * (kStepPower4 + f * kStepPower5);
    return {powerOfSteps(shifted), q};
}

inline double fastGainOfDecibels(double dB)
{
    return fastSplitGainOfDecibels(dB).value();
}
