#include "ClapCompressor.h"
#include "ClapTables.h"

#include "EmbeddedEditor.h"
#include "SystemIdleTimer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The editor through the gui extension: one embedded window of a fixed size, driven by the
// host's timer and, where the window system has one, by the host watching the editor's event
// connection. Without a host timer, a system timer drives it where the system has one.
namespace
{
constexpr std::uint32_t kIdleMilliseconds = 30;
}

bool ClapCompressor::createEditor(const char* api, bool floating)
{
    if (!onMainThread() || editorCreated || floating || !api ||
        std::strcmp(api, kClapWindowApi) != 0)
        return false;
    editorCreated = true;
    return true;
}

void ClapCompressor::destroyEditor()
{
    if (!editorCreated || !onMainThread()) return;
    stopEditorIdle();
    editor->close();
    editorCreated = false;
}

// The host's factor, within the one to two that the editor draws at.
bool ClapCompressor::setEditorScale(double scale)
{
    if (!onMainThread() || !std::isfinite(scale) || scale <= 0.0) return false;
    editor->setScaleFactor(std::clamp(scale, 1.0, 2.0));
    return true;
}

bool ClapCompressor::editorSize(std::uint32_t& width, std::uint32_t& height)
{
    if (!editorCreated || !onMainThread()) return false;
    width = static_cast<std::uint32_t>(editor->width());
    height = static_cast<std::uint32_t>(editor->height());
    return true;
}

bool ClapCompressor::setEditorParent(const clap_window_t& window)
{
    if (!editorCreated || !onMainThread() || !window.api ||
        std::strcmp(window.api, kClapWindowApi) != 0)
        return false;
    stopEditorIdle();
    if (!editor->open(clapParentWindow(window))) return false;
    startEditorIdle();
    return true;
}

bool ClapCompressor::editorOpen() const
{
    return editorCreated && editor->isOpen();
}

void ClapCompressor::editorTick()
{
    if (editorCreated) editor->idle();
}

void ClapCompressor::startEditorIdle()
{
    if (hostTimers && hostTimers->register_timer &&
        !hostTimers->register_timer(host, kIdleMilliseconds, &idleTimer))
        idleTimer = CLAP_INVALID_ID;
    if (idleTimer == CLAP_INVALID_ID)
        systemTimer = SystemIdleTimer::start(
            editor->window(), kIdleMilliseconds,
            [](void* self) { static_cast<ClapCompressor*>(self)->editorTick(); }, this);
    const int descriptor = editor->eventDescriptor();
    if (kClapWatchesDescriptors && descriptor >= 0 && hostDescriptors &&
        hostDescriptors->register_fd &&
        hostDescriptors->register_fd(host, descriptor, CLAP_POSIX_FD_READ))
        watchedDescriptor = descriptor;
}

void ClapCompressor::stopEditorIdle()
{
    if (idleTimer != CLAP_INVALID_ID && hostTimers && hostTimers->unregister_timer)
        hostTimers->unregister_timer(host, idleTimer);
    idleTimer = CLAP_INVALID_ID;
    if (watchedDescriptor >= 0 && hostDescriptors && hostDescriptors->unregister_fd)
        hostDescriptors->unregister_fd(host, watchedDescriptor);
    watchedDescriptor = -1;
    systemTimer.reset();
}

void ClapCompressor::timerFired(clap_id id)
{
    if (id == idleTimer && id != CLAP_INVALID_ID && onMainThread()) editorTick();
}

void ClapCompressor::descriptorReady(int descriptor)
{
    if (descriptor == watchedDescriptor && descriptor >= 0 && onMainThread()) editorTick();
}
