#pragma once

// The CLAP 1.2 extensions our plug-in offers or asks its host for: audio ports, parameters,
// state, latency, the editor window, timers, file-descriptor callbacks, render mode and the
// host's thread check. A host finds each by its id string through get_extension, so the ids
// must match the interface's byte for byte.
//
// Every extension here has had the same id since 1.0. CLAP 1.2 promoted several drafts to
// stable ids ending in "/N" and kept their ".draft" or "/draft-N" names for older hosts
// (audio-ports-activation, context-menu, param-indication, remote-controls, preset-load,
// track-info, configurable-audio-ports, state-context, preset-discovery); the plug-in uses
// none of those, so it declares neither name.

#include "ClapCore.h"

extern "C"
{

    // ---- audio-ports ---------------------------------------------------------------------------

    static constexpr char CLAP_EXT_AUDIO_PORTS[] = "clap.audio-ports";
    static constexpr char CLAP_PORT_MONO[] = "mono";
    static constexpr char CLAP_PORT_STEREO[] = "stereo";

    enum
    {
        CLAP_AUDIO_PORT_IS_MAIN = 1 << 0,
        CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1 << 1,
        CLAP_AUDIO_PORT_PREFERS_64BITS = 1 << 2,
        CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1 << 3,
    };

    typedef struct clap_audio_port_info
    {
        clap_id id;
        char name[CLAP_NAME_SIZE];
        uint32_t flags;
        uint32_t channel_count;
        const char* port_type; // CLAP_PORT_STEREO for ours; null when no type applies
        // The output that may share this input's buffer, or CLAP_INVALID_ID.
        clap_id in_place_pair;
    } clap_audio_port_info_t;

    typedef struct clap_plugin_audio_ports
    {
        uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin, bool is_input);
        bool(CLAP_ABI* get)(const clap_plugin_t* plugin, uint32_t index, bool is_input,
                            clap_audio_port_info_t* info);
    } clap_plugin_audio_ports_t;

    // ---- params --------------------------------------------------------------------------------

    static constexpr char CLAP_EXT_PARAMS[] = "clap.params";

    enum
    {
        CLAP_PARAM_IS_STEPPED = 1 << 0,
        CLAP_PARAM_IS_PERIODIC = 1 << 1,
        CLAP_PARAM_IS_HIDDEN = 1 << 2,
        CLAP_PARAM_IS_READONLY = 1 << 3,
        // Merges the host's bypass with ours; the parameter must also be stepped, 0 to 1.
        CLAP_PARAM_IS_BYPASS = 1 << 4,
        CLAP_PARAM_IS_AUTOMATABLE = 1 << 5,
        CLAP_PARAM_IS_AUTOMATABLE_PER_NOTE_ID = 1 << 6,
        CLAP_PARAM_IS_AUTOMATABLE_PER_KEY = 1 << 7,
        CLAP_PARAM_IS_AUTOMATABLE_PER_CHANNEL = 1 << 8,
        CLAP_PARAM_IS_AUTOMATABLE_PER_PORT = 1 << 9,
        CLAP_PARAM_IS_MODULATABLE = 1 << 10,
        CLAP_PARAM_IS_MODULATABLE_PER_NOTE_ID = 1 << 11,
        CLAP_PARAM_IS_MODULATABLE_PER_KEY = 1 << 12,
        CLAP_PARAM_IS_MODULATABLE_PER_CHANNEL = 1 << 13,
        CLAP_PARAM_IS_MODULATABLE_PER_PORT = 1 << 14,
        CLAP_PARAM_REQUIRES_PROCESS = 1 << 15,
        // New in 1.2: every value from min to max has a name; requires IS_STEPPED as well.
        CLAP_PARAM_IS_ENUM = 1 << 16,
    };
    typedef uint32_t clap_param_info_flags;

    typedef struct clap_param_info
    {
        clap_id id;
        clap_param_info_flags flags;
        void* cookie; // handed back in every event for this parameter
        char name[CLAP_NAME_SIZE];
        char module[CLAP_PATH_SIZE];
        double min_value;
        double max_value;
        double default_value;
    } clap_param_info_t;

    typedef struct clap_plugin_params
    {
        uint32_t(CLAP_ABI* count)(const clap_plugin_t* plugin);
        bool(CLAP_ABI* get_info)(const clap_plugin_t* plugin, uint32_t param_index,
                                 clap_param_info_t* param_info);
        bool(CLAP_ABI* get_value)(const clap_plugin_t* plugin, clap_id param_id, double* value);
        bool(CLAP_ABI* value_to_text)(const clap_plugin_t* plugin, clap_id param_id, double value,
                                      char* out_buffer, uint32_t out_buffer_capacity);
        bool(CLAP_ABI* text_to_value)(const clap_plugin_t* plugin, clap_id param_id,
                                      const char* param_value_text, double* out_value);
        // Parameter events outside process(): while inactive, or active but not processing.
        void(CLAP_ABI* flush)(const clap_plugin_t* plugin, const clap_input_events_t* in,
                              const clap_output_events_t* out);
    } clap_plugin_params_t;

    enum
    {
        CLAP_PARAM_RESCAN_VALUES = 1 << 0,
        CLAP_PARAM_RESCAN_TEXT = 1 << 1,
        CLAP_PARAM_RESCAN_INFO = 1 << 2,
        CLAP_PARAM_RESCAN_ALL = 1 << 3,
    };
    typedef uint32_t clap_param_rescan_flags;

    enum
    {
        CLAP_PARAM_CLEAR_ALL = 1 << 0,
        CLAP_PARAM_CLEAR_AUTOMATIONS = 1 << 1,
        CLAP_PARAM_CLEAR_MODULATIONS = 1 << 2,
    };
    typedef uint32_t clap_param_clear_flags;

    typedef struct clap_host_params
    {
        void(CLAP_ABI* rescan)(const clap_host_t* host, clap_param_rescan_flags flags);
        void(CLAP_ABI* clear)(const clap_host_t* host, clap_id param_id,
                              clap_param_clear_flags flags);
        // The editor's way to get its edits to the host while the plug-in is not processing.
        void(CLAP_ABI* request_flush)(const clap_host_t* host);
    } clap_host_params_t;

    // ---- state ---------------------------------------------------------------------------------

    static constexpr char CLAP_EXT_STATE[] = "clap.state";

    // Both return the bytes moved, 0 at the end of the stream, or -1 on error; either may move
    // fewer bytes than asked, so callers loop.
    typedef struct clap_istream
    {
        void* ctx;
        int64_t(CLAP_ABI* read)(const struct clap_istream* stream, void* buffer, uint64_t size);
    } clap_istream_t;

    typedef struct clap_ostream
    {
        void* ctx;
        int64_t(CLAP_ABI* write)(const struct clap_ostream* stream, const void* buffer,
                                 uint64_t size);
    } clap_ostream_t;

    typedef struct clap_plugin_state
    {
        bool(CLAP_ABI* save)(const clap_plugin_t* plugin, const clap_ostream_t* stream);
        bool(CLAP_ABI* load)(const clap_plugin_t* plugin, const clap_istream_t* stream);
    } clap_plugin_state_t;

    typedef struct clap_host_state
    {
        void(CLAP_ABI* mark_dirty)(const clap_host_t* host);
    } clap_host_state_t;

    // ---- latency -------------------------------------------------------------------------------

    static constexpr char CLAP_EXT_LATENCY[] = "clap.latency";

    typedef struct clap_plugin_latency
    {
        uint32_t(CLAP_ABI* get)(const clap_plugin_t* plugin); // in frames
    } clap_plugin_latency_t;

    typedef struct clap_host_latency
    {
        void(CLAP_ABI* changed)(const clap_host_t* host);
    } clap_host_latency_t;

    // ---- gui -----------------------------------------------------------------------------------

    static constexpr char CLAP_EXT_GUI[] = "clap.gui";

    // The window systems the editor embeds into; both use physical pixels.
    static constexpr char CLAP_WINDOW_API_WIN32[] = "win32";
    static constexpr char CLAP_WINDOW_API_X11[] = "x11";

    typedef void* clap_hwnd;
    typedef void* clap_nsview;
    // An X11 window id is an unsigned long: 4 bytes on 64-bit Windows, but no X11 there.
    typedef unsigned long clap_xwnd;

    typedef struct clap_window
    {
        const char* api; // one of CLAP_WINDOW_API_*, says which member is set
        union
        {
            clap_nsview cocoa;
            clap_xwnd x11;
            clap_hwnd win32;
            void* ptr;
        };
    } clap_window_t;

    typedef struct clap_gui_resize_hints
    {
        bool can_resize_horizontally;
        bool can_resize_vertically;
        bool preserve_aspect_ratio;
        uint32_t aspect_ratio_width;
        uint32_t aspect_ratio_height;
    } clap_gui_resize_hints_t;

    typedef struct clap_plugin_gui
    {
        bool(CLAP_ABI* is_api_supported)(const clap_plugin_t* plugin, const char* api,
                                         bool is_floating);
        bool(CLAP_ABI* get_preferred_api)(const clap_plugin_t* plugin, const char** api,
                                          bool* is_floating);
        bool(CLAP_ABI* create)(const clap_plugin_t* plugin, const char* api, bool is_floating);
        void(CLAP_ABI* destroy)(const clap_plugin_t* plugin);
        bool(CLAP_ABI* set_scale)(const clap_plugin_t* plugin, double scale);
        bool(CLAP_ABI* get_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
        bool(CLAP_ABI* can_resize)(const clap_plugin_t* plugin);
        bool(CLAP_ABI* get_resize_hints)(const clap_plugin_t* plugin,
                                         clap_gui_resize_hints_t* hints);
        bool(CLAP_ABI* adjust_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
        bool(CLAP_ABI* set_size)(const clap_plugin_t* plugin, uint32_t width, uint32_t height);
        bool(CLAP_ABI* set_parent)(const clap_plugin_t* plugin, const clap_window_t* window);
        bool(CLAP_ABI* set_transient)(const clap_plugin_t* plugin, const clap_window_t* window);
        void(CLAP_ABI* suggest_title)(const clap_plugin_t* plugin, const char* title);
        bool(CLAP_ABI* show)(const clap_plugin_t* plugin);
        bool(CLAP_ABI* hide)(const clap_plugin_t* plugin);
    } clap_plugin_gui_t;

    typedef struct clap_host_gui
    {
        void(CLAP_ABI* resize_hints_changed)(const clap_host_t* host);
        bool(CLAP_ABI* request_resize)(const clap_host_t* host, uint32_t width, uint32_t height);
        bool(CLAP_ABI* request_show)(const clap_host_t* host);
        bool(CLAP_ABI* request_hide)(const clap_host_t* host);
        void(CLAP_ABI* closed)(const clap_host_t* host, bool was_destroyed);
    } clap_host_gui_t;

    // ---- timer-support -------------------------------------------------------------------------

    static constexpr char CLAP_EXT_TIMER_SUPPORT[] = "clap.timer-support";

    typedef struct clap_plugin_timer_support
    {
        void(CLAP_ABI* on_timer)(const clap_plugin_t* plugin, clap_id timer_id);
    } clap_plugin_timer_support_t;

    typedef struct clap_host_timer_support
    {
        bool(CLAP_ABI* register_timer)(const clap_host_t* host, uint32_t period_ms,
                                       clap_id* timer_id);
        bool(CLAP_ABI* unregister_timer)(const clap_host_t* host, clap_id timer_id);
    } clap_host_timer_support_t;

    // ---- posix-fd-support ----------------------------------------------------------------------

    static constexpr char CLAP_EXT_POSIX_FD_SUPPORT[] = "clap.posix-fd-support";

    enum
    {
        CLAP_POSIX_FD_READ = 1 << 0,
        CLAP_POSIX_FD_WRITE = 1 << 1,
        CLAP_POSIX_FD_ERROR = 1 << 2,
    };
    typedef uint32_t clap_posix_fd_flags_t;

    typedef struct clap_plugin_posix_fd_support
    {
        // Level-triggered: a writable descriptor keeps calling until its WRITE flag is removed.
        void(CLAP_ABI* on_fd)(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t flags);
    } clap_plugin_posix_fd_support_t;

    typedef struct clap_host_posix_fd_support
    {
        bool(CLAP_ABI* register_fd)(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
        bool(CLAP_ABI* modify_fd)(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
        bool(CLAP_ABI* unregister_fd)(const clap_host_t* host, int fd);
    } clap_host_posix_fd_support_t;

    // ---- render --------------------------------------------------------------------------------

    static constexpr char CLAP_EXT_RENDER[] = "clap.render";

    enum
    {
        CLAP_RENDER_REALTIME = 0,
        CLAP_RENDER_OFFLINE = 1,
    };
    typedef int32_t clap_plugin_render_mode;

    typedef struct clap_plugin_render
    {
        bool(CLAP_ABI* has_hard_realtime_requirement)(const clap_plugin_t* plugin);
        bool(CLAP_ABI* set)(const clap_plugin_t* plugin, clap_plugin_render_mode mode);
    } clap_plugin_render_t;

    // ---- thread-check --------------------------------------------------------------------------

    static constexpr char CLAP_EXT_THREAD_CHECK[] = "clap.thread-check";

    typedef struct clap_host_thread_check
    {
        bool(CLAP_ABI* is_main_thread)(const clap_host_t* host);
        bool(CLAP_ABI* is_audio_thread)(const clap_host_t* host);
    } clap_host_thread_check_t;

} // extern "C"
