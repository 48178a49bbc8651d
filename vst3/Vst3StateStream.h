#pragma once

#include "Vst3Base.h"

#include <cstdint>
#include <vector>

// A host's stream may move fewer bytes per call than asked, so both loop until done. Reading
// stops at the stream's end, at an error, or past the largest state we would accept: a stream
// that never ends cannot make us read for ever.
constexpr std::size_t kMaxStateBytes = 1 << 16;

bool writeWhole(vst3::IBStream* stream, const std::vector<std::uint8_t>& bytes);
// False for a null stream, a failing one, or one holding more than kMaxStateBytes.
bool readWhole(vst3::IBStream* stream, std::vector<std::uint8_t>& bytes);
