#include "ClapCompressor.h"
#include "ClapTables.h"

#include <cstring>

// The editor's tables: gui, and the host's timer and descriptor callbacks that drive it.
namespace
{
ClapCompressor* self(const clap_plugin_t* plugin)
{
    return ClapCompressor::from(plugin);
}

bool CLAP_ABI apiSupported(const clap_plugin_t*, const char* api, bool floating)
{
    return api && !floating && std::strcmp(api, kClapWindowApi) == 0;
}

bool CLAP_ABI preferredApi(const clap_plugin_t*, const char** api, bool* floating)
{
    if (!api || !floating) return false;
    *api = kClapWindowApi;
    *floating = false;
    return true;
}

bool CLAP_ABI create(const clap_plugin_t* plugin, const char* api, bool floating)
{
    ClapCompressor* p = self(plugin);
    return p && p->createEditor(api, floating);
}

void CLAP_ABI destroy(const clap_plugin_t* plugin)
{
    if (ClapCompressor* p = self(plugin)) p->destroyEditor();
}

bool CLAP_ABI setScale(const clap_plugin_t* plugin, double scale)
{
    ClapCompressor* p = self(plugin);
    return p && p->setEditorScale(scale);
}

bool CLAP_ABI size(const clap_plugin_t* plugin, std::uint32_t* width, std::uint32_t* height)
{
    ClapCompressor* p = self(plugin);
    return p && width && height && p->editorSize(*width, *height);
}

// The window has one size at each scale.
bool CLAP_ABI canResize(const clap_plugin_t*)
{
    return false;
}

bool CLAP_ABI resizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*)
{
    return false;
}

bool CLAP_ABI adjustSize(const clap_plugin_t*, std::uint32_t*, std::uint32_t*)
{
    return false;
}

bool CLAP_ABI setSize(const clap_plugin_t* plugin, std::uint32_t width, std::uint32_t height)
{
    std::uint32_t w = 0, h = 0;
    return size(plugin, &w, &h) && w == width && h == height;
}

bool CLAP_ABI setParent(const clap_plugin_t* plugin, const clap_window_t* window)
{
    ClapCompressor* p = self(plugin);
    return p && window && p->setEditorParent(*window);
}

// Embedded only: there is no window of our own to keep above another.
bool CLAP_ABI setTransient(const clap_plugin_t*, const clap_window_t*)
{
    return false;
}

void CLAP_ABI suggestTitle(const clap_plugin_t*, const char*) {}

// The embedded window is shown with its parent; hiding is the parent's to do.
bool CLAP_ABI show(const clap_plugin_t* plugin)
{
    ClapCompressor* p = self(plugin);
    return p && p->editorOpen();
}

bool CLAP_ABI hide(const clap_plugin_t*)
{
    return false;
}

const clap_plugin_gui_t kGui = {apiSupported, preferredApi, create,       destroy,    setScale,
                                size,         canResize,    resizeHints,  adjustSize, setSize,
                                setParent,    setTransient, suggestTitle, show,       hide};

void CLAP_ABI onTimer(const clap_plugin_t* plugin, clap_id id)
{
    if (ClapCompressor* p = self(plugin)) p->timerFired(id);
}

const clap_plugin_timer_support_t kTimers = {onTimer};

void CLAP_ABI onDescriptor(const clap_plugin_t* plugin, int descriptor, clap_posix_fd_flags_t)
{
    if (ClapCompressor* p = self(plugin)) p->descriptorReady(descriptor);
}

const clap_plugin_posix_fd_support_t kDescriptors = {onDescriptor};
} // namespace

const void* clapGuiExtension(const char* id)
{
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &kGui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimers;
    if (kClapWatchesDescriptors && std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0)
        return &kDescriptors;
    return nullptr;
}
