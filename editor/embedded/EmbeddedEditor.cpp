#include "EmbeddedEditor.h"

#include "CFrame.h"
#include "VstTemplateGUI.h"
#include "platform/PlatformWindow.h"

EmbeddedEditor::EmbeddedEditor(OrvaneEffect& effect, EditorHost& host)
    : effect(effect), access(effect, host)
{
    effect.setListener(this);
}

EmbeddedEditor::~EmbeddedEditor()
{
    effect.setListener(nullptr);
    if (ownedGui) ownedGui->close();
}

VstTemplateGUI& EmbeddedEditor::gui()
{
    if (!ownedGui)
    {
        ownedGui = std::make_unique<VstTemplateGUI>(access);
        liveGui.store(ownedGui.get(), std::memory_order_release);
    }
    return *ownedGui;
}

void EmbeddedEditor::parameterChanged(std::int32_t index, float value)
{
    if (VstTemplateGUI* editor = liveGui.load(std::memory_order_acquire))
        editor->setParameter(index, value);
}

bool EmbeddedEditor::open(void* parent)
{
    if (!parent) return false;
    VstTemplateGUI& editor = gui();
    if (editor.isOpen()) editor.close();
    ERect* rect = nullptr;
    editor.getRect(&rect);
    if (editor.open(parent) && editor.getFrame() && editor.getFrame()->getPlatformWindow() &&
        editor.getFrame()->getPlatformWindow()->getNativeHandle())
        return true;
    editor.close();
    return false;
}

void EmbeddedEditor::close()
{
    if (ownedGui) ownedGui->close();
}

bool EmbeddedEditor::isOpen() const
{
    return ownedGui && ownedGui->isOpen();
}

void EmbeddedEditor::idle()
{
    if (isOpen()) ownedGui->idle();
}

void EmbeddedEditor::setScaleFactor(double factor)
{
    gui().setScaleFactor(static_cast<float>(factor));
}

std::int32_t EmbeddedEditor::width()
{
    ERect* rect = nullptr;
    gui().getRect(&rect);
    return rect->right - rect->left;
}

std::int32_t EmbeddedEditor::height()
{
    ERect* rect = nullptr;
    gui().getRect(&rect);
    return rect->bottom - rect->top;
}

void* EmbeddedEditor::window() const
{
    if (!isOpen() || !ownedGui->getFrame()) return nullptr;
    const PlatformWindow* platformWindow = ownedGui->getFrame()->getPlatformWindow();
    return platformWindow ? platformWindow->getNativeHandle() : nullptr;
}

int EmbeddedEditor::eventDescriptor() const
{
    if (!isOpen() || !ownedGui->getFrame()) return -1;
    const PlatformWindow* window = ownedGui->getFrame()->getPlatformWindow();
    return window ? window->eventDescriptor() : -1;
}
