#include "TextFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
std::string format(const char* fmt, double value, std::size_t size = 64)
{
    char out[64];
    std::memset(out, 'X', sizeof out);
    formatText(out, size, fmt, value);
    return out;
}
} // namespace

TEST(TextFormat, PercentSpaceAndLetterPrintsOnlyTheLetter)
{
    EXPECT_EQ(format("%3.1f% ms", 12.34), "12.3ms");
    EXPECT_EQ(format("%3.0f% Hz", 89.56), " 90Hz");
    EXPECT_EQ(format("%3.0f% ms", 5.0), "  5ms");
}

TEST(TextFormat, TrailingLonePercentPrintsNothing)
{
    EXPECT_EQ(format("%3.1f%", 3.2), "3.2");
    EXPECT_EQ(format("%3.1f dB%", -30.0), "-30.0 dB");
    EXPECT_EQ(format("%3.1f:1%", 2.0), "2.0:1");
    EXPECT_EQ(format("RMS %3.0f%", 22.88), "RMS  23");
}

TEST(TextFormat, DoubledPercentPrintsOne)
{
    EXPECT_EQ(format("%3.1f%%", 100.0), "100.0%");
}

TEST(TextFormat, WidthPadsOnTheLeftAndNeverCuts)
{
    EXPECT_EQ(format("%3.1f%", 0.0), "0.0");
    EXPECT_EQ(format("%3.0f%", 7.0), "  7");
    EXPECT_EQ(format("%3.0f%", 2000.0), "2000");
}

TEST(TextFormat, CutsToTheBufferAndAlwaysTerminates)
{
    char out[16];
    std::memset(out, 'X', sizeof out);
    EXPECT_EQ(formatText(out, 9, "%3.1f%", -5e10), 8u);
    EXPECT_STREQ(out, "-5000000");
    EXPECT_EQ(out[9], 'X'); // nothing past the given size

    // The widest double in fixed notation is far longer than any buffer here.
    EXPECT_EQ(format("%3.1f%", -1.7e308, 9).size(), 8u);

    out[0] = 'X';
    EXPECT_EQ(formatText(out, 0, "%3.1f%", 1.0), 0u);
    EXPECT_EQ(out[0], 'X');
}
