#include "Vst3EditorView.h"

#include "EmbeddedEditor.h"
#include "NativeViewType.h"
#include "Vst3Plugin.h"

#include <cstring>

using namespace vst3;

Vst3EditorView::Vst3EditorView(Vst3Plugin& owner) : plugin(owner)
{
    plugin.addRef();
}

Vst3EditorView::~Vst3EditorView()
{
    if (isAttached) removed();
    plugin.viewClosed(this);
    plugin.release();
}

tresult Vst3EditorView::findInterface(const TUID iid, void** obj)
{
    if (FUnknown::iid.matches(iid) || IPlugView::iid.matches(iid))
        return vst3Grant<IPlugView>(this, obj);
    if (IPlugViewContentScaleSupport::iid.matches(iid))
        return vst3Grant<IPlugViewContentScaleSupport>(this, obj);
    if (Linux::ITimerHandler::iid.matches(iid)) return vst3Grant<Linux::ITimerHandler>(this, obj);
    if (Linux::IEventHandler::iid.matches(iid)) return vst3Grant<Linux::IEventHandler>(this, obj);
    return kNoInterface;
}

tresult Vst3EditorView::isPlatformTypeSupported(FIDString type)
{
    return type && std::strcmp(type, nativeViewType()) == 0 ? kResultTrue : kResultFalse;
}

tresult Vst3EditorView::attached(void* parent, FIDString type)
{
    if (isAttached || !parent || isPlatformTypeSupported(type) != kResultTrue) return kResultFalse;
    if (!plugin.editor().open(parent)) return kResultFalse;
    if (!startIdle())
    {
        plugin.editor().close();
        return kResultFalse;
    }
    isAttached = true;
    return kResultOk;
}

tresult Vst3EditorView::removed()
{
    if (!isAttached) return kResultFalse;
    stopIdle();
    plugin.editor().close();
    isAttached = false;
    return kResultOk;
}

// The host's run loop where it offers one (found through the frame), else the system's timer;
// without either the editor could not be kept alive, and is not opened.
bool Vst3EditorView::startIdle()
{
    void* found = nullptr;
    if (frame && frame->queryInterface(Linux::IRunLoop::iid.bytes, &found) == kResultOk && found)
    {
        runLoop = static_cast<Linux::IRunLoop*>(found);
        if (runLoop->registerTimer(this, kIdleIntervalMs) == kResultOk)
        {
            const int fd = plugin.editor().eventDescriptor();
            watchingEvents = fd >= 0 && runLoop->registerEventHandler(this, fd) == kResultOk;
            return true;
        }
        runLoop->release();
        runLoop = nullptr;
    }
    systemTimer = SystemIdleTimer::start(plugin.editor().window(),
                                         static_cast<unsigned>(kIdleIntervalMs), systemTick, this);
    return systemTimer != nullptr;
}

void Vst3EditorView::stopIdle()
{
    systemTimer.reset();
    if (!runLoop) return;
    if (watchingEvents) runLoop->unregisterEventHandler(this);
    runLoop->unregisterTimer(this);
    runLoop->release();
    runLoop = nullptr;
    watchingEvents = false;
}

void Vst3EditorView::systemTick(void* view)
{
    static_cast<Vst3EditorView*>(view)->onTimer();
}

void Vst3EditorView::onTimer()
{
    if (isAttached) plugin.editor().idle();
}

void Vst3EditorView::onFDIsSet(Linux::FileDescriptor)
{
    onTimer();
}

tresult Vst3EditorView::getSize(ViewRect* size)
{
    if (!size) return kInvalidArgument;
    *size = ViewRect{0, 0, plugin.editor().width(), plugin.editor().height()};
    return kResultOk;
}

// The editor keeps its size; a host that offers another is told what it is.
tresult Vst3EditorView::onSize(ViewRect* newSize)
{
    if (!newSize) return kInvalidArgument;
    return newSize->getWidth() == plugin.editor().width() &&
                   newSize->getHeight() == plugin.editor().height()
               ? kResultOk
               : kResultFalse;
}

tresult Vst3EditorView::checkSizeConstraint(ViewRect* rect)
{
    if (!rect) return kInvalidArgument;
    rect->right = rect->left + plugin.editor().width();
    rect->bottom = rect->top + plugin.editor().height();
    return kResultOk;
}

tresult Vst3EditorView::setFrame(IPlugFrame* newFrame)
{
    frame = newFrame;
    return kResultOk;
}

tresult Vst3EditorView::setContentScaleFactor(ScaleFactor factor)
{
    if (!(factor > 0.0f)) return kInvalidArgument;
    plugin.editor().setScaleFactor(factor);
    return kResultOk;
}

bool Vst3EditorView::requestSize(int32 width, int32 height)
{
    ViewRect rect{0, 0, width, height};
    return frame && frame->resizeView(this, &rect) == kResultOk;
}
