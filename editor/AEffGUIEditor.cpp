#include "AEffGUIEditor.h"

#include "CFrame.h"
#include "drawing/DeviceScale.h"
#include "platform/SystemScale.h"
#include "platform/TickClock.h"

#include <utility>

namespace
{
// During a drag the controls ask for idle work on every mouse move; it runs at most this often.
constexpr uint32_t kIdleStuffIntervalMs = 50;
constexpr uint32_t kIdleStuffWaitMs = 4;

CKeyCode toolkitKey(const VstKeyCode& key)
{
    // The host's virtual keys and modifier bits are the toolkit's own numbers.
    CKeyCode code;
    code.character = key.character;
    code.virt = key.virt;
    code.modifier = key.modifier;
    return code;
}
} // namespace

AEffGUIEditor::AEffGUIEditor(EditorAccess& editorAccess)
    : AEffEditor(nullptr), access(&editorAccess), nextIdleTicks(getTickCount())
{
}

AEffGUIEditor::AEffGUIEditor(std::unique_ptr<EditorAccess> ownAccess)
    : AEffEditor(nullptr), ownedAccess(std::move(ownAccess)), access(ownedAccess.get()),
      nextIdleTicks(getTickCount())
{
}

AEffGUIEditor::~AEffGUIEditor()
{
    if (frame) frame->forget();
    frame = nullptr;
}

bool AEffGUIEditor::getRect(ERect** outRect)
{
    updateScaledRect();
    *outRect = &scaledRect;
    return true;
}

void AEffGUIEditor::updateScaledRect()
{
    // A window opened now asks the system; an open one keeps the factor it was drawn at.
    const double factor =
        frame ? frame->getScale() : (hostScale > 0 ? hostScale : systemScaleFactor());
    const CRect device = toDeviceRect(CRect(rect.left, rect.top, rect.right, rect.bottom), factor);
    scaledRect.left = static_cast<VstInt16>(device.left);
    scaledRect.top = static_cast<VstInt16>(device.top);
    scaledRect.right = static_cast<VstInt16>(device.right);
    scaledRect.bottom = static_cast<VstInt16>(device.bottom);
}

double AEffGUIEditor::getScaleFactor() const
{
    if (hostScale > 0) return hostScale;
    // A window-less editor (the snapshot export) draws at 1 unless the host says otherwise.
    return systemWindow ? windowScaleFactor(systemWindow) : 1.0;
}

bool AEffGUIEditor::setScaleFactor(float factor)
{
    hostScale = clampScaleFactor(factor);
    if (frame && frame->getScale() != hostScale)
    {
        frame->setScale(hostScale);
        const CRect device = frame->getDeviceSize();
        if (access) access->resizeWindow(device.width(), device.height());
    }
    updateScaledRect();
    return true;
}

bool AEffGUIEditor::open(void* parentWindow)
{
    AEffEditor::open(parentWindow);
    return true;
}

void AEffGUIEditor::close()
{
    if (frame)
    {
        // The frame pointer goes first so nothing reaches the frame while it dies.
        CFrame* dying = frame;
        frame = nullptr;
        dying->forget();
    }
    AEffEditor::close();
}

void AEffGUIEditor::idle()
{
    if (inIdleStuff) return;
    AEffEditor::idle();
    if (frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    if (!frame) return false;
    CKeyCode key = toolkitKey(keyCode);
    return frame->onKeyDown(key) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    if (!frame) return false;
    CKeyCode key = toolkitKey(keyCode);
    return frame->onKeyUp(key) == 1;
}

bool AEffGUIEditor::onWheel(float)
{
    return false;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode)
{
    setGlobalKnobMode(mode);
    return true;
}

void AEffGUIEditor::draw(ERect*)
{
    if (frame) frame->draw();
}

void AEffGUIEditor::beginEdit(int32_t index)
{
    if (access) access->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32_t index)
{
    if (access) access->endEdit(index);
}

void AEffGUIEditor::doIdleStuff()
{
    uint32_t now = getTickCount();
    // Differences of the wrapping clock, read as signed: positive means "still early".
    if (static_cast<int32_t>(nextIdleTicks - now) > 0)
    {
        sleepMilliseconds(kIdleStuffWaitMs);
        now += kIdleStuffWaitMs;
        if (static_cast<int32_t>(nextIdleTicks - now) > int32_t(kIdleStuffIntervalMs)) return;
    }
    idle();
    // A drag holds the host's event loop inside our input handler: one paint the system has
    // queued for the window gets through each time.
    if (frame) frame->dispatchPendingPaint();
    nextIdleTicks = now + kIdleStuffIntervalMs;
    // The host may call back into our idle from its own; the flag keeps the frame out of it.
    inIdleStuff = true;
    if (access) access->hostIdle();
    inIdleStuff = false;
}
