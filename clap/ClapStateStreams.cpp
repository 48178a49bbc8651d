#include "ClapCompressor.h"

#include "EffectState.h"

#include <vector>

// The effect's saved state through the host's streams. A stream may move any number of bytes per
// call, so both directions loop; a call that moves nothing while bytes remain to be written, or
// claims more than it was given room for, ends the transfer as a failure.
bool ClapCompressor::saveState(const clap_ostream_t& stream)
{
    if (!stream.write || !onMainThread()) return false;
    const std::vector<std::uint8_t> state = effect->saveState();
    std::size_t written = 0;
    while (written < state.size())
    {
        const std::uint64_t left = state.size() - written;
        const std::int64_t moved = stream.write(&stream, state.data() + written, left);
        if (moved <= 0 || static_cast<std::uint64_t>(moved) > left) return false;
        written += static_cast<std::size_t>(moved);
    }
    return true;
}

// A stream longer than any state of ours is not ours: it is refused without reading it all.
// Once loaded, the host is told to read every value again; none of them is an edit.
bool ClapCompressor::loadState(const clap_istream_t& stream)
{
    if (!stream.read || !onMainThread()) return false;
    std::uint8_t data[kStateSize + 1];
    std::size_t size = 0;
    while (size < sizeof data)
    {
        const std::uint64_t room = sizeof data - size;
        const std::int64_t moved = stream.read(&stream, data + size, room);
        if (moved == 0) break;
        if (moved < 0 || static_cast<std::uint64_t>(moved) > room) return false;
        size += static_cast<std::size_t>(moved);
    }
    if (size > kStateSize || !effect->loadState(data, size)) return false;
    rememberValuesAsKnown();
    if (hostParams && hostParams->rescan) hostParams->rescan(host, CLAP_PARAM_RESCAN_VALUES);
    return true;
}
