// Reads, and for a test edits, the VST3 plug-in's state in an Ardour 7 session file. Ardour keeps
// it as base64 text in the <chunk> of the plug-in's <vst3> element: a VST3 preset container whose
// "Comp" and "Cont" entries hold what the component and the controller saved, here both the
// effect's saved form (EffectState.h). No host call can rename a program, so a test that wants a
// renamed program to survive Ardour's save and reload puts one into the file before Ardour opens
// it.
//
// Usage: ofc_ardour_vst3_state SESSION.ardour show
//        ofc_ardour_vst3_state SESSION.ardour rename PROGRAM NAME
// show prints the current program, then each program's name and values; rename rewrites the
// file with program PROGRAM (0..8) renamed in both entries, then shows the result. Either
// fails (exit 1) unless the file holds exactly one such state, both entries decode and agree.

#include "EffectState.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<std::uint8_t>;

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool fromBase64(const std::string& text, Bytes& out)
{
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text)
    {
        if (c == '=' || c == '\n' || c == '\r' || c == ' ' || c == '\t') continue;
        const char* at = std::strchr(kAlphabet, c);
        if (!at || c == '\0') return false;
        bits = (bits << 6) | static_cast<std::uint32_t>(at - kAlphabet);
        if ((count += 6) >= 8)
        {
            count -= 8;
            out.push_back(static_cast<std::uint8_t>(bits >> count));
        }
    }
    return true;
}

std::string toBase64(const Bytes& data)
{
    std::string text;
    for (std::size_t i = 0; i < data.size(); i += 3)
    {
        std::uint32_t group = static_cast<std::uint32_t>(data[i]) << 16;
        if (i + 1 < data.size()) group |= static_cast<std::uint32_t>(data[i + 1]) << 8;
        if (i + 2 < data.size()) group |= data[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            text += i + k <= data.size() ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return text;
}

std::uint64_t readLE(const Bytes& data, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | data[at + static_cast<std::size_t>(i)];
    return value;
}

// The container's entries that hold a state, by offset: the component's first.
struct Entries
{
    std::size_t component = 0, controller = 0;
};

bool findEntries(const Bytes& blob, Entries& found)
{
    if (blob.size() < 48 || std::memcmp(blob.data(), "VST3", 4) != 0) return false;
    const std::uint64_t list = readLE(blob, 40, 8);
    if (list > blob.size() - 8 || std::memcmp(&blob[list], "List", 4) != 0) return false;
    const std::uint64_t count = readLE(blob, list + 4, 4);
    if (count > (blob.size() - list - 8) / 20) return false;
    for (std::uint64_t e = 0; e < count; ++e)
    {
        const std::size_t at = list + 8 + 20 * e;
        const std::uint64_t offset = readLE(blob, at + 4, 8), size = readLE(blob, at + 12, 8);
        if (size != kStateSize || offset > blob.size() - kStateSize) return false;
        if (std::memcmp(&blob[at], "Comp", 4) == 0) found.component = offset;
        if (std::memcmp(&blob[at], "Cont", 4) == 0) found.controller = offset;
    }
    return found.component != 0 && found.controller != 0;
}

bool decodeEntry(const Bytes& blob, std::size_t offset, EffectStateData& state)
{
    return decodeState(&blob[offset], kStateSize, state);
}

void show(const EffectStateData& state)
{
    std::printf("current program: %d\n", state.currentProgram);
    for (int p = 0; p < kStatePrograms; ++p)
    {
        std::printf("program %d name: %s\nprogram %d values:", p, state.names[p], p);
        for (const float v : state.values[p])
            std::printf(" %.9g", static_cast<double>(v));
        std::printf("\n");
    }
}

int fail(const char* why)
{
    std::printf("FAIL: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const bool rename = argc == 5 && std::strcmp(argv[2], "rename") == 0;
    if (!rename && !(argc == 3 && std::strcmp(argv[2], "show") == 0))
    {
        std::fprintf(stderr, "usage: %s SESSION.ardour show | rename PROGRAM NAME\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    std::string session = read.str();

    const std::size_t element = session.find("<vst3 ");
    if (!in || element == std::string::npos) return fail("no VST3 plug-in state in the session");
    if (session.find("<vst3 ", element + 1) != std::string::npos)
        return fail("more than one VST3 plug-in state in the session");
    const std::size_t start = session.find("<chunk>", element);
    const std::size_t end = session.find("</chunk>", element);
    if (start == std::string::npos || end == std::string::npos || end < start)
        return fail("the VST3 plug-in's element has no chunk");
    const std::size_t textStart = start + 7;

    Bytes blob;
    Entries entries;
    EffectStateData state, controller;
    if (!fromBase64(session.substr(textStart, end - textStart), blob) ||
        !findEntries(blob, entries))
        return fail("the chunk is not a VST3 state container with component and controller state");
    if (!decodeEntry(blob, entries.component, state) ||
        !decodeEntry(blob, entries.controller, controller))
        return fail("a saved state is not the effect's");
    // One object is both: what it saved twice must be the same bytes.
    if (std::memcmp(&blob[entries.component], &blob[entries.controller], kStateSize) != 0)
        return fail("the component's and the controller's saved states differ");

    if (rename)
    {
        const int program = std::atoi(argv[3]);
        if (program < 0 || program >= kStatePrograms || std::strlen(argv[4]) > kStateNameChars)
            return fail("no such program, or the name is too long");
        std::memset(state.names[program], 0, sizeof state.names[program]);
        std::memcpy(state.names[program], argv[4], std::strlen(argv[4]));
        const Bytes bytes = encodeState(state);
        if (bytes.size() != kStateSize) return fail("cannot encode the renamed state");
        std::memcpy(&blob[entries.component], bytes.data(), kStateSize);
        std::memcpy(&blob[entries.controller], bytes.data(), kStateSize);
        session.replace(textStart, end - textStart, toBase64(blob));
        const std::string temporary = std::string(argv[1]) + ".new";
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << session;
        out.close();
        if (!out || std::rename(temporary.c_str(), argv[1]) != 0)
            return fail("cannot write the session file");
    }
    show(state);
    return 0;
}
