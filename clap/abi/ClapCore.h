#pragma once

// The core of the CLAP 1.2 binary interface as our plug-in needs it: the version, the entry
// symbol and its plug-in factory, the descriptor, the plug-in and host records, the events we
// read and write, and the process call. Written from the interface's published documentation;
// a host built against any 1.x interface must find every field where it expects it.
//
// CLAP 1.x records use the platform's natural C layout: no packing and no alignment override
// (the 0.x interfaces packed to an explicit CLAP_ALIGN; 1.0 dropped that). So a 64-bit field
// sits on 8 bytes on every target we build for, 32-bit Windows included, and the layout tests
// state each offset for 8-byte and for 4-byte pointers.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) || defined(__CYGWIN__)
#define CLAP_ABI __cdecl
#define CLAP_EXPORT __declspec(dllexport)
#else
#define CLAP_ABI
#define CLAP_EXPORT __attribute__((visibility("default")))
#endif

extern "C"
{

    // ---- version -------------------------------------------------------------------------------

    typedef struct clap_version
    {
        uint32_t major;
        uint32_t minor;
        uint32_t revision;
    } clap_version_t;

#define CLAP_VERSION_MAJOR 1
#define CLAP_VERSION_MINOR 2
#define CLAP_VERSION_REVISION 0

    static constexpr clap_version_t CLAP_VERSION = {CLAP_VERSION_MAJOR, CLAP_VERSION_MINOR,
                                                    CLAP_VERSION_REVISION};

    // A host or plug-in of any 1.x interface can talk to us; 0.x ones were development
    // snapshots with other layouts.
    constexpr bool clap_version_is_compatible(clap_version_t v)
    {
        return v.major >= 1;
    }

    // ---- identifiers and string sizes
    // ------------------------------------------------------------

    typedef uint32_t clap_id;
    static constexpr clap_id CLAP_INVALID_ID = UINT32_MAX;

    enum
    {
        CLAP_NAME_SIZE = 256,
        CLAP_PATH_SIZE = 1024,
    };

    // ---- plug-in features (the descriptor's null-terminated list) -----------------------------

    static constexpr char CLAP_PLUGIN_FEATURE_AUDIO_EFFECT[] = "audio-effect";
    static constexpr char CLAP_PLUGIN_FEATURE_COMPRESSOR[] = "compressor";
    static constexpr char CLAP_PLUGIN_FEATURE_STEREO[] = "stereo";

    // ---- events --------------------------------------------------------------------------------

    // Every event starts with this header; size counts the whole event, header included, so a
    // reader can skip event types it does not know.
    typedef struct clap_event_header
    {
        uint32_t size;
        uint32_t time; // frame offset within the block
        uint16_t space_id;
        uint16_t type;
        uint32_t flags;
    } clap_event_header_t;

    // Event types are only meaningful within this space; others come from extensions.
    static constexpr uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;

    enum clap_event_flags
    {
        CLAP_EVENT_IS_LIVE = 1 << 0,
        CLAP_EVENT_DONT_RECORD = 1 << 1,
    };

    enum
    {
        CLAP_EVENT_NOTE_ON = 0,
        CLAP_EVENT_NOTE_OFF = 1,
        CLAP_EVENT_NOTE_CHOKE = 2,
        CLAP_EVENT_NOTE_END = 3,
        CLAP_EVENT_NOTE_EXPRESSION = 4,
        CLAP_EVENT_PARAM_VALUE = 5,
        CLAP_EVENT_PARAM_MOD = 6,
        CLAP_EVENT_PARAM_GESTURE_BEGIN = 7,
        CLAP_EVENT_PARAM_GESTURE_END = 8,
        CLAP_EVENT_TRANSPORT = 9,
        CLAP_EVENT_MIDI = 10,
        CLAP_EVENT_MIDI_SYSEX = 11,
        CLAP_EVENT_MIDI2 = 12,
    };

    // A parameter's new plain value. The note, port, channel and key fields address a voice;
    // -1 is the wildcard, which is all a global effect parameter ever receives or sends.
    typedef struct clap_event_param_value
    {
        clap_event_header_t header;
        clap_id param_id;
        void* cookie;
        int32_t note_id;
        int16_t port_index;
        int16_t channel;
        int16_t key;
        double value;
    } clap_event_param_value_t;

    // Brackets a run of value events from one user gesture, so the host records one edit.
    typedef struct clap_event_param_gesture
    {
        clap_event_header_t header;
        clap_id param_id;
    } clap_event_param_gesture_t;

    // Only pointed to from the process record; a global effect never reads the transport.
    struct clap_event_transport;

    typedef struct clap_input_events
    {
        void* ctx;
        uint32_t(CLAP_ABI* size)(const struct clap_input_events* list);
        const clap_event_header_t*(CLAP_ABI* get)(const struct clap_input_events* list,
                                                  uint32_t index);
    } clap_input_events_t;

    typedef struct clap_output_events
    {
        void* ctx;
        // Copies the event; false when the host's queue is full.
        bool(CLAP_ABI* try_push)(const struct clap_output_events* list,
                                 const clap_event_header_t* event);
    } clap_output_events_t;

    // ---- audio and the process call ------------------------------------------------------------

    typedef struct clap_audio_buffer
    {
        // Exactly one of the two is set, as the port's sample size says.
        float** data32;
        double** data64;
        uint32_t channel_count;
        uint32_t latency;
        // Bit n set: channel n holds one value for the whole block.
        uint64_t constant_mask;
    } clap_audio_buffer_t;

    enum
    {
        CLAP_PROCESS_ERROR = 0,
        CLAP_PROCESS_CONTINUE = 1,
        CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2,
        CLAP_PROCESS_TAIL = 3,
        CLAP_PROCESS_SLEEP = 4,
    };
    typedef int32_t clap_process_status;

    typedef struct clap_process
    {
        int64_t steady_time; // -1 when the host has no steady clock
        uint32_t frames_count;
        const struct clap_event_transport* transport;
        const clap_audio_buffer_t* audio_inputs;
        clap_audio_buffer_t* audio_outputs;
        uint32_t audio_inputs_count;
        uint32_t audio_outputs_count;
        const clap_input_events_t* in_events;
        const clap_output_events_t* out_events;
    } clap_process_t;

    // ---- host ----------------------------------------------------------------------------------

    typedef struct clap_host
    {
        clap_version_t clap_version;
        void* host_data;
        const char* name;
        const char* vendor;
        const char* url;
        const char* version;
        const void*(CLAP_ABI* get_extension)(const struct clap_host* host,
                                             const char* extension_id);
        void(CLAP_ABI* request_restart)(const struct clap_host* host);
        void(CLAP_ABI* request_process)(const struct clap_host* host);
        // Asks for a later on_main_thread call: how the audio thread hands work to the main one.
        void(CLAP_ABI* request_callback)(const struct clap_host* host);
    } clap_host_t;

    // ---- plug-in -------------------------------------------------------------------------------

    typedef struct clap_plugin_descriptor
    {
        clap_version_t clap_version;
        const char* id;
        const char* name;
        const char* vendor;
        const char* url;
        const char* manual_url;
        const char* support_url;
        const char* version;
        const char* description;
        const char* const* features; // null-terminated
    } clap_plugin_descriptor_t;

    typedef struct clap_plugin
    {
        const clap_plugin_descriptor_t* desc;
        void* plugin_data;
        bool(CLAP_ABI* init)(const struct clap_plugin* plugin);
        void(CLAP_ABI* destroy)(const struct clap_plugin* plugin);
        bool(CLAP_ABI* activate)(const struct clap_plugin* plugin, double sample_rate,
                                 uint32_t min_frames_count, uint32_t max_frames_count);
        void(CLAP_ABI* deactivate)(const struct clap_plugin* plugin);
        bool(CLAP_ABI* start_processing)(const struct clap_plugin* plugin);
        void(CLAP_ABI* stop_processing)(const struct clap_plugin* plugin);
        void(CLAP_ABI* reset)(const struct clap_plugin* plugin);
        clap_process_status(CLAP_ABI* process)(const struct clap_plugin* plugin,
                                               const clap_process_t* process);
        const void*(CLAP_ABI* get_extension)(const struct clap_plugin* plugin, const char* id);
        void(CLAP_ABI* on_main_thread)(const struct clap_plugin* plugin);
    } clap_plugin_t;

    // ---- factory and entry ---------------------------------------------------------------------

    static constexpr char CLAP_PLUGIN_FACTORY_ID[] = "clap.plugin-factory";

    typedef struct clap_plugin_factory
    {
        uint32_t(CLAP_ABI* get_plugin_count)(const struct clap_plugin_factory* factory);
        const clap_plugin_descriptor_t*(CLAP_ABI* get_plugin_descriptor)(
            const struct clap_plugin_factory* factory, uint32_t index);
        const clap_plugin_t*(CLAP_ABI* create_plugin)(const struct clap_plugin_factory* factory,
                                                      const clap_host_t* host,
                                                      const char* plugin_id);
    } clap_plugin_factory_t;

    // The library's one exported symbol is a clap_plugin_entry named clap_entry. init and
    // deinit may come in more than one matched pair per load (a host and a wrapper inside it
    // may both call them), so the plug-in counts them.
    typedef struct clap_plugin_entry
    {
        clap_version_t clap_version;
        bool(CLAP_ABI* init)(const char* plugin_path);
        void(CLAP_ABI* deinit)(void);
        const void*(CLAP_ABI* get_factory)(const char* factory_id);
    } clap_plugin_entry_t;

    // Defined, with CLAP_EXPORT, by the plug-in library alone.
    extern const clap_plugin_entry_t clap_entry;

} // extern "C"
