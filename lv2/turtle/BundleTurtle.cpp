#include "BundleTurtle.h"

#include "Lv2Ports.h"
#include "ParameterSteps.h"
#include "ParameterText.h"
#include "TurtleText.h"
#include "VstTemplate.h"

using turtle::number;
using turtle::quoted;
using turtle::uri;

namespace
{
const char* const kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                              "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                              "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                              "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                              "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                              "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                              "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

std::string programName(VstTemplate& effect, int program)
{
    char name[kVstMaxProgNameLen + 1] = {};
    effect.getProgramNameIndexed(0, program, name);
    return name;
}

void writePortHead(std::ostream& out, const char* kinds, std::uint32_t index,
                   const std::string& symbol, const std::string& name)
{
    out << "    [\n        a " << kinds << " ;\n        lv2:index " << index
        << " ;\n        lv2:symbol " << quoted(symbol) << " ;\n        lv2:name " << quoted(name);
}

void writeAudioPorts(std::ostream& out)
{
    const char* sides[2] = {"left", "right"};
    const char* names[2] = {"Left", "Right"};
    for (std::uint32_t c = 0; c < 2; ++c)
    {
        writePortHead(out, "lv2:AudioPort, lv2:InputPort", lv2ports::kAudioIn + c,
                      std::string("in_") + sides[c], std::string("In ") + names[c]);
        out << "\n    ] ,\n";
    }
    for (std::uint32_t c = 0; c < 2; ++c)
    {
        writePortHead(out, "lv2:AudioPort, lv2:OutputPort", lv2ports::kAudioOut + c,
                      std::string("out_") + sides[c], std::string("Out ") + names[c]);
        out << "\n    ] ,\n";
    }
}

void writeParameterPort(std::ostream& out, VstTemplate& effect, VstInt32 index)
{
    writePortHead(out, "lv2:ControlPort, lv2:InputPort", lv2ports::parameterPort(index),
                  lv2ports::parameterSymbol(index), parameterName(index));
    out << " ;\n        lv2:default " << number(effect.getParameter(index))
        << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0";
    const ParameterSteps steps = parameterSteps(index);
    if (steps.toggled) out << " ;\n        lv2:portProperty lv2:toggled";
    if (!steps.positions.empty())
    {
        out << " ;\n        lv2:portProperty lv2:enumeration ;\n        lv2:scalePoint";
        for (size_t i = 0; i < steps.positions.size(); ++i)
            out << (i ? " ,\n            [ " : " [ ") << "rdfs:label "
                << quoted(steps.positions[i].label) << " ; rdf:value "
                << number(steps.positions[i].value) << " ]";
    }
    out << "\n    ] ,\n";
}

// The meters carry what the effect hands the editor; a fresh effect holds their idle values.
void writeMeterPorts(std::ostream& out, VstTemplate& effect)
{
    for (const auto& meter : lv2ports::kMeterPorts)
    {
        writePortHead(out, "lv2:ControlPort, lv2:OutputPort", meter.port, meter.symbol, meter.name);
        const float idle = effect.getParameter(meter.value);
        if (meter.value == kMeterGain)
            out << " ;\n        lv2:default " << number(idle)
                << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum " << number(idle)
                << " ;\n        units:unit units:coef";
        else
            out << " ;\n        lv2:default " << number(idle) << " ;\n        lv2:minimum "
                << number(idle) << " ;\n        lv2:maximum 20.0 ;\n        units:unit units:db";
        out << "\n    ] ,\n";
    }
}

void writeLatencyPort(std::ostream& out, VstTemplate& effect)
{
    effect.resume();
    const VstInt32 latency = effect.getAeffect()->initialDelay;
    effect.suspend();
    writePortHead(out, "lv2:ControlPort, lv2:OutputPort", lv2ports::kLatency, "latency", "Latency");
    out << " ;\n        lv2:designation lv2:latency ;\n        lv2:portProperty lv2:integer"
        << " ;\n        lv2:minimum 0 ;\n        lv2:maximum " << latency
        << " ;\n        units:unit units:frame\n    ] .\n";
}
} // namespace

void writeManifest(std::ostream& out, VstTemplate& effect, const std::string& binary)
{
    const std::string plugin = uri(lv2uri::kPlugin);
    out << kPrefixes << plugin << "\n    a lv2:Plugin ;\n    lv2:binary <" << binary
        << "> ;\n    rdfs:seeAlso <" << kPluginTurtle << "> .\n";
    for (int p = 0; p < effect.getAeffect()->numPrograms; ++p)
        out << "\n"
            << uri(lv2uri::preset(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo " << plugin
            << " ;\n    rdfs:label " << quoted(programName(effect, p)) << " ;\n    rdfs:seeAlso <"
            << kPresetsTurtle << "> .\n";
}

// The editor needs the host's window to live in and its idle calls; it tells the host its size
// and its gestures where the host listens. The meters are sent to it as they change. A host
// that knows the screen's scale passes it as ui:scaleFactor.
void writeUserInterface(std::ostream& out, const std::string& uiBinary)
{
    out << "\n"
        << uri(lv2uri::kUi) << "\n    a ui:X11UI ;\n    ui:binary <" << uiBinary
        << "> ;\n    lv2:requiredFeature ui:parent, ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:resize, ui:touch, opts:options, urid:map ;\n"
        << "    opts:supportedOption ui:scaleFactor ;\n"
        << "    lv2:extensionData ui:idleInterface ;\n    ui:portNotification";
    bool first = true;
    for (const auto& meter : lv2ports::kMeterPorts)
    {
        out << (first ? " [\n" : " , [\n") << "        ui:plugin " << uri(lv2uri::kPlugin)
            << " ;\n        lv2:symbol " << quoted(meter.symbol)
            << " ;\n        ui:protocol ui:floatProtocol\n    ]";
        first = false;
    }
    out << " .\n";
}

void writePluginDescription(std::ostream& out, VstTemplate& effect, const std::string& uiBinary)
{
    char name[kVstMaxEffectNameLen + 1] = {}, vendor[kVstMaxVendorStrLen + 1] = {};
    effect.getEffectName(name);
    effect.getVendorString(vendor);
    out << kPrefixes << uri(lv2uri::kPlugin)
        << "\n    a lv2:Plugin, lv2:CompressorPlugin, doap:Project ;\n"
        << "    doap:name " << quoted(name) << " ;\n    doap:maintainer [ foaf:name "
        << quoted(vendor) << " ] ;\n    lv2:minorVersion " << OFC_LV2_MINOR_VERSION
        << " ;\n    lv2:microVersion " << OFC_LV2_MICRO_VERSION
        << " ;\n    lv2:optionalFeature lv2:hardRTCapable, lv2:isLive ;\n";
    if (!uiBinary.empty()) out << "    ui:ui " << uri(lv2uri::kUi) << " ;\n";
    out << "    lv2:port\n";
    writeAudioPorts(out);
    for (VstInt32 i = 0; i < kNumParams; ++i)
        writeParameterPort(out, effect, i);
    writeMeterPorts(out, effect);
    writeLatencyPort(out, effect);
    if (!uiBinary.empty()) writeUserInterface(out, uiBinary);
}

void writePresets(std::ostream& out, VstTemplate& effect)
{
    out << kPrefixes;
    for (int p = 0; p < effect.getAeffect()->numPrograms; ++p)
    {
        effect.setProgram(p);
        out << uri(lv2uri::preset(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
            << uri(lv2uri::kPlugin) << " ;\n    rdfs:label " << quoted(programName(effect, p))
            << " ;\n    lv2:port";
        for (VstInt32 i = 0; i < kNumParams; ++i)
            out << (i ? " ,\n        [ " : " [ ") << "lv2:symbol "
                << quoted(lv2ports::parameterSymbol(i)) << " ; pset:value "
                << number(effect.getParameter(i)) << " ]";
        out << " .\n\n";
    }
    effect.setProgram(0);
}
