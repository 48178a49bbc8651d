#include "ClapTables.h"

const char* const kClapWindowApi = CLAP_WINDOW_API_WIN32;
// The editor's window messages come through the host's own message loop.
const bool kClapWatchesDescriptors = false;

void* clapParentWindow(const clap_window_t& window)
{
    return window.win32;
}
