// Every id string and constant the plug-in exchanges with a host, against the values the CLAP
// 1.2 documentation gives. A host compares ids byte for byte and constants bit for bit, so one
// wrong character or shifted flag silently disables an extension or misreads an event.

#include "ClapExtensions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace
{

struct IdString
{
    const char* what;
    const char* actual;
    std::size_t arraySize; // sizeof the declared array: the text plus one terminator
    const char* documented;
};

#define OFC_ID(name, documented)                                                                   \
    IdString                                                                                       \
    {                                                                                              \
#name, name, sizeof(name), documented                                                      \
    }

const IdString ids[] = {
    OFC_ID(CLAP_PLUGIN_FACTORY_ID, "clap.plugin-factory"),
    OFC_ID(CLAP_EXT_AUDIO_PORTS, "clap.audio-ports"),
    OFC_ID(CLAP_EXT_PARAMS, "clap.params"),
    OFC_ID(CLAP_EXT_STATE, "clap.state"),
    OFC_ID(CLAP_EXT_LATENCY, "clap.latency"),
    OFC_ID(CLAP_EXT_GUI, "clap.gui"),
    OFC_ID(CLAP_EXT_TIMER_SUPPORT, "clap.timer-support"),
    OFC_ID(CLAP_EXT_POSIX_FD_SUPPORT, "clap.posix-fd-support"),
    OFC_ID(CLAP_EXT_RENDER, "clap.render"),
    OFC_ID(CLAP_EXT_THREAD_CHECK, "clap.thread-check"),
    OFC_ID(CLAP_PORT_MONO, "mono"),
    OFC_ID(CLAP_PORT_STEREO, "stereo"),
    OFC_ID(CLAP_WINDOW_API_X11, "x11"),
    OFC_ID(CLAP_WINDOW_API_WIN32, "win32"),
    OFC_ID(CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, "audio-effect"),
    OFC_ID(CLAP_PLUGIN_FEATURE_COMPRESSOR, "compressor"),
    OFC_ID(CLAP_PLUGIN_FEATURE_STEREO, "stereo"),
};

TEST(ClapAbiIdentifiers, IdStringsAreTheDocumentedOnes)
{
    for (const IdString& id : ids)
    {
        EXPECT_EQ(std::string(id.actual), std::string(id.documented)) << id.what;
        // No stray characters after the terminator the host stops at.
        EXPECT_EQ(id.arraySize, std::strlen(id.documented) + 1) << id.what;
    }
}

struct Constant
{
    const char* what;
    std::int64_t actual;
    std::int64_t documented;
};

#define OFC_CONSTANT(name, documented)                                                             \
    Constant                                                                                       \
    {                                                                                              \
#name, static_cast < std::int64_t>(name), documented                                       \
    }

const Constant constants[] = {
    OFC_CONSTANT(CLAP_VERSION_MAJOR, 1),
    OFC_CONSTANT(CLAP_VERSION_MINOR, 2),
    OFC_CONSTANT(CLAP_VERSION.major, 1),
    OFC_CONSTANT(CLAP_VERSION.minor, 2),
    OFC_CONSTANT(CLAP_VERSION.revision, CLAP_VERSION_REVISION),
    OFC_CONSTANT(CLAP_INVALID_ID, 0xFFFFFFFF),
    OFC_CONSTANT(CLAP_NAME_SIZE, 256),
    OFC_CONSTANT(CLAP_PATH_SIZE, 1024),

    OFC_CONSTANT(CLAP_CORE_EVENT_SPACE_ID, 0),
    OFC_CONSTANT(CLAP_EVENT_IS_LIVE, 0x1),
    OFC_CONSTANT(CLAP_EVENT_DONT_RECORD, 0x2),
    OFC_CONSTANT(CLAP_EVENT_NOTE_ON, 0),
    OFC_CONSTANT(CLAP_EVENT_NOTE_OFF, 1),
    OFC_CONSTANT(CLAP_EVENT_NOTE_CHOKE, 2),
    OFC_CONSTANT(CLAP_EVENT_NOTE_END, 3),
    OFC_CONSTANT(CLAP_EVENT_NOTE_EXPRESSION, 4),
    OFC_CONSTANT(CLAP_EVENT_PARAM_VALUE, 5),
    OFC_CONSTANT(CLAP_EVENT_PARAM_MOD, 6),
    OFC_CONSTANT(CLAP_EVENT_PARAM_GESTURE_BEGIN, 7),
    OFC_CONSTANT(CLAP_EVENT_PARAM_GESTURE_END, 8),
    OFC_CONSTANT(CLAP_EVENT_TRANSPORT, 9),
    OFC_CONSTANT(CLAP_EVENT_MIDI, 10),
    OFC_CONSTANT(CLAP_EVENT_MIDI_SYSEX, 11),
    OFC_CONSTANT(CLAP_EVENT_MIDI2, 12),

    OFC_CONSTANT(CLAP_PROCESS_ERROR, 0),
    OFC_CONSTANT(CLAP_PROCESS_CONTINUE, 1),
    OFC_CONSTANT(CLAP_PROCESS_CONTINUE_IF_NOT_QUIET, 2),
    OFC_CONSTANT(CLAP_PROCESS_TAIL, 3),
    OFC_CONSTANT(CLAP_PROCESS_SLEEP, 4),

    OFC_CONSTANT(CLAP_AUDIO_PORT_IS_MAIN, 0x1),
    OFC_CONSTANT(CLAP_AUDIO_PORT_SUPPORTS_64BITS, 0x2),
    OFC_CONSTANT(CLAP_AUDIO_PORT_PREFERS_64BITS, 0x4),
    OFC_CONSTANT(CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE, 0x8),

    OFC_CONSTANT(CLAP_PARAM_IS_STEPPED, 0x1),
    OFC_CONSTANT(CLAP_PARAM_IS_PERIODIC, 0x2),
    OFC_CONSTANT(CLAP_PARAM_IS_HIDDEN, 0x4),
    OFC_CONSTANT(CLAP_PARAM_IS_READONLY, 0x8),
    OFC_CONSTANT(CLAP_PARAM_IS_BYPASS, 0x10),
    OFC_CONSTANT(CLAP_PARAM_IS_AUTOMATABLE, 0x20),
    OFC_CONSTANT(CLAP_PARAM_IS_AUTOMATABLE_PER_NOTE_ID, 0x40),
    OFC_CONSTANT(CLAP_PARAM_IS_AUTOMATABLE_PER_KEY, 0x80),
    OFC_CONSTANT(CLAP_PARAM_IS_AUTOMATABLE_PER_CHANNEL, 0x100),
    OFC_CONSTANT(CLAP_PARAM_IS_AUTOMATABLE_PER_PORT, 0x200),
    OFC_CONSTANT(CLAP_PARAM_IS_MODULATABLE, 0x400),
    OFC_CONSTANT(CLAP_PARAM_IS_MODULATABLE_PER_NOTE_ID, 0x800),
    OFC_CONSTANT(CLAP_PARAM_IS_MODULATABLE_PER_KEY, 0x1000),
    OFC_CONSTANT(CLAP_PARAM_IS_MODULATABLE_PER_CHANNEL, 0x2000),
    OFC_CONSTANT(CLAP_PARAM_IS_MODULATABLE_PER_PORT, 0x4000),
    OFC_CONSTANT(CLAP_PARAM_REQUIRES_PROCESS, 0x8000),
    OFC_CONSTANT(CLAP_PARAM_IS_ENUM, 0x10000),
    OFC_CONSTANT(CLAP_PARAM_RESCAN_VALUES, 0x1),
    OFC_CONSTANT(CLAP_PARAM_RESCAN_TEXT, 0x2),
    OFC_CONSTANT(CLAP_PARAM_RESCAN_INFO, 0x4),
    OFC_CONSTANT(CLAP_PARAM_RESCAN_ALL, 0x8),
    OFC_CONSTANT(CLAP_PARAM_CLEAR_ALL, 0x1),
    OFC_CONSTANT(CLAP_PARAM_CLEAR_AUTOMATIONS, 0x2),
    OFC_CONSTANT(CLAP_PARAM_CLEAR_MODULATIONS, 0x4),

    OFC_CONSTANT(CLAP_POSIX_FD_READ, 0x1),
    OFC_CONSTANT(CLAP_POSIX_FD_WRITE, 0x2),
    OFC_CONSTANT(CLAP_POSIX_FD_ERROR, 0x4),

    OFC_CONSTANT(CLAP_RENDER_REALTIME, 0),
    OFC_CONSTANT(CLAP_RENDER_OFFLINE, 1),
};

TEST(ClapAbiIdentifiers, ConstantsHaveTheDocumentedValues)
{
    for (const Constant& c : constants)
        EXPECT_EQ(c.actual, c.documented) << c.what;
}

struct VersionCase
{
    clap_version_t offered;
    bool compatible;
};

// Any 1.x (or later) peer speaks our layouts; the 0.x development snapshots did not.
const VersionCase versions[] = {
    {{0, 16, 0}, false}, {{0, 0, 0}, false}, {{1, 0, 0}, true},
    {{1, 1, 10}, true},  {{1, 2, 0}, true},  {{2, 0, 0}, true},
};

TEST(ClapAbiIdentifiers, OnlyReleasedVersionsAreCompatible)
{
    static_assert(clap_version_is_compatible(CLAP_VERSION));
    for (const VersionCase& v : versions)
        EXPECT_EQ(clap_version_is_compatible(v.offered), v.compatible)
            << v.offered.major << "." << v.offered.minor << "." << v.offered.revision;
}

} // namespace
