#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The effect's whole state as a host saves it in a session or preset file: the nine programs
// and which of them is current. Nothing here knows a plug-in format, so every format's save and
// restore hands over the same bytes.
//
// A state written by this version (1) must be readable by every later build: a session saved
// today has to open in any later release. A later layout takes a new version number and keeps
// reading version 1; tests/core/golden/state-v1.bin holds one such state to keep that honest.
//
// The saved form, 996 bytes, every integer little-endian whatever the processor:
//   offset  size
//        0     4  magic "OFCS"
//        4     4  format version, 1
//        8     4  number of programs, 9
//       12     4  number of parameters per program, 21
//       16     4  current program, 0..8
//       20   972  nine programs of 108 bytes each, program p at 20 + 108 * p:
//                   +0   24  name, zero-padded; the terminator is implied, so 24 characters fit
//                   +24  84  21 values, each the 4 bytes of an IEEE-754 binary32 bit pattern
//      992     4  CRC-32 (reflected, polynomial 0xEDB88320) of bytes 0..991

constexpr int kStatePrograms = 9;
constexpr int kStateParams = 21;
constexpr int kStateNameChars = 24;
constexpr std::uint32_t kStateVersion = 1;
constexpr std::size_t kStateSize = 996;

struct EffectStateData
{
    std::int32_t currentProgram = 0;
    char names[kStatePrograms][kStateNameChars + 1] = {}; // each zero-terminated
    float values[kStatePrograms][kStateParams] = {};
};

// Always kStateSize bytes that decodeState accepts. The effect never holds anything else, but
// should a caller pass a state it could not have held, the save is still one that loads rather
// than a session that silently loses all nine programs: a name is cut at its first zero or at
// 24 characters, a current program outside 0..8 is saved as 0 and a NaN or infinite value as 0.
// Empty only when the memory for it cannot be had.
std::vector<std::uint8_t> encodeState(const EffectStateData& state) noexcept;

// Fills `out` only when the whole blob is a valid saved state; answers false and leaves `out`
// untouched otherwise. Refused: null data, any size but kStateSize, another magic or version,
// other counts, a current program outside 0..8, a name with anything but zeros after its first
// zero, a NaN or infinite value, a checksum that does not match. Finite values outside 0..1 are
// kept exactly as saved.
bool decodeState(const void* data, std::size_t size, EffectStateData& out) noexcept;

// The checksum the saved form ends with, over `size` bytes (the usual CRC-32 of zip and PNG).
std::uint32_t stateChecksum(const std::uint8_t* data, std::size_t size) noexcept;
