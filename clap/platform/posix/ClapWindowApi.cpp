#include "ClapTables.h"

#include <cstdint>

const char* const kClapWindowApi = CLAP_WINDOW_API_X11;
const bool kClapWatchesDescriptors = true;

// The editor takes an X11 window id in the place of a pointer, as VST 2.4 hosts hand it over.
void* clapParentWindow(const clap_window_t& window)
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.x11));
}
