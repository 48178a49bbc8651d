// The LV2 user interface library's one export, lv2ui_descriptor: the plug-in's editor as an
// X11 UI, embedded in the host's window (ui:parent), told its size (ui:resize) and driven from
// the host's idle calls (ui:idleInterface).

#include "ExportMacro.h"
#include "Lv2EditorAccess.h"
#include "Lv2Features.h"
#include "VstTemplateGUI.h"
#include "platform/PlatformWindow.h"

#include "CFrame.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace
{
struct Features
{
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
    const LV2_URID_Map* map = nullptr;
    const LV2_Options_Option* options = nullptr;
};

Features findFeatures(const LV2_Feature* const* features)
{
    Features found;
    found.parent = findFeature(features, LV2_UI__parent);
    found.resize = findFeature<const LV2UI_Resize>(features, LV2_UI__resize);
    found.touch = findFeature<const LV2UI_Touch>(features, LV2_UI__touch);
    found.map = findFeature<const LV2_URID_Map>(features, LV2_URID__map);
    found.options = findFeature<const LV2_Options_Option>(features, LV2_OPTIONS__options);
    return found;
}

// The host's ui:scaleFactor option, 0 if it gives none (the editor then asks the system).
float hostScaleFactor(const Features& found)
{
    if (!found.map || !found.options) return 0.0f;
    const LV2_URID scaleFactor = found.map->map(found.map->handle, LV2_UI__scaleFactor);
    const LV2_URID atomFloat = found.map->map(found.map->handle, LV2_ATOM__Float);
    for (const LV2_Options_Option* o = found.options; o->key != 0; ++o)
        if (o->key == scaleFactor && o->type == atomFloat && o->size == sizeof(float) && o->value)
            return *static_cast<const float*>(o->value);
    return 0.0f;
}

struct EditorUi
{
    EditorUi(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch)
        : access(write, controller, touch), editor(access)
    {
        access.setEditor(&editor);
    }
    ~EditorUi() { editor.close(); }
    Lv2EditorAccess access;
    VstTemplateGUI editor;
};

EditorUi* self(LV2UI_Handle handle)
{
    return static_cast<EditorUi*>(handle);
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    const Features found = findFeatures(features);
    if (!found.parent || std::strcmp(pluginUri, lv2uri::kPlugin) != 0) return nullptr;
    try
    {
        auto ui = std::make_unique<EditorUi>(write, controller, found.touch);
        if (const float scale = hostScaleFactor(found); scale > 0.0f)
            ui->editor.setScaleFactor(scale);
        ERect* rect = nullptr;
        ui->editor.getRect(&rect);
        if (!ui->editor.open(found.parent) || !ui->editor.getFrame()) return nullptr;
        PlatformWindow* window = ui->editor.getFrame()->getPlatformWindow();
        if (!window || !window->getNativeHandle()) return nullptr;
        *widget = window->getNativeHandle();
        if (found.resize) found.resize->ui_resize(found.resize->handle, rect->right, rect->bottom);
        return ui.release();
    }
    catch (...)
    {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle)
{
    delete self(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer)
{
    if (format != 0 || size != sizeof(float) || !buffer) return;
    self(handle)->access.portEvent(port, *static_cast<const float*>(buffer));
}

int idle(LV2UI_Handle handle)
{
    self(handle)->editor.idle();
    return 0;
}

const void* extensionData(const char* uri)
{
    static const LV2UI_Idle_Interface idleInterface = {idle};
    return std::strcmp(uri, LV2_UI__idleInterface) ? nullptr : &idleInterface;
}

const LV2UI_Descriptor kDescriptor = {lv2uri::kUi, instantiate, cleanup, portEvent, extensionData};
} // namespace

OFC_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index);

const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
