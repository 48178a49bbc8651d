#include "Vst3StateStream.h"

#include <algorithm>

using namespace vst3;

bool writeWhole(IBStream* stream, const std::vector<std::uint8_t>& bytes)
{
    if (!stream) return false;
    std::vector<std::uint8_t> copy(bytes); // write takes a mutable buffer
    std::size_t done = 0;
    while (done < copy.size())
    {
        int32 written = 0;
        const auto chunk = static_cast<int32>(copy.size() - done);
        if (stream->write(copy.data() + done, chunk, &written) != kResultOk || written <= 0 ||
            written > chunk)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool readWhole(IBStream* stream, std::vector<std::uint8_t>& bytes)
{
    if (!stream) return false;
    bytes.clear();
    std::uint8_t chunk[4096];
    while (bytes.size() <= kMaxStateBytes)
    {
        int32 got = 0;
        const tresult result = stream->read(chunk, sizeof chunk, &got);
        if (result != kResultOk || got <= 0) return result == kResultOk || !bytes.empty();
        got = std::min<int32>(got, static_cast<int32>(sizeof chunk));
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return false;
}
