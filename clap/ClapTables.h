#pragma once

#include "ClapExtensions.h"

// The C function tables the host calls through, each forwarding to ClapCompressor.
const clap_plugin_descriptor_t& clapDescriptor();
void fillPluginCallbacks(clap_plugin_t& record);
// The gui, timer-support and posix-fd-support tables (ClapGuiTables.cpp), or null.
const void* clapGuiExtension(const char* id);

// Per platform (platform/*/ClapWindowApi.cpp): the window system the editor embeds into, the
// parent it is handed as the editor takes it, and whether the editor has a descriptor to watch.
extern const char* const kClapWindowApi;
void* clapParentWindow(const clap_window_t& window);
extern const bool kClapWatchesDescriptors;
