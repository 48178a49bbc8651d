#include "EffectState.h"

#include "ParameterIds.h"
#include "Program.h"

#include <cstring>
#include <new>

static_assert(kStatePrograms == kNumPrograms, "the saved form holds every program");
static_assert(kStateParams == kNumParams, "the saved form holds every parameter");
static_assert(kStateNameChars == Program::kNameChars, "a saved name holds a whole program name");
static_assert(sizeof(float) == 4, "values are saved as binary32");

namespace
{
constexpr std::uint8_t kMagic[4] = {'O', 'F', 'C', 'S'};
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kProgramSize = kStateNameChars + 4 * kStateParams;
constexpr std::size_t kChecksumOffset = kHeaderSize + kStatePrograms * kProgramSize;
static_assert(kChecksumOffset + 4 == kStateSize, "the layout in EffectState.h adds up");

// Shifts rather than a copy of the integer, so a big-endian reader and the 32-bit builds
// write and read the same bytes, and nothing assumes the buffer is aligned.
void putU32(std::uint8_t* at, std::uint32_t v)
{
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
    at[2] = static_cast<std::uint8_t>(v >> 16);
    at[3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint32_t getU32(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint32_t floatBits(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

float bitsFloat(std::uint32_t bits)
{
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Decided on the bits, so no compiler flag about floating point can change the answer.
bool isFiniteBits(std::uint32_t bits)
{
    return (bits & 0x7F800000u) != 0x7F800000u;
}

// The byte-at-a-time table: a state is saved and loaded rarely, but the table is tiny and
// built at compile time.
struct CrcTable
{
    std::uint32_t entry[256];
};

constexpr CrcTable makeCrcTable()
{
    CrcTable table{};
    for (std::uint32_t i = 0; i < 256; ++i)
    {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table.entry[i] = c;
    }
    return table;
}

constexpr CrcTable kCrcTable = makeCrcTable();
} // namespace

std::uint32_t stateChecksum(const std::uint8_t* data, std::size_t size) noexcept
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        crc = kCrcTable.entry[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> encodeState(const EffectStateData& state) noexcept
{
    std::vector<std::uint8_t> blob;
    try
    {
        blob.assign(kStateSize, 0);
    }
    catch (const std::bad_alloc&)
    {
        return {};
    }
    std::uint8_t* at = blob.data();

    std::memcpy(at, kMagic, sizeof kMagic);
    putU32(at + 4, kStateVersion);
    putU32(at + 8, kStatePrograms);
    putU32(at + 12, kStateParams);
    const bool currentValid = state.currentProgram >= 0 && state.currentProgram < kStatePrograms;
    putU32(at + 16, currentValid ? static_cast<std::uint32_t>(state.currentProgram) : 0u);

    for (int p = 0; p < kStatePrograms; ++p)
    {
        std::uint8_t* program = at + kHeaderSize + p * kProgramSize;
        // Whatever follows the terminator in memory stays behind: the loader refuses a name
        // with bytes after its zero, and the blob is already zero there.
        const char* name = state.names[p];
        for (int i = 0; i < kStateNameChars && name[i] != '\0'; ++i)
            program[i] = static_cast<std::uint8_t>(name[i]);

        for (int i = 0; i < kStateParams; ++i)
        {
            const std::uint32_t bits = floatBits(state.values[p][i]);
            putU32(program + kStateNameChars + 4 * i, isFiniteBits(bits) ? bits : 0u);
        }
    }

    putU32(at + kChecksumOffset, stateChecksum(at, kChecksumOffset));
    return blob;
}

bool decodeState(const void* data, std::size_t size, EffectStateData& out) noexcept
{
    if (!data || size != kStateSize) return false;
    const auto* at = static_cast<const std::uint8_t*>(data);

    if (getU32(at + kChecksumOffset) != stateChecksum(at, kChecksumOffset)) return false;
    if (std::memcmp(at, kMagic, sizeof kMagic) != 0) return false;
    // A later version may mean anything; loading it as this one would be a guess.
    if (getU32(at + 4) != kStateVersion) return false;
    if (getU32(at + 8) != kStatePrograms || getU32(at + 12) != kStateParams) return false;
    // Unsigned, so a negative program saved as two's complement is refused too.
    const std::uint32_t current = getU32(at + 16);
    if (current >= static_cast<std::uint32_t>(kStatePrograms)) return false;

    // Read into a copy, whose names start zeroed: `out` changes only once everything has passed.
    EffectStateData read;
    read.currentProgram = static_cast<std::int32_t>(current);
    for (int p = 0; p < kStatePrograms; ++p)
    {
        const std::uint8_t* program = at + kHeaderSize + p * kProgramSize;
        bool ended = false;
        for (int i = 0; i < kStateNameChars; ++i)
        {
            const std::uint8_t c = program[i];
            if (c == 0)
                ended = true;
            else if (ended)
                return false;
            read.names[p][i] = static_cast<char>(c);
        }

        for (int i = 0; i < kStateParams; ++i)
        {
            const std::uint32_t bits = getU32(program + kStateNameChars + 4 * i);
            if (!isFiniteBits(bits)) return false;
            read.values[p][i] = bitsFloat(bits);
        }
    }

    out = read;
    return true;
}
