#include "Lv2EditorAccess.h"

#include "AEffEditor.h"
#include "Interlocks.h"
#include "ParameterTable.h"

using namespace lv2ports;

// Until the host sends the ports' values, the editor shows the plug-in's defaults.
Lv2EditorAccess::Lv2EditorAccess(LV2UI_Write_Function write, LV2UI_Controller controller,
                                 const LV2UI_Touch* touch)
    : writePort(write), controller(controller), touch(touch)
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
        values[i] = defaultValue(i);
    for (const auto& meter : kMeterPorts)
        meters[meter.port - kGain] = meter.idle;
}

// The host's values are shown as they come: the plug-in resolves its switches by the order
// in which ports change, which the user interface does not see.
void Lv2EditorAccess::portEvent(std::uint32_t port, float value)
{
    if (port >= kFirstParameter && port < kGain)
    {
        const std::int32_t index = static_cast<std::int32_t>(port - kFirstParameter);
        values[index] = value;
        show(index);
    }
    else if (port >= kGain && port < kLatency)
    {
        meters[port - kGain] = value;
        running = true;
    }
    else if (port == kEnable)
        hostEnable(value);
}

// The plug-in turns Bypass on when the host's switch goes to "disabled" and off when it comes
// back, and only then; the Bypass button shows what the plug-in did, with the switches Bypass
// turns off.
void Lv2EditorAccess::hostEnable(float value)
{
    const bool enabled = value > 0.0f, wasEnabled = hostEnabled;
    hostEnabled = enabled;
    if (enabled == wasEnabled) return;
    values[kBypass] = enabled ? 0.0f : 1.0f;
    const SwitchesForcedOff forced = switchesForcedOff(kBypass, values[kBypass]);
    for (std::int32_t k = 0; k < forced.count; ++k)
    {
        values[forced.index[k]] = 0.0f;
        show(forced.index[k]);
    }
    show(kBypass);
}

float Lv2EditorAccess::parameter(std::int32_t index)
{
    return isParameterIndex(index) ? values[index] : 0.0f;
}

void Lv2EditorAccess::setParameterFromEditor(std::int32_t index, float value)
{
    if (!isParameterIndex(index)) return;
    write(index, value);
    const SwitchesForcedOff forced = switchesForcedOff(index, value);
    for (std::int32_t k = 0; k < forced.count; ++k)
    {
        write(forced.index[k], 0.0f);
        show(forced.index[k]);
    }
    show(index);
}

void Lv2EditorAccess::beginEdit(std::int32_t index)
{
    if (touch && isParameterIndex(index)) touch->touch(touch->handle, parameterPort(index), true);
}

void Lv2EditorAccess::endEdit(std::int32_t index)
{
    if (touch && isParameterIndex(index)) touch->touch(touch->handle, parameterPort(index), false);
}

float Lv2EditorAccess::meterValue(MeterValueIndex which)
{
    if (which == kMeterActive) return running ? 1.0f : 0.0f;
    for (const auto& meter : kMeterPorts)
        if (meter.value == which) return meters[meter.port - kGain];
    return 0.0f;
}

void Lv2EditorAccess::write(std::int32_t index, float value)
{
    values[index] = value;
    if (writePort) writePort(controller, parameterPort(index), sizeof(float), 0, &value);
}

void Lv2EditorAccess::show(std::int32_t index)
{
    if (editor) editor->setParameter(index, values[index]);
}
