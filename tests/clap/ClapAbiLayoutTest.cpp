// Sizes and field offsets of the CLAP records whose layout a host relies on, against values
// worked out by hand from the interface's documented field lists under natural C alignment:
// one column for 8-byte pointers (Linux x86-64, Windows x64), one for 4-byte pointers on
// 32-bit Windows, where 64-bit integers and doubles still sit on 8 bytes.

#include "AbiLayout.h"
#include "ClapExtensions.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <type_traits>

// The plug-in library defines the entry symbol with exactly this type, and the records are
// plain C data a host may copy byte for byte.
static_assert(std::is_same_v<decltype(clap_entry), const clap_plugin_entry_t>);
static_assert(std::is_standard_layout_v<clap_process_t> &&
              std::is_trivially_copyable_v<clap_process_t>);
static_assert(std::is_standard_layout_v<clap_param_info_t> &&
              std::is_trivially_copyable_v<clap_param_info_t>);
static_assert(std::is_standard_layout_v<clap_event_param_value_t> &&
              std::is_trivially_copyable_v<clap_event_param_value_t>);

namespace
{

const AbiLayout layouts[] = {
    OFC_ABI_SIZE(clap_version_t, 12, 12),
    OFC_ABI_AT(clap_version_t, major, 0, 0),
    OFC_ABI_AT(clap_version_t, minor, 4, 4),
    OFC_ABI_AT(clap_version_t, revision, 8, 8),

    OFC_ABI_SIZE(clap_plugin_entry_t, 40, 24),
    OFC_ABI_AT(clap_plugin_entry_t, init, 16, 12),
    OFC_ABI_AT(clap_plugin_entry_t, deinit, 24, 16),
    OFC_ABI_AT(clap_plugin_entry_t, get_factory, 32, 20),

    OFC_ABI_SIZE(clap_plugin_factory_t, 24, 12),
    OFC_ABI_AT(clap_plugin_factory_t, create_plugin, 16, 8),

    OFC_ABI_SIZE(clap_plugin_descriptor_t, 88, 48),
    OFC_ABI_AT(clap_plugin_descriptor_t, clap_version, 0, 0),
    OFC_ABI_AT(clap_plugin_descriptor_t, id, 16, 12),
    OFC_ABI_AT(clap_plugin_descriptor_t, name, 24, 16),
    OFC_ABI_AT(clap_plugin_descriptor_t, vendor, 32, 20),
    OFC_ABI_AT(clap_plugin_descriptor_t, url, 40, 24),
    OFC_ABI_AT(clap_plugin_descriptor_t, manual_url, 48, 28),
    OFC_ABI_AT(clap_plugin_descriptor_t, support_url, 56, 32),
    OFC_ABI_AT(clap_plugin_descriptor_t, version, 64, 36),
    OFC_ABI_AT(clap_plugin_descriptor_t, description, 72, 40),
    OFC_ABI_AT(clap_plugin_descriptor_t, features, 80, 44),

    OFC_ABI_SIZE(clap_plugin_t, 96, 48),
    OFC_ABI_AT(clap_plugin_t, plugin_data, 8, 4),
    OFC_ABI_AT(clap_plugin_t, init, 16, 8),
    OFC_ABI_AT(clap_plugin_t, destroy, 24, 12),
    OFC_ABI_AT(clap_plugin_t, activate, 32, 16),
    OFC_ABI_AT(clap_plugin_t, deactivate, 40, 20),
    OFC_ABI_AT(clap_plugin_t, start_processing, 48, 24),
    OFC_ABI_AT(clap_plugin_t, stop_processing, 56, 28),
    OFC_ABI_AT(clap_plugin_t, reset, 64, 32),
    OFC_ABI_AT(clap_plugin_t, process, 72, 36),
    OFC_ABI_AT(clap_plugin_t, get_extension, 80, 40),
    OFC_ABI_AT(clap_plugin_t, on_main_thread, 88, 44),

    OFC_ABI_SIZE(clap_host_t, 88, 48),
    OFC_ABI_AT(clap_host_t, host_data, 16, 12),
    OFC_ABI_AT(clap_host_t, version, 48, 28),
    OFC_ABI_AT(clap_host_t, get_extension, 56, 32),
    OFC_ABI_AT(clap_host_t, request_callback, 80, 44),

    OFC_ABI_SIZE(clap_process_t, 64, 40),
    OFC_ABI_AT(clap_process_t, steady_time, 0, 0),
    OFC_ABI_AT(clap_process_t, frames_count, 8, 8),
    OFC_ABI_AT(clap_process_t, transport, 16, 12),
    OFC_ABI_AT(clap_process_t, audio_inputs, 24, 16),
    OFC_ABI_AT(clap_process_t, audio_outputs, 32, 20),
    OFC_ABI_AT(clap_process_t, audio_inputs_count, 40, 24),
    OFC_ABI_AT(clap_process_t, audio_outputs_count, 44, 28),
    OFC_ABI_AT(clap_process_t, in_events, 48, 32),
    OFC_ABI_AT(clap_process_t, out_events, 56, 36),

    OFC_ABI_SIZE(clap_audio_buffer_t, 32, 24),
    OFC_ABI_AT(clap_audio_buffer_t, data32, 0, 0),
    OFC_ABI_AT(clap_audio_buffer_t, data64, 8, 4),
    OFC_ABI_AT(clap_audio_buffer_t, channel_count, 16, 8),
    OFC_ABI_AT(clap_audio_buffer_t, latency, 20, 12),
    OFC_ABI_AT(clap_audio_buffer_t, constant_mask, 24, 16),

    OFC_ABI_SIZE(clap_event_header_t, 16, 16),
    OFC_ABI_AT(clap_event_header_t, size, 0, 0),
    OFC_ABI_AT(clap_event_header_t, time, 4, 4),
    OFC_ABI_AT(clap_event_header_t, space_id, 8, 8),
    OFC_ABI_AT(clap_event_header_t, type, 10, 10),
    OFC_ABI_AT(clap_event_header_t, flags, 12, 12),

    OFC_ABI_SIZE(clap_event_param_value_t, 56, 48),
    OFC_ABI_AT(clap_event_param_value_t, header, 0, 0),
    OFC_ABI_AT(clap_event_param_value_t, param_id, 16, 16),
    OFC_ABI_AT(clap_event_param_value_t, cookie, 24, 20),
    OFC_ABI_AT(clap_event_param_value_t, note_id, 32, 24),
    OFC_ABI_AT(clap_event_param_value_t, port_index, 36, 28),
    OFC_ABI_AT(clap_event_param_value_t, channel, 38, 30),
    OFC_ABI_AT(clap_event_param_value_t, key, 40, 32),
    OFC_ABI_AT(clap_event_param_value_t, value, 48, 40),

    OFC_ABI_SIZE(clap_event_param_gesture_t, 20, 20),
    OFC_ABI_AT(clap_event_param_gesture_t, param_id, 16, 16),

    OFC_ABI_SIZE(clap_input_events_t, 24, 12),
    OFC_ABI_AT(clap_input_events_t, get, 16, 8),
    OFC_ABI_SIZE(clap_output_events_t, 16, 8),

    OFC_ABI_SIZE(clap_param_info_t, 1320, 1320),
    OFC_ABI_AT(clap_param_info_t, id, 0, 0),
    OFC_ABI_AT(clap_param_info_t, flags, 4, 4),
    OFC_ABI_AT(clap_param_info_t, cookie, 8, 8),
    OFC_ABI_AT(clap_param_info_t, name, 16, 12),
    OFC_ABI_AT(clap_param_info_t, module, 272, 268),
    OFC_ABI_AT(clap_param_info_t, min_value, 1296, 1296),
    OFC_ABI_AT(clap_param_info_t, max_value, 1304, 1304),
    OFC_ABI_AT(clap_param_info_t, default_value, 1312, 1312),

    OFC_ABI_SIZE(clap_audio_port_info_t, 288, 276),
    OFC_ABI_AT(clap_audio_port_info_t, id, 0, 0),
    OFC_ABI_AT(clap_audio_port_info_t, name, 4, 4),
    OFC_ABI_AT(clap_audio_port_info_t, flags, 260, 260),
    OFC_ABI_AT(clap_audio_port_info_t, channel_count, 264, 264),
    OFC_ABI_AT(clap_audio_port_info_t, port_type, 272, 268),
    OFC_ABI_AT(clap_audio_port_info_t, in_place_pair, 280, 272),

    OFC_ABI_SIZE(clap_window_t, 16, 8),
    OFC_ABI_AT(clap_window_t, api, 0, 0),
    OFC_ABI_AT(clap_window_t, x11, 8, 4),
    OFC_ABI_AT(clap_window_t, win32, 8, 4),
    OFC_ABI_AT(clap_window_t, cocoa, 8, 4),

    OFC_ABI_SIZE(clap_gui_resize_hints_t, 12, 12),
    OFC_ABI_AT(clap_gui_resize_hints_t, preserve_aspect_ratio, 2, 2),
    OFC_ABI_AT(clap_gui_resize_hints_t, aspect_ratio_width, 4, 4),

    OFC_ABI_SIZE(clap_istream_t, 16, 8),
    OFC_ABI_SIZE(clap_ostream_t, 16, 8),
};

// The extension tables are arrays of function pointers in the documented order: a missing or
// extra entry moves every one after it.
struct FunctionTable
{
    const char* what;
    std::size_t actual;
    std::size_t entries;
};

#define OFC_TABLE(type, entries)                                                                   \
    FunctionTable                                                                                  \
    {                                                                                              \
#type, sizeof(type), entries                                                               \
    }

const FunctionTable tables[] = {
    OFC_TABLE(clap_plugin_audio_ports_t, 2),
    OFC_TABLE(clap_plugin_params_t, 6),
    OFC_TABLE(clap_host_params_t, 3),
    OFC_TABLE(clap_plugin_state_t, 2),
    OFC_TABLE(clap_host_state_t, 1),
    OFC_TABLE(clap_plugin_latency_t, 1),
    OFC_TABLE(clap_host_latency_t, 1),
    OFC_TABLE(clap_plugin_gui_t, 15),
    OFC_TABLE(clap_host_gui_t, 5),
    OFC_TABLE(clap_plugin_timer_support_t, 1),
    OFC_TABLE(clap_host_timer_support_t, 2),
    OFC_TABLE(clap_plugin_posix_fd_support_t, 1),
    OFC_TABLE(clap_host_posix_fd_support_t, 3),
    OFC_TABLE(clap_plugin_render_t, 2),
    OFC_TABLE(clap_host_thread_check_t, 2),
};

// Only these two data models have hand-worked expectations; 32-bit System V x86 aligns
// doubles inside records on 4 bytes and would need its own column.
bool layoutIsCovered()
{
#if defined(_WIN32)
    return true;
#else
    return sizeof(void*) == 8;
#endif
}

TEST(ClapAbiLayout, RecordsMatchTheDocumentedLayout)
{
    if (!layoutIsCovered()) GTEST_SKIP() << "no expectations written for this data model";
    for (const AbiLayout& e : layouts)
        EXPECT_EQ(e.actual, e.expected()) << e.what;
}

TEST(ClapAbiLayout, ExtensionTablesHoldTheDocumentedEntries)
{
    for (const FunctionTable& t : tables)
        EXPECT_EQ(t.actual, t.entries * sizeof(void (*)())) << t.what;
}

} // namespace
