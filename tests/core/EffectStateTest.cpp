#include "EffectState.h"
#include "StringCopy.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>

namespace
{
using Blob = std::vector<std::uint8_t>;

// Offsets written out rather than taken from the code, so a layout that drifts fails here.
std::size_t valueAt(int program, int index)
{
    return 20 + 108 * program + 24 + 4 * index;
}

Blob with(Blob blob, std::size_t at, std::uint32_t v, bool fixChecksum = true)
{
    for (int i = 0; i < 4; ++i)
        blob[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return fixChecksum ? with(blob, 992, stateChecksum(blob.data(), 992), false) : blob;
}

std::uint32_t bitsOf(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

EffectStateData sentinel()
{
    EffectStateData s; // trivially copyable, so any bytes make a state to compare against
    std::memset(static_cast<void*>(&s), 0xA5, sizeof s);
    return s;
}

// Equal to the bit, name bytes after the text included.
void expectSame(const EffectStateData& got, const EffectStateData& want, const std::string& what)
{
    EXPECT_EQ(got.currentProgram, want.currentProgram) << what;
    for (int p = 0; p < kStatePrograms; ++p)
    {
        EXPECT_EQ(0, std::memcmp(got.names[p], want.names[p], sizeof got.names[p])) << what << p;
        for (int i = 0; i < kStateParams; ++i)
            EXPECT_EQ(bitsOf(got.values[p][i]), bitsOf(want.values[p][i])) << what << p << i;
    }
}

void setName(char (&name)[kStateNameChars + 1], const char* text)
{
    std::memset(name, 0, sizeof name);
    copyString(name, text, kStateNameChars);
}

EffectStateData namedState(const char* const (&names)[kStatePrograms], int current)
{
    EffectStateData s;
    s.currentProgram = current;
    for (int p = 0; p < kStatePrograms; ++p)
    {
        setName(s.names[p], names[p]);
        for (int i = 0; i < kStateParams; ++i)
            s.values[p][i] = static_cast<float>((p * 5 + i * 3) % 21) / 20.0f;
    }
    return s;
}

// The fields of golden/state-v1.bin: factory-like, program 6 renamed to the full 24 characters.
EffectStateData goldenState()
{
    EffectStateData s =
        namedState({"Downward Comp. Reset", "Upward Comp. Reset", "Mastering: Smooth",
                    "Mastering: Tight", "Mastering: Aggressive", "Mastering: Upward",
                    "Late-night vocal bus AGC", "Classic Compressor I", "Classic Compressor II"},
                   6);
    s.values[0][2] = 0.475f;
    s.values[2][19] = -0.0f;
    s.values[7][20] = 1.25f;
    return s;
}
} // namespace

// Every name length 0..24 with bytes above 127, every current program, values kept to the bit.
TEST(EffectState, RoundTripKeepsEveryNameLengthValueBitAndProgram)
{
    const float values[] = {0.0f,  -0.0f,   1.0f,     0.1f,    -1.0f,        1.5f,
                            1e30f, FLT_MAX, -FLT_MAX, FLT_MIN, FLT_TRUE_MIN, -FLT_TRUE_MIN};
    for (int current = 0; current < kStatePrograms; ++current)
    {
        EffectStateData s;
        s.currentProgram = current;
        for (int p = 0; p < kStatePrograms; ++p)
        {
            for (int i = 0; i < (current * kStatePrograms + p) % 25; ++i)
                s.names[p][i] = static_cast<char>(0x20 + (current * 31 + p * 7 + i * 13) % 0xDF);
            for (int i = 0; i < kStateParams; ++i)
                s.values[p][i] = values[(current + p * kStateParams + i) % std::size(values)];
        }
        EffectStateData out = sentinel();
        const Blob blob = encodeState(s);
        ASSERT_TRUE(decodeState(blob.data(), blob.size(), out));
        expectSame(out, s, "current " + std::to_string(current) + ": ");
    }
}

// What the effect cannot hold is still saved as a state that loads, not one that loses it all.
TEST(EffectState, EncodingAStateTheEffectCannotHoldStillLoads)
{
    EffectStateData spoilt = goldenState(), want = goldenState();
    spoilt.currentProgram = -1;
    std::memcpy(spoilt.names[2], "ab\0junk", 7);
    std::memset(spoilt.names[8], 'x', sizeof spoilt.names[8]); // no terminator at all
    spoilt.values[4][7] = std::nanf("");
    spoilt.values[8][20] = -INFINITY;
    want.currentProgram = 0;
    setName(want.names[2], "ab");
    setName(want.names[8], "xxxxxxxxxxxxxxxxxxxxxxxxx");
    want.values[4][7] = want.values[8][20] = 0.0f;
    EffectStateData out = sentinel();
    const Blob blob = encodeState(spoilt);
    ASSERT_TRUE(decodeState(blob.data(), blob.size(), out));
    expectSame(out, want, "");
}

// Each refused with `out` left as it was. A blob that breaks one field has its checksum
// recomputed, so only that field can be what refuses it.
TEST(EffectState, HostileBlobsAreRefusedAndLeaveOutUntouched)
{
    const Blob valid = encodeState(goldenState());
    const std::uint32_t crc = stateChecksum(valid.data(), 992);
    Blob longer = valid;
    longer.push_back(0);
    std::vector<std::pair<std::string, Blob>> cases = {
        {"empty", {}},
        {"one byte too long", longer},
        {"magic", with(valid, 0, 0x7343464F)}, // "OFCs"
        {"version 0", with(valid, 4, 0)},
        {"version 2", with(valid, 4, 2)},
        {"version 1 big-endian", with(valid, 4, 0x01000000)},
        {"10 programs", with(valid, 8, 10)},
        {"0xFFFFFFFF programs", with(valid, 8, 0xFFFFFFFF)},
        {"20 parameters", with(valid, 12, 20)},
        {"program 9", with(valid, 16, 9)},
        {"program -1", with(valid, 16, 0xFFFFFFFF)},
        {"NaN", with(valid, valueAt(0, 0), 0x7FC00000)},
        {"signalling NaN", with(valid, valueAt(4, 10), 0x7F800001)},
        {"+inf", with(valid, valueAt(8, 20), 0x7F800000)},
        {"-inf", with(valid, valueAt(3, 5), 0xFF800000)},
        {"byte after terminator", with(valid, 20 + 108 * 1 + 18, 0x00580000)}, // "\0\0X\0"
        {"checksum one off", with(valid, 992, crc + 1, false)},
        {"checksum big-endian", with(valid, 992, __builtin_bswap32(crc), false)},
    };
    for (std::size_t size = 0; size < valid.size(); ++size)
        cases.push_back(
            {"truncated " + std::to_string(size), Blob(valid.begin(), valid.begin() + size)});
    for (std::size_t bit = 0; bit < 8 * valid.size(); ++bit)
    {
        cases.push_back({"bit flipped " + std::to_string(bit), valid});
        cases.back().second[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
    }
    std::mt19937 random(20240611);
    for (int n = 0; n < 3000; ++n) // one in three the right size, or most stop at the size check
    {
        cases.push_back({"random " + std::to_string(n), Blob(n % 3 ? random() % 2000 : 996)});
        for (auto& b : cases.back().second)
            b = static_cast<std::uint8_t>(random());
    }

    const EffectStateData before = sentinel();
    EffectStateData out = before;
    EXPECT_FALSE(decodeState(nullptr, 996, out));
    EXPECT_FALSE(decodeState(nullptr, 0, out));
    for (const auto& [what, blob] : cases)
        EXPECT_FALSE(decodeState(blob.data(), blob.size(), out)) << what;
    EXPECT_EQ(0, std::memcmp(&out, &before, sizeof out));
    EXPECT_TRUE(decodeState(valid.data(), valid.size(), out)) << "the blob the others break";
}

// A session saved by this version opens in every later build: the committed bytes decode to the
// fields they were written from, and encoding those fields gives the same bytes again.
TEST(EffectState, GoldenVersion1StateStillDecodesAndEncodesTheSame)
{
    std::ifstream file(OFC_STATE_GOLDEN, std::ios::binary);
    const Blob golden{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_EQ(golden.size(), 996u) << OFC_STATE_GOLDEN;
    EffectStateData out = sentinel();
    ASSERT_TRUE(decodeState(golden.data(), golden.size(), out));
    expectSame(out, goldenState(), "golden ");
    EXPECT_EQ(encodeState(goldenState()), golden);
}
